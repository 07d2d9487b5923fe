#!/usr/bin/env bash
# Starts the desktop application in its program directory:
#   scripts/run.sh BIN_DIR PROGRAM_DIR
# On the first start (no Tavrix.ini there yet) the settings file is seeded so that the browser
# opens the bundled samples; after that the application keeps its own settings.
set -euo pipefail
bin=$(cd "$1" && pwd) program=$2
cd "$program"
if [ ! -e Tavrix.ini ]; then
  # Tavrix.ini holds code page 1251; a path that code page cannot hold is not seeded.
  if printf '[Настройки]\r\nРабочая директория=%s\r\n' "$PWD/samples" |
     iconv -f UTF-8 -t CP1251 >Tavrix.ini.new 2>/dev/null; then
    mv Tavrix.ini.new Tavrix.ini
  else
    rm -f Tavrix.ini.new
  fi
fi
exec "$bin/tavrix"
