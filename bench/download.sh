#!/usr/bin/env bash
# A download at the true line rate: zhuv6-sim sends a generated image at 9 600 bytes/s and
# tavrix-cli read receives it. Prints the wall time against the line time
# (270 336 x 12 / 115 200 = 28.16 s) and the CPU time the reading process used.
#   bench/download.sh [BIN_DIR]      (default: build/bin)
set -euo pipefail
bin=${1:-build/bin}
work=$(mktemp -d)
sim_pid=
cleanup() { [ -n "$sim_pid" ] && kill "$sim_pid" 2>/dev/null; rm -rf "$work"; }
trap cleanup EXIT

"$bin/zhuv6-sim" --model 52A --once --path-file "$work/port" >/dev/null &
sim_pid=$!
while [ ! -s "$work/port" ]; do sleep 0.05; done

TIMEFORMAT='%R %U %S'
times=$( { time "$bin/tavrix-cli" read --port "$(cat "$work/port")" --program-dir "$work" \
             >/dev/null 2>"$work/err"; } 2>&1 ) || { cat "$work/err"; exit 1; }
read -r wall user sys <<<"$times"

# The protocol's own waits: 300 ms after opening the port, 200 ms before the image, and the
# 400 ms of silence that ends it.
awk -v wall="$wall" -v user="$user" -v sys="$sys" 'BEGIN {
  line = 270336 * 12 / 115200; fixed = 0.9; transfer = wall - fixed; cpu = user + sys
  printf "line time           %6.2f s\n", line
  printf "wall time           %6.2f s  (%+.2f%% of line time + %.1f s of protocol waits)\n",
         wall, (transfer - line) / line * 100, fixed
  printf "transfer            %6.2f s  (%+.2f%% of line time)\n", transfer, (transfer - line) / line * 100
  printf "CPU time            %6.3f s  (user %.3f, sys %.3f), %.2f%% of wall time\n",
         cpu, user, sys, cpu / wall * 100
}'
