#!/usr/bin/env bash
# Runs every fuzz target of the fuzz build for SECONDS each (default 10), starting from the
# committed seeds in fuzz/corpus/<target>/. What a run finds is kept in a temporary folder and
# thrown away, so the repository's seeds never grow; a failing input is left in the build folder.
# Usage: bash scripts/run-fuzz.sh [SECONDS]   (after cmake --preset fuzz && cmake --build --preset fuzz;
# FUZZ_BUILD names another build folder than build/fuzz)
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-10}
build=${FUZZ_BUILD:-build/fuzz}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

for target in fuzz_command_line fuzz_contains_text fuzz_install_paths fuzz_startup_mode \
    fuzz_working_dir; do
    echo "-- $target, ${seconds} s"
    mkdir -p "$work/$target"
    if ! "$build/bin/$target" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
        -artifact_prefix="$build/$target-" "$work/$target" "fuzz/corpus/$target" \
        >"$work/$target.log" 2>&1; then
        cat "$work/$target.log" >&2
        echo "$target failed; the input is in $build/$target-*" >&2
        exit 1
    fi
    grep -E '^stat::(number_of_executed_units|new_units_added)' "$work/$target.log" || true
done
