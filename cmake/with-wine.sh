#!/bin/bash
# Runs a command with the project's Wine prefix ready: the prefix under build/
# (made on first use), one wineserver kept running for the whole command, and a
# virtual display for windows. Stops both again at the end.
set -u
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
export WINEPREFIX="${WINEPREFIX:-$(cd "$here/.." && pwd)/build/wineprefix}"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH=win64
WINESERVER="$(command -v wineserver || echo /usr/lib/wine/wineserver64)"

started_xvfb=""
if [ -z "${DISPLAY:-}" ]; then
    for n in $(seq 91 120); do
        if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then
            Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
            started_xvfb=$!
            export DISPLAY=":$n"
            for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
            break
        fi
    done
fi

cleanup() {
    "$WINESERVER" -k >/dev/null 2>&1
    [ -n "$started_xvfb" ] && kill "$started_xvfb" >/dev/null 2>&1
}
trap cleanup EXIT

mkdir -p "$WINEPREFIX"
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    /usr/lib/wine/wine64 wineboot -i >/dev/null 2>&1
    "$WINESERVER" -w
fi
# Xvfb has no window manager: windows Wine manages itself close at once, instead of
# after a two-second wait for a manager that never answers.
if [ ! -f "$WINEPREFIX/.vantrel-unmanaged" ]; then
    /usr/lib/wine/wine64 reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    "$WINESERVER" -w
    touch "$WINEPREFIX/.vantrel-unmanaged"
fi
"$WINESERVER" -p
# Start Wine's own background processes now, with nothing inherited: started later by
# a test, they would keep its output pipe open and CTest would wait for them forever.
/usr/lib/wine/wine64 wineboot </dev/null >/dev/null 2>&1
"$@"
