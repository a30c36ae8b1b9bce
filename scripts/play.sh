#!/usr/bin/env bash
# Installs what is missing, builds the game (the win64 preset's Quandor.exe) and starts it under
# Wine on your display. In German: LC_ALL=de_DE.UTF-8 bash scripts/play.sh
#
# The Wine prefix is build/play-wine in the project, made on the first start; nothing of Wine is
# written to ~/.wine. QUANDOR_PLAY_BUILD names another build folder than build/win64.
set -euo pipefail
cd "$(dirname "$0")/.."

if [[ -z ${DISPLAY-} ]]; then
    echo "play: no display (DISPLAY is not set); start it from a graphical session" >&2
    exit 1
fi
if ! bash scripts/install-tools.sh; then
    # Only a missing package makes it fail, and installing needs root.
    command -v sudo >/dev/null || exit 1
    sudo bash scripts/install-tools.sh
fi
build=${QUANDOR_PLAY_BUILD:-build/win64}
cmake --preset win64 -B "$build" >/dev/null
cmake --build "$build" --target Quandor

export WINEPREFIX=$PWD/build/play-wine WINEARCH=win64 WINEDEBUG=-all
# No Mono or Gecko prompts and no desktop menu entries for a program that needs neither.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
exec /usr/lib/wine/wine64 "$build/bin/Quandor.exe"
