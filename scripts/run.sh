#!/usr/bin/env bash
# Installs what is missing, builds, starts a local demo database and the program.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
scripts/install-deps.sh
scripts/db-start.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)" --target fatturazione
client=(mariadb --protocol=TCP -h 127.0.0.1 -P 3306 -uroot -pquillrok_29)
mkdir -p demo/xml
if [ "$("${client[@]}" -N -e 'SELECT COUNT(*) FROM xml_quova.azienda')" = 0 ]; then
  "${client[@]}" < db/demo.sql
fi
# The company folder must exist and end with the separator, in at most 40 characters.
out="$root/demo/xml/"
[ ${#out} -le 40 ] || out=/tmp/fatture-demo-xml/
mkdir -p "$out"
"${client[@]}" -e "UPDATE xml_quova.azienda SET path='$out' ORDER BY codice LIMIT 1"
printf '127.0.0.1\nxml_quova\nA\n' > demo/ip.ini
cd demo
exec "$root/build/fatturazione"
