#!/usr/bin/env bash
# A download under Wine through the Win32 serial layer: the build machine's zhuv6-sim on a
# pseudo-terminal, mapped to COM7 of the Wine prefix (dosdevices/com7), read by tavrix-cli.exe
# in its program directory, the current one. A unit that does not answer gets its line settings
# back: the pty's 9600 baud is 9600 again after the scan.
#   serial_under_wine.sh WINE TAVRIX_CLI_EXE HOST_TOOLS_DIR WORK_DIR   (WINEPREFIX set)
set -u
wine=$1 cli=$2 tools=$3 work=$4
sim_pid=
stop_sim() { [ -n "$sim_pid" ] && kill "$sim_pid" 2>/dev/null && wait "$sim_pid"; sim_pid=; }
trap stop_sim EXIT
fail() { echo "FAIL: $*"; exit 1; }

# Starts the simulated unit with the given options and maps it to COM7.
start_sim() {
  stop_sim
  rm -f "$work/port"
  "$tools/zhuv6-sim" --path-file "$work/port" "$@" >/dev/null &
  sim_pid=$!
  while [ ! -s "$work/port" ]; do
    kill -0 "$sim_pid" 2>/dev/null || fail "zhuv6-sim did not start"
    sleep 0.05
  done
  pty=$(cat "$work/port")
  mkdir -p "$WINEPREFIX/dosdevices"
  ln -sfn "$pty" "$WINEPREFIX/dosdevices/com7"
}

rm -rf "$work"
mkdir -p "$work/program"
"$tools/tavrix-gen" --model 52D --seed 4 --tables -o "$work/image" || fail "no image"

start_sim --image "$work/image" --fast --once
(cd "$work/program" && "$wine" "$cli" read --port COM7 >"$work/out" 2>"$work/err")
code=$?
[ $code -eq 0 ] || fail "read exits $code: $(cat "$work/err")"
cmp -s "$work/image" "$work/program/default.tmp" || fail "default.tmp is not the unit's image"
grep -q 'ЗУЛ-52Д' "$work/out" || fail "the download was not decoded: $(cat "$work/out")"

start_sim --never-answer
stty -F "$pty" 9600 || fail "cannot set the pty's speed"
(cd "$work/program" && "$wine" "$cli" read --port COM7 >"$work/out" 2>"$work/err")
code=$?
[ $code -eq 1 ] || fail "a unit that does not answer exits $code"
grep -q 'подключите ЖУВ-6' "$work/err" || fail "no not-found message: $(cat "$work/err")"
[ "$(stty -F "$pty" speed)" = 9600 ] || fail "the port's own settings were not restored"
echo ok
