#!/usr/bin/env bash
# expect_failure.sh REGEX COMMAND [ARGS...]: passes when COMMAND fails and its output matches
# REGEX (extended), so a check is seen to reject what it must reject, for the right reason.
set -uo pipefail
regex=$1
shift
output=$("$@" 2>&1)
rc=$?
printf '%s\n' "$output"
if [[ $rc -eq 0 ]]; then
    echo "expect_failure: the command succeeded"
    exit 1
fi
if ! grep -Eq -- "$regex" <<<"$output"; then
    echo "expect_failure: exit code $rc, but no line matches: $regex"
    exit 1
fi
exit 0
