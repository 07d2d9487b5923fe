#!/usr/bin/env bash
# Starts the desktop application in its program directory:
#   scripts/run.sh BIN_DIR PROGRAM_DIR
# On the first start (no Tavrix.ini there yet) the settings file is seeded so that the browser
# opens the bundled samples; after that the application keeps its own settings.
# With SIM set to a model (52A, 52D, 52N, 38), a simulated ЖУВ-6 serving an image of that model
# runs while the application does, and Tavrix.ini's SerialPorts names its port, so that
# "Считать" downloads from it; the simulator ends with the application.
set -euo pipefail
bin=$(cd "$1" && pwd) program=$2
cd "$program"
section='[Настройки]'
if [ ! -e Tavrix.ini ]; then
  # Tavrix.ini holds code page 1251; a path that code page cannot hold is not seeded.
  if printf '%s\r\nРабочая директория=%s\r\n' "$section" "$PWD/samples" |
     iconv -f UTF-8 -t CP1251 >Tavrix.ini.new 2>/dev/null; then
    mv Tavrix.ini.new Tavrix.ini
  else
    rm -f Tavrix.ini.new
  fi
fi
if [ -z "${SIM:-}" ]; then
  exec "$bin/tavrix"
fi

rm -f .zhuv6-port
"$bin/zhuv6-sim" --model "$SIM" --fast --path-file .zhuv6-port &
sim_pid=$!
trap 'kill "$sim_pid" 2>/dev/null || true; rm -f .zhuv6-port' EXIT
for _ in $(seq 100); do [ -s .zhuv6-port ] && break; sleep 0.1; done
[ -s .zhuv6-port ] || { echo "run.sh: zhuv6-sim did not start" >&2; exit 1; }
port=$(cat .zhuv6-port)
echo "run.sh: a simulated ЖУВ-6 ($SIM) answers on $port"
# SerialPorts set under [Настройки] (added when missing); the other lines are kept.
touch Tavrix.ini
iconv -f CP1251 -t UTF-8 Tavrix.ini |
  awk -v section="$section" -v port="$port" '
    { sub(/\r$/, "") }
    /^\[/ { if (in_section && !done) { print "SerialPorts=" port; done = 1 }
            in_section = ($0 == section) }
    in_section && /^SerialPorts=/ { next }
    { print }
    END { if (!done) { if (!in_section) print section; print "SerialPorts=" port } }' |
  sed 's/$/\r/' | iconv -f UTF-8 -t CP1251 >Tavrix.ini.new
mv Tavrix.ini.new Tavrix.ini
"$bin/tavrix"
