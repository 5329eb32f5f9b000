#!/usr/bin/env bash
# Installs the Debian packages the program, its tests and its demo need.
# Idempotent and quiet when everything is already there.
set -euo pipefail
packages=(
  build-essential cmake
  qt6-base-dev libqt6sql6-mysql libgl-dev
  mariadb-server mariadb-client
  xvfb xauth poppler-utils libxml2-utils fonts-dejavu-core
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
echo "Installing: ${missing[*]}"
"${sudo_cmd[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
