#!/usr/bin/env bash
# Renders the desktop application's windows to PNG files, offscreen, over a fresh copy of the
# sample data files and media (so that no Tavrix.ini of an earlier run changes the pictures);
# the main window in reading mode comes from a download from zhuv6-sim:
#   scripts/screenshots.sh BIN_DIR RUNTIME_DIR OUT_DIR
set -euo pipefail
bin=$1 runtime=$2 out=$3
program=$(mktemp -d)
sim_pid=
cleanup() {
  [ -n "$sim_pid" ] && kill "$sim_pid" 2>/dev/null || true
  rm -rf "$program"
}
trap cleanup EXIT
cp -r "$runtime/samples" "$program/"
cp "$runtime"/*.avi "$runtime"/*.wav "$program/"
"$bin/zhuv6-sim" --model 52N --fast --once --path-file "$program/port" >/dev/null &
sim_pid=$!
for _ in $(seq 100); do [ -s "$program/port" ] && break; sleep 0.1; done
printf '[Настройки]\r\nSerialPorts=%s\r\n' "$(cat "$program/port")" |
  iconv -f UTF-8 -t CP1251 >"$program/Tavrix.ini"
rm -rf "$out"
TAVRIX_SCREENSHOT_DOWNLOAD=1 QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen} \
  "$bin/tavrix-screenshots" "$out" "$program"
ls "$out"/*.png
