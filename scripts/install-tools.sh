#!/usr/bin/env bash
# Installs the build and test tools that are missing, from Debian's packages. Safe to repeat:
# with everything present it changes nothing and asks no package server.
set -euo pipefail

packages=(
    # native build, tests and benchmarks
    cmake ninja-build g++ googletest libgtest-dev libbenchmark-dev
    # libFuzzer targets with AddressSanitizer and UndefinedBehaviorSanitizer
    clang libclang-rt-14-dev
    # the Windows builds (mingw-w64, windres, objdump) and their tests under Wine on a
    # virtual display
    g++-mingw-w64-i686 g++-mingw-w64-x86-64 wine64 xvfb
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done
if [[ ${#missing[@]} -eq 0 ]]; then
    exit 0
fi
echo "installing: ${missing[*]}"
if [[ $(id -u) -ne 0 ]]; then
    echo "install-tools: run as root to install the missing packages" >&2
    exit 1
fi
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y --no-install-recommends "${missing[@]}"
