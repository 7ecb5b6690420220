#!/usr/bin/env bash
# The probe's command line: its options, and CR LF reaching the command as typed.
# Stops at the first expectation the probe misses.
set -uo pipefail
probe=$1
fail() { echo "FAIL: $*"; exit 1; }
# The first column of what the probe prints for DATA with ARGUMENTS, and its status.
run() { printf '%b' "$1" | "$probe" "${@:2}" 2>/dev/null | cut -f1; }
# A lone CR joins "2" and "3" into one bad item; CR LF separates.
out=$(run '1 2\r3\r\n4' --precision 0.01) && [ "$out" = $'msgbox\nselect' ] || fail "--precision 0.01: $out"
out=$(run '3\r\n3' --previous old) && [ "$out" = $'set\nset\nset\nset\nset' ] || fail "--previous old: $out"
[ "$(run '1' --bogus; echo $?)" = 2 ] || fail "--bogus did not give status 2"
