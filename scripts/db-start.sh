#!/usr/bin/env bash
# Makes sure a MariaDB server answers on 127.0.0.1:3306 with root / quillrok_29.
# When none does, starts a project-local one whose files live in .mariadb/.
# Then creates the two schemas when they are missing (never drops anything).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir="$root/.mariadb"
password=quillrok_29
client=(mariadb --protocol=TCP -h 127.0.0.1 -P 3306 -uroot "-p$password")

answers() { "${client[@]}" -e "SELECT 1" >/dev/null 2>&1; }

if ! answers; then
  mkdir -p "$dir/data" "$dir/run"
  cat > "$dir/my.cnf" <<CNF
[mysqld]
user=root
datadir=$dir/data
socket=$dir/run/mysqld.sock
pid-file=$dir/run/mysqld.pid
log-error=$dir/mysqld.log
bind-address=127.0.0.1
port=3306
skip-name-resolve
character-set-server=utf8mb4
collation-server=utf8mb4_unicode_ci
innodb_buffer_pool_size=256M
innodb_flush_log_at_trx_commit=2
[client]
socket=$dir/run/mysqld.sock
CNF
  if [ ! -d "$dir/data/mysql" ]; then
    mariadb-install-db --defaults-file="$dir/my.cnf" --auth-root-authentication-method=normal \
      --skip-test-db >"$dir/install.log" 2>&1
    fresh=1
  fi
  mariadbd --defaults-file="$dir/my.cnf" >/dev/null 2>&1 &
  for _ in $(seq 1 100); do
    [ -S "$dir/run/mysqld.sock" ] && break
    sleep 0.1
  done
  if [ "${fresh:-0}" = 1 ]; then
    for _ in $(seq 1 50); do
      mariadb --defaults-file="$dir/my.cnf" -uroot -e "SELECT 1" >/dev/null 2>&1 && break
      sleep 0.1
    done
    mariadb --defaults-file="$dir/my.cnf" -uroot <<SQL
ALTER USER 'root'@'localhost' IDENTIFIED BY '$password';
CREATE USER IF NOT EXISTS 'root'@'127.0.0.1' IDENTIFIED BY '$password';
ALTER USER 'root'@'127.0.0.1' IDENTIFIED BY '$password';
GRANT ALL PRIVILEGES ON *.* TO 'root'@'127.0.0.1' WITH GRANT OPTION;
CREATE USER IF NOT EXISTS 'root'@'::1' IDENTIFIED BY '$password';
ALTER USER 'root'@'::1' IDENTIFIED BY '$password';
DELETE FROM mysql.global_priv WHERE User='root' AND Host NOT IN ('localhost','127.0.0.1','::1');
FLUSH PRIVILEGES;
SQL
  fi
  for _ in $(seq 1 100); do answers && break; sleep 0.1; done
  answers || { echo "MariaDB did not start; see $dir/mysqld.log" >&2; exit 1; }
fi

"${client[@]}" -e "CREATE DATABASE IF NOT EXISTS xml_quova CHARACTER SET utf8mb4 COLLATE utf8mb4_unicode_ci;
CREATE DATABASE IF NOT EXISTS quova24 CHARACTER SET utf8mb4 COLLATE utf8mb4_unicode_ci;"
"${client[@]}" xml_quova < "$root/db/xml_quova.sql"
"${client[@]}" quova24 < "$root/db/quova24.sql"
