#!/usr/bin/env bash
# The probe's command line: its options, and CR LF reaching the command as typed.
set -uo pipefail
probe=$1
failures=0
expect() {  # want, want_status, stdin, arguments...
  local want=$1 want_status=$2 input=$3 got status
  shift 3
  got=$(printf '%b' "$input" | "$probe" "$@" 2>/dev/null | cut -f1)
  status=$?
  if [ "$got" != "$(printf '%b' "$want")" ] || [ "$status" -ne "$want_status" ]; then
    echo "FAIL: $* gave status $status:"; printf '%s\n' "$got"; failures=$((failures + 1))
  fi
}
# A lone CR joins "2" and "3" into one bad item; CR LF separates.
expect 'msgbox\nselect' 0 '1 2\r3\r\n4' --precision 0.01
expect 'set\nset\nset\nset\nset' 0 '3\r\n3' --previous old
expect '' 2 '1' --bogus
[ "$failures" -eq 0 ] && echo "probe: 3 passed, 0 failed" || exit 1
