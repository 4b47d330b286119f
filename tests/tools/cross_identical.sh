#!/bin/bash
# Builds the example with the Linux vantrel-pack and with the Windows one (run by
# CTest's Wine), with and without SOURCE_DATE_EPOCH, and compares the packages.
# Exit 77 (skipped) when the Linux build is not there.
set -u
source_dir=$1 windows_pack=$2 work=$3
linux_pack=$source_dir/out/linux/vantrel-pack
[ -x "$linux_pack" ] || { echo "skipped: $linux_pack is not built"; exit 77; }
rm -rf "$work" && mkdir -p "$work"
printf 'MZ stub\n' > "$work/stub.exe"
printf 'MZ uninstaller\n' > "$work/uninstall.exe"
manifest=$source_dir/examples/demo/vantrel-demo.toml
args=(--stub "$work/stub.exe" --uninstaller "$work/uninstall.exe")
status=0
for epoch in 1700000000 ""; do
    export SOURCE_DATE_EPOCH=$epoch
    "$linux_pack" build "$manifest" -o "$work/linux.exe" "${args[@]}" >/dev/null || exit 1
    "$source_dir/cmake/wine-run.sh" "$windows_pack" build "$manifest" -o "$work/windows.exe" "${args[@]}" >/dev/null || exit 1
    if cmp "$work/linux.exe" "$work/windows.exe"; then
        echo "identical (SOURCE_DATE_EPOCH='$epoch')"
    else
        status=1
    fi
done
exit $status
