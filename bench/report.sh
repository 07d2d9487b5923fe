#!/usr/bin/env bash
# The report of a full-size recorder image of each model (every table filled, every slot valid)
# by tavrix-cli report, beside the same cells written by libxlsxwriter (constant_memory and
# default mode) and by openpyxl (load the template, write, save), in one run. Prints wall and
# CPU seconds and peak memory of each, and the ratios of ours to theirs.
#   bench/report.sh [BUILD_DIR]      (default: build)
# Ours is the whole tavrix-cli command, data file decoding included. libxlsxwriter is timed for
# writing only (its program decodes with the same report job first); openpyxl for loading,
# writing and saving only; peak memory is that of each whole process. On a busy machine wall
# times wait for the processor; the CPU ratio is the steadier one.
set -euo pipefail
build=${1:-build}
bin=$build/bin
ref=$build/bench/report_reference
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# "wall cpu peak_kB" of a command; its own output goes to $work/stdout.
measure() {
  /usr/bin/time -f '%e %U %S %M' -o "$work/time" "$@" >"$work/stdout" 2>"$work/stderr" ||
    { cat "$work/stderr" >&2; exit 1; }
  awk '{ printf "%s %.2f %s\n", $1, $2 + $3, $4 }' "$work/time"
}

printf '%-5s %7s | %6s %6s %6s %6s | %6s %6s %6s %6s | %5s %5s | %6s %6s %5s %5s %5s\n' \
  model cells ours-s cpu-s MB xlsxMB lxw-s cpu-s dflt-s MB wall cpu opx-s cpu-s MB x xcpu
for model in 52A 52D 52N 38; do
  dir=$work/$model
  mkdir -p "$dir/program"
  "$bin/tavrix-gen" -m "$model" --tables --invalid-share 0 -o "$dir/image.bin" >/dev/null
  "$bin/tavrix-cli" save "$dir/image.bin" data --dir "$dir" --now "2026-06-02 10:00:00" >/dev/null
  "$ref" fixture "$model" "$dir/program"

  read -r ours ours_cpu ours_kb < <(measure "$bin/tavrix-cli" report "$dir/data.rpk" \
    -o "$dir/ours.xlsx" --program-dir "$dir/program" --force)
  size=$(stat -c %s "$dir/ours.xlsx")

  read -r _ _ lxw_kb < <(measure "$ref" xlsxwriter "$model" "$dir/program" "$dir/data.rpk" \
    "$dir/cm.xlsx")
  read -r lxw lxw_cpu cells <"$work/stdout"
  measure "$ref" xlsxwriter "$model" "$dir/program" "$dir/data.rpk" "$dir/df.xlsx" \
    --default-mode >/dev/null
  read -r lxw_df _ _ <"$work/stdout"

  "$ref" cells "$model" "$dir/program" "$dir/data.rpk" "$dir/cells.tsv"
  read -r _ _ opx_kb < <(measure /usr/bin/python3 "$here/report_openpyxl.py" \
    "$dir/program/report.xlsx" "$dir/cells.tsv" "$dir/opx.xlsx")
  read -r opx opx_cpu <"$work/stdout"

  awk -v m="$model" -v c="$cells" -v o="$ours" -v oc="$ours_cpu" -v ok="$ours_kb" -v sz="$size" \
      -v l="$lxw" -v lc="$lxw_cpu" -v df="$lxw_df" -v lk="$lxw_kb" -v p="$opx" -v pc="$opx_cpu" \
      -v pk="$opx_kb" 'BEGIN {
    printf "%-5s %7d | %6.2f %6.2f %6.1f %6.2f | %6.2f %6.2f %6.2f %6.1f | %5.2f %5.2f | %6.2f %6.2f %5.0f %5.1f %5.1f\n",
      m, c, o, oc, ok / 1024, sz / 1048576, l, lc, df, lk / 1024, o / l, oc / lc, p, pc, pk / 1024, p / o,
      pc / oc }'
done
cat <<'TEXT'
ours: tavrix-cli report (wall s, CPU s, peak MB, file MB); lxw: libxlsxwriter constant_memory
(wall s, CPU s), default mode (wall s), peak MB; wall, cpu: ours / libxlsxwriter constant_memory
(at most 1.0 wanted); opx: openpyxl (wall s, CPU s, peak MB); x, xcpu: openpyxl / ours, wall
and CPU (10 or more wanted)
TEXT
