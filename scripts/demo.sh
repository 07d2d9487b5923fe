#!/usr/bin/env bash
# The whole day's work of Tavrix without a window, step by step: a download from a simulated
# ЖУВ-6, the data file saved with its passport, the reports of it and of one sample of every
# model in build/runtime/reports/, then how the samples are made.
#   scripts/demo.sh [BUILD_DIR]      (default: build)
set -euo pipefail
build=${1:-build}
bin=$build/bin
work=$(mktemp -d)
sim_pid=
# The simulator serves one download and leaves, so it may be gone already.
cleanup() {
  if [ -n "$sim_pid" ]; then kill "$sim_pid" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT
now="2026-11-20 10:30:00"
mkdir -p "$work/program" "$work/data"

echo "== 1. Download: zhuv6-sim serves a ЗУЛ-52Д recorder image; tavrix-cli read fetches it"
"$bin/zhuv6-sim" --model 52D --seed 21 --fast --once --path-file "$work/port" >/dev/null &
sim_pid=$!
# The simulator names its pty in the port file once it listens; give it ten seconds.
for _ in $(seq 200); do [ -s "$work/port" ] && break; sleep 0.05; done
[ -s "$work/port" ] || { echo "zhuv6-sim did not start: no port after 10 s" >&2; exit 1; }
"$bin/tavrix-cli" read --port "$(cat "$work/port")" --program-dir "$work/program" --now "$now" |
  tee "$work/detect.txt"
dump=$work/program/default.tmp

echo
echo "== 2. Save: the passport completed, saved under the name the read flow proposes"
entry() { sed -n "s/^ *$1  [^:]*: //p" "$work/detect.txt"; }
name="$(entry 5) №$(entry 6) ${now:8:2}.${now:5:2}.${now:0:4}"
file=$("$bin/tavrix-cli" save "$dump" "$name" --dir "$work/data" --now "$now" \
         --set "7=А-13402" --set "10=Клинцовский автокрановый завод" \
         --set "11=АО «Трест Механизации № 3»" --set "12=ООО «Крансервис»" \
         --set "13=Смирнов В. Н." --set "14=1021" --set "15=31.12.2027")
echo "-- saved as $file"
"$bin/tavrix-cli" info "$file"

echo
echo "== 3. Reports: tavrix-cli report, as \"Создать отчет\" does, into $build/runtime/reports"
reports=$build/runtime/reports
mkdir -p "$reports"
# Seconds since the epoch with nanoseconds, for the time each report takes.
clock() { date +%s.%N; }
report() {
  local data=$1 out="$reports/$(basename "${1%.rpk}").xlsx" start
  start=$(clock)
  "$bin/tavrix-cli" report "$data" -o "$out" --program-dir "$build/runtime" --now "$now" --force
  echo "   took $(awk -v a="$start" -v b="$(clock)" 'BEGIN { printf "%.2f", b - a }') s"
}
report "$file"
for sample in "$build"/runtime/samples/*.rpk; do report "$sample"; done

echo
echo "== 4. Sample data files of every model"
"$(dirname "$0")/samples.sh" "$bin" "$build/runtime/samples" --verbose
