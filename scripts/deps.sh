#!/usr/bin/env bash
# Installs the Debian packages listed in scripts/debian-packages.txt (or in the list given as the
# argument) that are not installed yet.
# Idempotent: with everything present it only checks, and never touches the network.
#   scripts/deps.sh [LIST]
set -euo pipefail
list=${1:-"$(dirname "$0")/debian-packages.txt"}
missing=()
while read -r pkg; do
  [ -z "$pkg" ] && continue
  status=$(dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null || true)
  [ "$status" = "install ok installed" ] || missing+=("$pkg")
done < <(sed -e 's/#.*//' -e 's/[[:space:]]//g' "$list")
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing Debian packages: ${missing[*]}"
sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -q
"${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
