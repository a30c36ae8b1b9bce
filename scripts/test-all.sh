#!/usr/bin/env bash
# Installs what is missing, then configures, builds and runs every test of every build.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-tools.sh

jobs=$(nproc)
for preset in native native-asan win32 win64; do
    echo "== $preset"
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" -j "$jobs"
    ctest --preset "$preset" -j "$jobs"
done

echo "== fuzz"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "$jobs"
bash scripts/run-fuzz.sh 10
