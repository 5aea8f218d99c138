#!/usr/bin/env bash
# The same round trip on the sample school by the Linux brisolt-cli and by
# brisolt-cli.exe under Wine: the ten exchange tables and the school's two
# timetables must be the same bytes (the header's date of last change aside).
#
#   comparar_con_linux.sh LINUX_BRISOLT_CLI WINDOWS_BUILD_DIR
set -euo pipefail
linux=$1
windows=$2
aqui=$(cd "$(dirname "$0")/../.." && pwd)
if [ ! -x "$linux" ]; then
  echo "comparar_con_linux: omitida, no hay brisolt-cli de Linux en $linux (make build)"; exit 0
fi
raiz=$(mktemp -d "${TMPDIR:-/tmp}/brisolt-comparar-XXXXXX")
trap 'rm -rf "$raiz"' EXIT

"$linux" demo --dir "$raiz/linux" >/dev/null
# Wine reaches the whole Linux tree through its drive Z:.
"$aqui/cmake/wine-ejecutar.sh" "$windows/wine" "$windows/bin/brisolt-cli.exe" demo \
  --dir "Z:$raiz/windows" >/dev/null

pasadas=0 fallidas=0
comparar() {
  # Bytes 1 to 3 are the date of the last change.
  if cmp -s <(head -c 1 "$1"; tail -c +5 "$1") <(head -c 1 "$2"; tail -c +5 "$2"); then
    pasadas=$((pasadas + 1))
  else
    echo "distintos: ${1#$raiz/linux/}"; fallidas=$((fallidas + 1))
  fi
}
for f in "$raiz"/linux/ZTEMP/*.DBF; do comparar "$f" "$raiz/windows/ZTEMP/$(basename "$f")"; done
for f in horprof.dbf horgrup.dbf; do comparar "$raiz/linux/GC/$f" "$raiz/windows/GC/$f"; done
echo "comparar_con_linux: $pasadas passed, $fallidas failed"
[ "$fallidas" = 0 ] && [ "$pasadas" -ge 12 ]
