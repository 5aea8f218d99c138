#!/usr/bin/env bash
# End to end under Wine: brisolt-anfitrion.exe hosts a program as the
# timetable generator does, and reports what it sees. For each program hosted
# (the small stand-in of the tests always; brisolt.exe when the build has it):
#   - started with "exportar" and the host's handle, its window is a child of
#     the host, its client rectangle in the host's client coordinates is
#     2, 2, 599 x 267, and it has neither caption nor frame;
#   - a close request makes it write Transformado=0 to Zentaro.ini beside it;
#   - "Aceptar" pressed and the boxes answered, it writes Transformado=1 and
#     ends by itself (the host then ends too).
#
#   anfitrion.sh BUILD_DIR [PREFIX]
#
# BUILD_DIR holds bin/ with the Windows programs; PREFIX is the Wine prefix to
# use (BUILD_DIR/wine-e2e when not given).
set -uo pipefail
build=$(cd "${1:?uso: anfitrion.sh BUILD_DIR [PREFIJO]}" && pwd)
prefijo=${2:-$build/wine-e2e}
aqui=$(cd "$(dirname "$0")/../.." && pwd)
wine_ejecutar() { "$aqui/cmake/wine-ejecutar.sh" "$prefijo" "$@"; }
plazo=${BRISOLT_PLAZO_ANFITRION:-180}

pasadas=0 fallidas=0
bien() { pasadas=$((pasadas + 1)); echo "  bien: $*"; }
mal() { fallidas=$((fallidas + 1)); echo "  MAL: $*"; }
# esperado NAME VALUE OUTPUT: the host printed NAME=VALUE.
esperado() {
  local linea
  linea=$(grep -a "^$1=" <<<"$3" | head -1 | tr -d '\r')
  if [ "$linea" = "$1=$2" ]; then bien "$1=$2"; else mal "$1: se esperaba $2, hay '${linea#*=}'"; fi
}

raiz=$(mktemp -d "${TMPDIR:-/tmp}/brisolt-anfitrion-XXXXXX")
trap 'rm -rf "$raiz"' EXIT

# anfitrion NAME PROGRAM OPTIONS...: the program and the host in a folder of
# their own (Zentaro.ini is looked for beside the program); prints the host's
# output; fails when the host did not end in time.
ejecutar() {
  local nombre=$1 programa=$2
  shift 2
  local carpeta=$raiz/$nombre
  rm -rf "$carpeta" && mkdir -p "$carpeta"
  cp "$build/bin/brisolt-anfitrion.exe" "$carpeta/"
  cp "$programa" "$carpeta/brisolt.exe"
  timeout "$plazo" "$aqui/cmake/wine-ejecutar.sh" "$prefijo" "$carpeta/brisolt-anfitrion.exe" \
    exportar "$@" 2>"$carpeta/errores.txt"
}

comprobar() {
  local nombre=$1 programa=$2 salida estado
  echo "anfitrion: $nombre"

  salida=$(ejecutar "$nombre-cerrar" "$programa" --informe --cerrar)
  estado=$?
  [ $estado = 0 ] && bien "el anfitrión termina tras el cierre" ||
    mal "el anfitrión no terminó bien (estado $estado): $(head -c 600 "$raiz/$nombre-cerrar/errores.txt")"
  local anfitrion
  anfitrion=$(grep -a '^anfitrion=' <<<"$salida" | head -1 | tr -d '\r')
  anfitrion=${anfitrion#anfitrion=}
  if [ -n "$anfitrion" ]; then esperado padre "$anfitrion" "$salida"; else mal "sin informe del anfitrión"; fi
  esperado rectangulo "2,2,599x267" "$salida"
  esperado titulo no "$salida"
  esperado marco no "$salida"
  esperado hija si "$salida"
  esperado Transformado 0 "$salida"
  if grep -aq '^Transformado=0' "$raiz/$nombre-cerrar/Zentaro.ini" 2>/dev/null; then
    bien "Zentaro.ini dice Transformado=0"
  else
    mal "Zentaro.ini no dice Transformado=0"
  fi

  salida=$(ejecutar "$nombre-exportar" "$programa" --aceptar)
  estado=$?
  [ $estado = 0 ] && bien "el programa termina solo tras exportar" ||
    mal "el programa no terminó solo (estado $estado): $(head -c 600 "$raiz/$nombre-exportar/errores.txt")"
  esperado Transformado 1 "$salida"
}

comprobar "sustituto del programa" "$build/bin/brisolt-hijo-prueba.exe"

if [ -f "$build/bin/brisolt.exe" ]; then
  # The program exports the sample school from C:\GC of the prefix.
  drive_c=$prefijo/drive_c
  rm -rf "$drive_c/GC" "$drive_c/ZTEMP"
  wine_ejecutar "$build/bin/brisolt-escuela.exe" 'C:\GC' >/dev/null
  comprobar "brisolt.exe" "$build/bin/brisolt.exe"
  [ -f "$drive_c/ZTEMP/ASIGT.DBF" ] && bien "la exportación escribió ASIGT.DBF" ||
    mal "la exportación no escribió C:\\ZTEMP\\ASIGT.DBF"
else
  echo "anfitrion: brisolt.exe omitido: no está en $build/bin (esta compilación no tiene la ventana)"
fi

echo "anfitrion: $pasadas passed, $fallidas failed"
[ "$fallidas" = 0 ] && [ "$pasadas" -gt 0 ]
