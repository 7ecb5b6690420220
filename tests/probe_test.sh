#!/usr/bin/env bash
# The probe's command line: its options, and CR LF reaching the command as typed.
# Stops at the first expectation the probe misses.
set -uo pipefail
probe=$1
expect() {  # want, want_status, stdin, arguments...
  local want=$1 want_status=$2 input=$3 got status
  shift 3
  got=$(printf '%b' "$input" | "$probe" "$@" 2>/dev/null | cut -f1)
  status=$?
  [ "$got" = "$(printf '%b' "$want")" ] && [ "$status" -eq "$want_status" ] && return
  echo "FAIL: $* gave status $status:"; printf '%s\n' "$got"; exit 1
}
# A lone CR joins "2" and "3" into one bad item; CR LF separates.
expect 'msgbox\nselect' 0 '1 2\r3\r\n4' --precision 0.01
expect 'set\nset\nset\nset\nset' 0 '3\r\n3' --previous old
expect '' 2 '1' --bogus
echo "probe: 3 passed"
