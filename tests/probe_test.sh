#!/usr/bin/env bash
# Checks quorvel-probe's command line and output format end to end.
set -u
probe=$1
failures=0

expect() {  # name, expected output, expected status, then the probe's stdin and arguments
  local name=$1 want=$2 want_status=$3 input=$4
  shift 4
  local got status
  got=$(printf '%b' "$input" | "$probe" "$@" 2>/dev/null)
  status=$?
  if [ "$got" != "$(printf '%b' "$want")" ] || [ "$status" -ne "$want_status" ]; then
    echo "FAIL $name: status $status, output:"; printf '%s\n' "$got"
    failures=$((failures + 1))
  fi
}

expect "default precision" \
  'set\tText2\t3\nset\tText3\t1.2\nset\tText4\t40%\nset\tText5\t1.581139\nset\tText6\t52.7046%' 0 \
  '1 2 3 4 5'
expect "precision option and CR LF bytes kept" \
  'set\tText2\t10.2\nset\tText3\t0.07\nset\tText4\t0.69%\nset\tText5\t0.1\nset\tText6\t0.98%' 0 \
  '10.1\r\n10.3\r\n10.2' --precision 0.01
expect "bad precision is a report, not a failure" 'msgbox\t指定精度\t请指定运算精度！' 0 '1 2' --precision abc
expect "full-width digit named by its item number" \
  'msgbox\t输入正确数据\t第2个数据输入有误，请重新输入' 0 '1 \xef\xbc\x92' --previous old
expect "unknown option" '' 2 '1' --bogus
expect "option without its text" '' 2 '1' --precision

[ "$failures" -eq 0 ] && echo "probe: all passed" || exit 1
