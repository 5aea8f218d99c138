#!/bin/sh
# Runs one Windows program under Wine: the CMAKE_CROSSCOMPILING_EMULATOR of the
# mingw-w64 toolchains, so ctest and GoogleTest's test discovery go through it.
#
#   cmake/wine-ejecutar.sh PREFIX PROGRAM.exe [ARGUMENTS...]
#
# PREFIX is a Wine prefix of the build's own, made on first use by one
# wineboot under a lock, however many callers start at once. Wine never
# downloads anything (no Mono, no Gecko), writes no menu entries into the
# user's desktop, and draws through its null graphics driver.
#
# The exit status is the program's, and never 0 when the program did not run:
# not a Windows program, no Wine loader that runs its architecture on this
# machine (Debian's wine with wine64 alone, or a kernel without 32-bit code,
# would otherwise print a warning and carry on), a prefix that could not be
# made, or a test program that lists no test.
set -u

uso="uso: wine-ejecutar.sh PREFIJO PROGRAMA [ARGUMENTOS...]"
prefijo=${1:?$uso}
programa=${2:?$uso}
shift 2

WINE32=${WINE32:-/usr/lib/wine/wine}
WINE64=${WINE64:-/usr/lib/wine/wine64}
WINESERVER=${WINESERVER:-/usr/lib/wine/wineserver}

falla() {
  echo "wine-ejecutar: $*" >&2
  exit 127
}

# Which loader: the machine field of the PE header.
[ -f "$programa" ] || falla "no existe el programa $programa"
[ "$(od -An -c -N2 "$programa" | tr -d ' ')" = MZ ] || falla "$programa no es un programa de Windows"
pe=$(od -An -tu4 -j60 -N4 "$programa" | tr -d ' ')
maquina=$(od -An -tx2 -j$((pe + 4)) -N2 "$programa" | tr -d ' ')
case $maquina in
  014c) cargador=$WINE32; bits=32 ;;
  8664) cargador=$WINE64; bits=64 ;;
  *) falla "$programa es de una arquitectura que Wine no ejecuta aquí (máquina $maquina)" ;;
esac
if ! "$cargador" --version >/dev/null 2>&1; then
  if [ $bits = 32 ]; then
    falla "este equipo no ejecuta programas de Windows de 32 bits ($cargador no arranca):" \
          "falta wine32:i386, o el núcleo no ejecuta código de 32 bits"
  fi
  falla "falta $cargador (paquete wine64)"
fi

# Unix paths for the prefix: Wine wants it absolute.
case $prefijo in /*) ;; *) prefijo=$(pwd)/$prefijo ;; esac
export WINEPREFIX="$prefijo"
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export WINEDEBUG="${WINEDEBUG:-fixme-all,err-winediag,err-systray}"

mkdir -p "$(dirname "$prefijo")" || falla "no se puede crear $(dirname "$prefijo")"
exec 9>>"$prefijo.cerrojo" || falla "no se puede abrir $prefijo.cerrojo"
flock 9 || falla "no se puede bloquear $prefijo.cerrojo"

# One wineboot per prefix. A 64-bit prefix runs both kinds of programs where
# the machine runs 32-bit code; a half-made prefix (an interrupted run) is
# made again. The graphics driver is set once wineboot has written the
# registry; DISPLAY is hidden from wineboot so it never shows its window.
if "$WINE64" --version >/dev/null 2>&1; then
  arrancador=$WINE64; arquitectura=win64
else
  arrancador=$WINE32; arquitectura=win32
fi
if [ ! -e "$prefijo/.preparado" ]; then
  echo "wine-ejecutar: preparando el prefijo de Wine $prefijo" >&2
  rm -rf "$prefijo"
  if ! (
        unset DISPLAY WAYLAND_DISPLAY
        export WINELOADER=$arrancador WINEARCH=$arquitectura
        "$arrancador" wineboot --init &&
          "$arrancador" reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f &&
          "$WINESERVER" -w
      ) </dev/null >"$prefijo.log" 2>&1 9>&-; then
    falla "no se pudo preparar el prefijo de Wine (véase $prefijo.log)"
  fi
  : >"$prefijo/.preparado"
fi

# One server for all the programs of a run, kept a minute after the last one.
# When a program starts the server itself, Wine's background processes
# (services, devices, the desktop) inherit that program's output and keep it
# open until the server ends, so ctest or the test discovery would wait for
# the server. A new server therefore gets those processes started at once,
# apart from any caller's output.
if WINELOADER=$arrancador "$WINESERVER" -p60 </dev/null >/dev/null 2>&1 9>&-; then
  WINELOADER=$arrancador "$arrancador" cmd.exe /c exit </dev/null >/dev/null 2>&1 9>&-
fi
exec 9>&-

export WINELOADER=$cargador
case " $* " in
  *" --gtest_list_tests "*)
    # The list comes with the console's CRLF line ends, which would end up in
    # every test name.
    salida=$("$cargador" "$programa" "$@")
    estado=$?
    printf '%s\n' "$salida" | tr -d '\r'
    [ $estado -eq 0 ] || exit $estado
    printf '%s\n' "$salida" | grep -q '^  ' || falla "$programa no ha listado ninguna prueba"
    exit 0
    ;;
esac
exec "$cargador" "$programa" "$@"
