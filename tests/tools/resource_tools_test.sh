#!/usr/bin/env bash
# The builders of the program directory's files refuse what would ship broken, and leave no
# file behind: a character that code page 1251 lacks, a table on a sheet that follows a gap,
# a cycle table whose title does not fit a sheet name. A good library round-trips.
set -u
resource=$1 template=$2 cli=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

printf 'Отчёт\ttemplates\\t.xlsx\r\nстрока 1\nМасса груза, т € №\t6\t\tInt\t2\t1\t1\tC4\tC4\n' >"$work/good.txt"
"$resource" --scramble "$work/good.txt" "$work/good.dll" || fail "a good library is refused"
"$cli" unscramble "$work/good.dll" "$work/back.txt" || fail "unscramble"
iconv -f UTF-8 -t CP1251 "$work/good.txt" | sed 's/\r*$/\r/' | cmp - "$work/back.txt" ||
  fail "the library does not read back as the source in code page 1251 with CR LF"

printf 'Отчёт\tx.xlsx\nline 1\nГруз 😀\t6\t\tInt\t2\t1\t1\tC4\tC4\n' >"$work/emoji.txt"
"$resource" --scramble "$work/emoji.txt" "$work/emoji.dll" 2>"$work/err" && fail "emoji taken"
grep -q 'line 3' "$work/err" || fail "the refusal does not name the line: $(cat "$work/err")"
[ -e "$work/emoji.dll" ] && fail "a refused library left a file"

printf 'Отчёт\tx.xlsx\nline 1\nЦиклы\t1024\t0\tAddrCycle\t4\t10\t3\tA5\tB14\t16\t15\t1040\n' \
  >"$work/gap.txt"
"$template" "$work/gap.txt" "$work/gap.xlsx" 2>"$work/err" && fail "a sheet gap is taken"
grep -q 'worksheet 2' "$work/err" || fail "the gap is not named: $(cat "$work/err")"
ls "$work" | grep -q xlsx && fail "a refused template left a file"

long="Журнал циклов с очень длинным названием"
printf 'Отчёт\tx.xlsx\nline 1\n%s\t1024\t0\tAddrCycle\t4\t10\t2\tA5\tB14\t16\t15\t1040\n' \
  "$long" >"$work/long.txt"
"$template" "$work/long.txt" "$work/long.xlsx" 2>"$work/err" && fail "a long title is taken"
grep -q '31 characters' "$work/err" || fail "no reason for the long title: $(cat "$work/err")"
"$template" "$work/good.txt" "$work/good.xlsx" || fail "a good library gets no template"
exit 0
