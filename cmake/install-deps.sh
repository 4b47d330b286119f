#!/bin/bash
# Installs with apt-get whatever the build, tests, benchmarks and fuzzing need
# and this machine lacks. Safe to run again: it does nothing when all is there.
set -euo pipefail
packages=(
    cmake make g++ googletest libgtest-dev libbenchmark-dev
    g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix binutils-mingw-w64-x86-64 binutils-mingw-w64-i686
    wine64 xvfb x11-utils xdotool imagemagick
    clang libclang-rt-14-dev
    zlib1g-dev liblz4-dev
    libtomlplusplus-dev libcli11-dev
)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq "${missing[@]}" >/dev/null
