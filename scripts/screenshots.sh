#!/usr/bin/env bash
# Renders the desktop application's windows to PNG files, offscreen, over a fresh copy of the
# sample data files (so that no Tavrix.ini of an earlier run changes the pictures):
#   scripts/screenshots.sh BIN_DIR RUNTIME_DIR OUT_DIR
set -euo pipefail
bin=$1 runtime=$2 out=$3
program=$(mktemp -d)
trap 'rm -rf "$program"' EXIT
cp -r "$runtime/samples" "$program/"
rm -rf "$out"
QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen} "$bin/tavrix-screenshots" "$out" "$program"
ls "$out"/*.png
