#!/bin/bash
# Runs every fuzz target for a bounded time. Usage: run.sh BUILD_DIR SECONDS
# New inputs go to a work corpus beside the build; the seed corpus in the source tree
# is only read. A crash leaves its input in BUILD_DIR/artifacts and fails the run.
set -u
bin="${1:?usage: run.sh BUILD_DIR SECONDS}"
seconds="${2:-60}"
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
status=0
for target in decompress_fuzzer round_trip_fuzzer package_string_fuzzer package_header_fuzzer; do
    work="$bin/work-corpus/$target"
    mkdir -p "$work" "$bin/artifacts"
    max_len=4096
    [ "$target" = round_trip_fuzzer ] && max_len=16384
    echo "== $target: $seconds s"
    "$bin/$target" -max_total_time="$seconds" -max_len="$max_len" -rss_limit_mb=2048 \
        -artifact_prefix="$bin/artifacts/$target-" -print_final_stats=1 \
        "$work" "$here/corpus/$target" >"$bin/$target.log" 2>&1
    rc=$?
    tail -n 12 "$bin/$target.log"
    [ "$rc" -eq 0 ] || { echo "== $target FAILED (see $bin/$target.log)"; status=1; }
done
exit $status
