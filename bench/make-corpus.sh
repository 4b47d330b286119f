#!/bin/bash
# Builds the benchmark corpora from files found on this machine, the same files every
# time: text (licences, change logs, C headers), executables (Windows DLLs of Wine,
# else ELF programs) and already-compressed data (gzip files). Usage: make-corpus.sh DIR
set -euo pipefail
out="${1:?usage: make-corpus.sh DIR}"
budget=$((4 * 1024 * 1024))

# take NAME BUDGET MIN MAX < paths: copies files of MIN to MAX bytes in sorted order
# until BUDGET bytes are taken.
take() {
    local dir="$out/$1" left="$2" min="$3" max="$4" n=0 path size
    mkdir -p "$dir"
    while IFS= read -r path; do
        [ "$left" -gt 0 ] || break
        [ -f "$path" ] && [ -r "$path" ] || continue
        size=$(stat -c %s "$path")
        [ "$size" -ge "$min" ] && [ "$size" -le "$max" ] || continue
        n=$((n + 1))
        cp "$path" "$dir/$1$(printf '%04d' "$n")-$(basename "$path")"
        left=$((left - size))
    done
    [ "$n" -gt 0 ] || { echo "make-corpus: no files for $1" >&2; exit 1; }
}

# Like take, but stores each gzip file expanded.
take_expanded() {
    local dir="$out/$1" left="$2" n=0 path target size
    mkdir -p "$dir"
    while IFS= read -r path; do
        [ "$left" -gt 0 ] || break
        target="$dir/changelog$(printf '%04d' "$n")-$(basename "$path" .gz)"
        gzip -dc "$path" > "$target" 2>/dev/null || { rm -f "$target"; continue; }
        size=$(stat -c %s "$target")
        if [ "$size" -lt 4096 ]; then rm -f "$target"; continue; fi
        n=$((n + 1))
        left=$((left - size))
    done
}

if [ -f "$out/.complete" ]; then
    exit 0
fi
rm -rf "$out"
mkdir -p "$out"

take text $((budget / 4)) 1 $((1024 * 1024)) < <(find /usr/share/common-licenses -type f | LC_ALL=C sort)
take_expanded text $((budget / 4)) < <(find /usr/share/doc -name 'changelog*.gz' | LC_ALL=C sort)
take text $((budget / 2)) 2048 $((256 * 1024)) < <(find /usr/include -name '*.h' | LC_ALL=C sort)

wine_dlls=/usr/lib/x86_64-linux-gnu/wine/x86_64-windows
if [ -d "$wine_dlls" ]; then
    take exe "$budget" 16384 $((1024 * 1024)) < <(find "$wine_dlls" -name '*.dll' | LC_ALL=C sort)
else
    take exe "$budget" 16384 $((1024 * 1024)) < <(find /usr/bin -type f | LC_ALL=C sort)
fi

take compressed "$budget" 8192 $((4 * 1024 * 1024)) < <(find /usr/share/doc /usr/share/man -name '*.gz' | LC_ALL=C sort)

touch "$out/.complete"
du -s --apparent-size -B1 "$out"/* | while read -r bytes dir; do
    echo "corpus $(basename "$dir"): $(ls "$dir" | wc -l) files, $bytes bytes"
done
