#!/usr/bin/env bash
# Runs one fuzz target for a given time from the committed corpus and the generated seeds:
#   fuzz/run.sh FUZZ_BUILD_DIR TARGET SECONDS [libFuzzer options]...
# New inputs go to FUZZ_BUILD_DIR/corpus/TARGET; a crash, leak or hang leaves its input in
# FUZZ_BUILD_DIR/artifacts/TARGET/ and makes the run fail.
set -euo pipefail
build=$1 target=$2 seconds=$3
shift 3
here=$(cd "$(dirname "$0")" && pwd)
mkdir -p "$build/corpus/$target" "$build/artifacts/$target" "$build/seeds/$target"
# Inputs longer than a data file bring nothing new; a download stream may carry an image.
case $target in
  download) max_len=300000 ;;
  dump | data_file) max_len=271067 ;;
  *) max_len=65536 ;;
esac
# The targets write their files (data files, default.tmp) into temporary folders: keep them in
# memory, where syncing them costs nothing.
[ -d /dev/shm ] && export TMPDIR=/dev/shm
exec "$build/fuzz/fuzz_$target" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=3072 \
  -max_len="$max_len" -print_final_stats=1 -artifact_prefix="$build/artifacts/$target/" "$@" \
  "$build/corpus/$target" "$here/corpus/$target" "$build/seeds/$target"
