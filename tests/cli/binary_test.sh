#!/usr/bin/env bash
# The tavrix-cli executable itself: exit codes 0, 1 and 2, UTF-8 on stdout, errors on stderr.
set -u
cli=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

"$cli" --help >"$work/out" 2>&1 || fail "--help exits $?"
"$cli" info "$work/missing.rpk" >"$work/out" 2>"$work/err"; code=$?
[ $code -eq 1 ] || fail "a missing file exits $code"
[ -s "$work/out" ] && fail "a failure printed to stdout"
grep -q '^tavrix-cli: ' "$work/err" || fail "no message on stderr"
"$cli" detect >/dev/null 2>&1; code=$?
[ $code -eq 2 ] || fail "a usage error exits $code"
echo ok
