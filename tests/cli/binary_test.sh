#!/usr/bin/env bash
# The tavrix-cli executable itself: exit codes 0, 1 and 2, UTF-8 on stdout, errors on stderr;
# Ctrl-C stops a download cleanly.
set -u
cli=$1 sim=$2
work=$(mktemp -d)
sim_pid=
trap '[ -n "$sim_pid" ] && kill "$sim_pid"; rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

"$cli" --help >"$work/out" 2>&1 || fail "--help exits $?"
"$cli" info "$work/missing.rpk" >"$work/out" 2>"$work/err"; code=$?
[ $code -eq 1 ] || fail "a missing file exits $code"
[ -s "$work/out" ] && fail "a failure printed to stdout"
grep -q '^tavrix-cli: ' "$work/err" || fail "no message on stderr"
"$cli" detect >/dev/null 2>&1; code=$?
[ $code -eq 2 ] || fail "a usage error exits $code"

# A download at the line rate, interrupted once the image is coming.
"$sim" --model 38 --path-file "$work/port" >/dev/null &
sim_pid=$!
while [ ! -s "$work/port" ]; do sleep 0.05; done
"$cli" read --port "$(cat "$work/port")" --program-dir "$work" >"$work/out" 2>"$work/err" &
read_pid=$!
until grep -q 'Загрузка данных' "$work/err"; do
  kill -0 $read_pid 2>/dev/null || fail "read ended before the image came: $(cat "$work/err")"
  sleep 0.05
done
kill -INT $read_pid
wait $read_pid; code=$?
[ $code -eq 1 ] || fail "a stopped download exits $code"
grep -q 'the download was stopped' "$work/err" || fail "no word of the stop"
[ -e "$work/default.tmp" ] && fail "a stopped download wrote default.tmp"
echo ok
