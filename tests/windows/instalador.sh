#!/usr/bin/env bash
# The installer under Wine, as a school runs it silently: into the generator's
# folder (one that already holds Zentaro.ini and some data), then the
# uninstaller. The programs must be installed as they were packed, the
# Start-menu entry made, and everything the installer put there removed
# again, while Zentaro.ini and the data stay as they were.
#
#   instalador.sh INSTALLER PROGRAMS_DIR PREFIX
#
# PROGRAMS_DIR is the folder the installer was made from: what is there is
# what must be installed (brisolt.exe only when the build has it).
set -uo pipefail
instalador=${1:?uso: instalador.sh INSTALADOR CARPETA_PROGRAMAS PREFIJO}
programas=${2:?uso: instalador.sh INSTALADOR CARPETA_PROGRAMAS PREFIJO}
prefijo=${3:?uso: instalador.sh INSTALADOR CARPETA_PROGRAMAS PREFIJO}
aqui=$(cd "$(dirname "$0")/../.." && pwd)
wine_ejecutar() { "$aqui/cmake/wine-ejecutar.sh" "$prefijo" "$@"; }

pasadas=0 fallidas=0
bien() { pasadas=$((pasadas + 1)); echo "  bien: $*"; }
mal() { fallidas=$((fallidas + 1)); echo "  MAL: $*"; }

# The prefix exists once a first program ran in it (brisolt-cli.exe without
# an order only prints how to use it).
wine_ejecutar "$programas/brisolt-cli.exe" >/dev/null 2>&1 || true
drive_c=$prefijo/drive_c
# No blank in the name: /D= takes the rest of the command line unquoted, and
# Wine quotes an argument with a blank.
nombre="Generador-$$"
carpeta=$drive_c/$nombre
menu="$drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Brisolt"
rm -rf "$carpeta" "$menu"
mkdir -p "$carpeta/GC"
original=$(mktemp "${TMPDIR:-/tmp}/brisolt-zentaro-XXXXXX.ini")
printf '[General]\r\nRuta=C:\\ZENTARO\r\n[Transformadores]\r\nTransformado=1\r\n' >"$original"
cp "$original" "$carpeta/Zentaro.ini"
printf 'datos del centro' >"$carpeta/GC/horprof.dbf"
trap 'rm -rf "$carpeta" "$menu" "$original"' EXIT

instalados=(brisolt-cli.exe)
if [ -f "$programas/brisolt.exe" ]; then
  instalados+=(brisolt.exe)
else
  echo "instalador: brisolt.exe omitido: no está en $programas (esta compilación no tiene la ventana)"
fi

echo "instalador: $(basename "$instalador") /S /D=C:\\$nombre"
if timeout 300 "$aqui/cmake/wine-ejecutar.sh" "$prefijo" "$instalador" /S "/D=C:\\$nombre"; then
  bien "el instalador termina sin error"
else
  mal "el instalador falló"
fi
for p in "${instalados[@]}"; do
  cmp -s "$programas/$p" "$carpeta/$p" && bien "instalado $p" || mal "no está instalado $p"
done
[ -f "$carpeta/desinstalar-brisolt.exe" ] && bien "instalado el desinstalador" ||
  mal "no está el desinstalador"
if [ -f "$programas/brisolt.exe" ]; then
  [ -f "$menu/Brisolt.lnk" ] && bien "entrada en el menú Inicio" || mal "falta la entrada del menú Inicio"
fi
cmp -s "$original" "$carpeta/Zentaro.ini" && bien "Zentaro.ini intacto tras instalar" ||
  mal "Zentaro.ini cambió al instalar"

# The uninstaller copies itself elsewhere and works from there: wait for it.
echo "instalador: desinstalar-brisolt.exe /S"
wine_ejecutar "$carpeta/desinstalar-brisolt.exe" /S || mal "el desinstalador falló"
for _ in $(seq 120); do
  [ -e "$carpeta/desinstalar-brisolt.exe" ] || [ -e "$carpeta/brisolt-cli.exe" ] || break
  sleep 0.5
done
quedan=$(cd "$carpeta" && find . -type f | sort | tr '\n' ' ')
[ "$quedan" = "./GC/horprof.dbf ./Zentaro.ini " ] && bien "quedan solo Zentaro.ini y los datos" ||
  mal "tras desinstalar quedan: $quedan"
cmp -s "$original" "$carpeta/Zentaro.ini" && bien "Zentaro.ini intacto tras desinstalar" ||
  mal "Zentaro.ini cambió al desinstalar"
[ ! -e "$menu" ] && bien "sin entrada en el menú Inicio" || mal "queda la entrada del menú Inicio"

echo "instalador: $pasadas passed, $fallidas failed"
[ "$fallidas" = 0 ] && [ "$pasadas" -gt 0 ]
