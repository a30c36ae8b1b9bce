#!/usr/bin/env bash
# Makes docs/screenshot.png: the game's window as it opens, on an Xvfb display of its own.
#
# Needs what scripts/install-tools.sh installs, and ImageMagick's import and xwininfo
# (packages imagemagick and x11-utils). Builds into build/screenshot (QUANDOR_SCREENSHOT_BUILD
# names another folder); the Wine session, prefix and display live in its screenshot-wine/.
set -euo pipefail
cd "$(dirname "$0")/.."

for tool in import xwininfo; do
    command -v "$tool" >/dev/null || {
        echo "screenshot: $tool is missing (packages imagemagick, x11-utils)" >&2
        exit 1
    }
done
build=${QUANDOR_SCREENSHOT_BUILD:-build/screenshot}
out=${1:-docs/screenshot.png}
cmake --preset win64 -B "$build" >/dev/null
cmake --build "$build" --target Quandor

state=$(realpath -m "$build")/screenshot-wine
unset DISPLAY # the session brings its own Xvfb
bash scripts/wine-run.sh --dir "$state" --start
game=""
# Ends the game with every other process of the throwaway prefix, then the session.
finish() {
    WINEPREFIX=$state/prefix /usr/lib/wine/wineserver64 -k 2>/dev/null || true
    [[ -z $game ]] || wait "$game" 2>/dev/null || true
    bash scripts/wine-run.sh --dir "$state" --stop
}
trap finish EXIT
display=:$(head -n1 "$state/display" | tr -dc 0-9)

bash scripts/wine-run.sh --dir "$state" "$build/bin/Quandor.exe" 2>/dev/null &
game=$!
window=""
for _ in $(seq 200); do
    window=$(xwininfo -display "$display" -name "Quandor (Ombrisk)" 2>/dev/null |
        sed -n 's/^xwininfo: Window id: \(0x[0-9a-f]*\).*/\1/p') || true
    [[ -n $window ]] && break
    sleep 0.1
done
[[ -n $window ]] || {
    echo "screenshot: the game's window did not appear" >&2
    exit 1
}
sleep 2 # the first paint
mkdir -p "$(dirname "$out")"
import -display "$display" -window "$window" "$out"
echo "screenshot: $out"
