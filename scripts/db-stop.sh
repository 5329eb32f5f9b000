#!/usr/bin/env bash
# Stops the project-local MariaDB started by db-start.sh, if it runs.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
pidfile="$root/.mariadb/run/mysqld.pid"
[ -f "$pidfile" ] || exit 0
pid=$(cat "$pidfile")
kill "$pid" 2>/dev/null || exit 0
for _ in $(seq 1 100); do
  kill -0 "$pid" 2>/dev/null || exit 0
  sleep 0.1
done
echo "MariaDB (pid $pid) did not stop in 10 s" >&2
exit 1
