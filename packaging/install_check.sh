#!/usr/bin/env bash
# Installs a built package into this machine as a user would, runs the
# installed command-line calculator and removes the package again. For CI:
# it changes the system.
set -euo pipefail
deb=$(realpath "$1")
version=$2

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y "$deb"
trap 'as_root apt-get remove -y kaldora >/dev/null 2>&1 || true' EXIT

got=$(/usr/bin/kaldora-calc --type 5)
want=$'Ширина канала недостаточна\nТолщина тепловой изоляции = 23,9 мм'
[ "$got" = "$want" ] || { printf 'installed kaldora-calc --type 5 printed:\n%s\n' "$got" >&2; exit 1; }
# A protocol comes from the writer kaldora-calc hands the case to.
protocol=$(mktemp --suffix=.pdf)
/usr/bin/kaldora-calc --type 5 --protocol "$protocol" >/dev/null
[ "$(head -c 5 "$protocol")" = "%PDF-" ] || { echo "installed kaldora-calc wrote no protocol" >&2; exit 1; }
rm -f "$protocol"
got=$(/usr/bin/kaldora-calc --version)
[ "$got" = "kaldora-calc $version" ] || { echo "installed version: $got, want $version" >&2; exit 1; }
man -w kaldora-calc >/dev/null

as_root env DEBIAN_FRONTEND=noninteractive apt-get remove -y kaldora
trap - EXIT
if dpkg-query -W -f='${db:Status-Abbrev}' kaldora 2>/dev/null | grep -q '^ii'; then
  echo "kaldora is still installed" >&2; exit 1
fi
for f in /usr/bin/kaldora /usr/bin/kaldora-calc /usr/libexec/kaldora /usr/share/kaldora \
         /usr/share/applications/io.github.kaldora.kaldora.desktop; do
  [ ! -e "$f" ] || { echo "left behind after removal: $f" >&2; exit 1; }
done
echo "package installed, ran and removed cleanly: $deb"
