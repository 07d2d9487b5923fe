#!/usr/bin/env bash
# tavrix-cli.exe report under Wine, where there is neither Excel nor (in this cross build) the
# xlsx backend: each way fails with its reason, exit 1, and leaves no file beside the data file.
#   report_under_wine.sh WINE TAVRIX_CLI_EXE RUNTIME_DIR WORK_DIR   (WINEPREFIX set)
set -u
wine=$1 cli=$2 runtime=$3 work=$4
fail() { echo "FAIL: $*"; exit 1; }

rm -rf "$work"
mkdir -p "$work"
sample=$(ls "$runtime"/samples/*.rpk | head -n 1)
cp "$sample" "$work/data.rpk" || fail "no sample data file in $runtime/samples"
# Wine's drive Z: is the build machine's root.
program_dir="Z:$(echo "$runtime" | tr / '\\')"

# Runs the report command in the work folder; its exit code must be `expected`.
report() {
  local expected=$1
  shift
  (cd "$work" && "$wine" "$cli" report data.rpk --program-dir "$program_dir" "$@" \
     >"$work/out" 2>"$work/err")
  local code=$?
  [ $code -eq "$expected" ] || fail "report $* exits $code: $(cat "$work/err")"
}

report 1
grep -q 'no xlsx backend' "$work/err" || fail "no reason without the xlsx backend: $(cat "$work/err")"
report 1 --excel
grep -q 'Microsoft Excel' "$work/err" || fail "no reason without Excel: $(cat "$work/err")"
report 2 --excel -o other.xlsx
[ "$(ls "$work")" = "$(printf 'data.rpk\nerr\nout')" ] || fail "files left behind: $(ls "$work")"
echo ok
