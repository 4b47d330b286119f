#!/bin/bash
# Builds the example package with vantrel-pack (after `make build`), lists and verifies
# it, extracts it and compares the files with their sources, and, where the Windows
# build and Wine are there, builds it again with the Windows vantrel-pack and checks
# that both packages are byte-identical.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
pack=out/linux/vantrel-pack
manifest=examples/demo/vantrel-demo.toml
work=build/demo
setup=out/demo/Setup.exe
rm -rf "$work" && mkdir -p "$work" out/demo

# Until the installer and the uninstaller are built, any executable serves as stub and
# uninstaller; these placeholders only make the package complete.
stub=out/win32/setup.exe
uninstaller=out/win32/uninstall.exe
if [ ! -f "$stub" ]; then
    stub="$work/placeholder-setup.exe"
    printf 'MZ placeholder installer stub\n' > "$stub"
    echo "demo: out/win32/setup.exe is not built yet; using a placeholder stub"
fi
if [ ! -f "$uninstaller" ]; then
    uninstaller="$work/placeholder-uninstall.exe"
    printf 'MZ placeholder uninstaller\n' > "$uninstaller"
    echo "demo: out/win32/uninstall.exe is not built yet; using a placeholder uninstaller"
fi

# Reproducible: every packed file gets the time of the last commit.
export SOURCE_DATE_EPOCH="${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct 2>/dev/null || echo 1700000000)}"

"$pack" build "$manifest" -o "$setup" --stub "$stub" --uninstaller "$uninstaller"
"$pack" list "$setup"
"$pack" verify "$setup"

"$pack" extract "$setup" "$work/extracted"
for f in readme.txt bin/hello.cmd bin/settings.ini docs/manual.txt docs/changes.txt; do
    cmp "examples/demo/program/$f" "$work/extracted/$f"
done
cmp examples/demo/license.txt "$work/extracted/docs/LICENSE.txt"
echo "demo: extracted files match their sources"

if [ -x out/win64/vantrel-pack.exe ] && [ -x /usr/lib/wine/wine64 ]; then
    cmake/with-wine.sh cmake/wine-run.sh out/win64/vantrel-pack.exe build "$manifest" \
        -o "$work/Setup-windows.exe" --stub "$stub" --uninstaller "$uninstaller"
    cmp "$setup" "$work/Setup-windows.exe"
    echo "demo: the Linux and the Windows vantrel-pack wrote byte-identical packages"
fi
echo "demo: $setup is ready"
