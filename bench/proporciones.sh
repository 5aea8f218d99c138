#!/bin/bash
# The export and the import of the sample school measured against what they
# cannot beat, side by side in one run, for one or more builds of
# bench_ida_vuelta (a Linux program, or a Windows one run under Wine):
#
#   - the export at scale 16 against python3-dbfread reading the same input
#     tables (target: at most 0.15 of its time);
#   - the export at scale 16 against a plain copy of every file it read and
#     wrote, made by the same program on the same disk (target: at most 8x);
#   - export plus import at scale 16 against scale 4 (linear growth: at most
#     4.4x).
#
#   bench/proporciones.sh [-n VECES] PROGRAMA [PROGRAMA ...]
#
# Each figure is the best of VECES runs (default 1). A Windows program runs
# through cmake/wine-ejecutar.sh in the prefix $BRISOLT_BENCH_WINEPREFIX, by
# default the "wine" prefix of its build folder. The reading time of
# python3-dbfread is taken once, on the inputs the first Linux program wrote
# (the sample school is the same for every build: same seed, same tables).
# Not a test: it prints figures and marks each target met or missed.
set -eu

veces=1
if [ "${1:-}" = -n ]; then
  veces=${2:?"-n necesita un número"}
  shift 2
fi
[ $# -gt 0 ] || {
  echo "uso: proporciones.sh [-n VECES] PROGRAMA [PROGRAMA ...]" >&2
  exit 2
}

raiz=$(cd "$(dirname "$0")/.." && pwd)
python=/usr/bin/python3
[ -x $python ] || python=python3
trabajo=$(mktemp -d "${TMPDIR:-/tmp}/brisolt-proporciones-XXXXXX")
trap 'rm -rf "$trabajo"' EXIT

es_windows() {
  [ "$(od -An -c -N2 "$1" | tr -d ' ')" = MZ ]
}

# One run of a program at scales 4 and 16; its output in $2.
correr() {
  local programa=$1 salida=$2 conservar=$3
  if es_windows "$programa"; then
    local build
    build=$(cd "$(dirname "$programa")/.." && pwd)
    "$raiz/cmake/wine-ejecutar.sh" "${BRISOLT_BENCH_WINEPREFIX:-$build/wine}" "$programa" 4 16 \
      >"$salida" 2>"$salida.err"
  elif [ -n "$conservar" ]; then
    "$programa" --conservar "$conservar" 4 16 >"$salida" 2>"$salida.err"
  else
    "$programa" 4 16 >"$salida" 2>"$salida.err"
  fi || {
    echo "proporciones: $programa falló:" >&2
    cat "$salida.err" >&2
    exit 1
  }
  tr -d '\r' <"$salida" >"$salida.t" && mv "$salida.t" "$salida"
}

# Seconds of one line "Comando escala N S s ..."; the best of several files.
segundos() {
  local comando=$1 escala=$2
  shift 2
  awk -v c="$comando" -v e="$escala" \
    '$1 == c && $3 == e { if (m == "" || $4 < m) m = $4 } END { print m }' "$@"
}

entradas=""
i=0
for programa in "$@"; do
  i=$((i + 1))
  for v in $(seq "$veces"); do
    conservar=""
    if [ -z "$entradas" ] && ! es_windows "$programa"; then
      conservar=$trabajo/unidad
      entradas=$trabajo/entradas
    fi
    correr "$programa" "$trabajo/p$i.$v" "$conservar"
    if [ -n "$conservar" ]; then
      awk '$1 == "entrada" && $2 == 16 && tolower($3) ~ /\.dbf$/ { print $3 }' \
        "$trabajo/p$i.$v" >"$entradas"
    fi
  done
done

dbfread=""
if [ -n "$entradas" ] && [ -s "$entradas" ]; then
  # shellcheck disable=SC2046
  dbfread=$("$python" - $(cat "$entradas") <<'EOF'
import sys, time
from dbfread import DBF
mejor = None
for _ in range(3):
    inicio = time.perf_counter()
    registros = 0
    for ruta in sys.argv[1:]:
        for _registro in DBF(ruta, encoding="cp1252", char_decode_errors="replace"):
            registros += 1
    t = time.perf_counter() - inicio
    mejor = t if mejor is None else min(mejor, t)
print(f"{mejor:.3f} {registros} {len(sys.argv) - 1}")
EOF
)
  echo "python3-dbfread lee las entradas de la escala 16: ${dbfread%% *} s" \
    "($(echo "$dbfread" | cut -d' ' -f2) registros de $(echo "$dbfread" | cut -d' ' -f3) tablas)"
else
  echo "python3-dbfread: sin entradas (ningún programa de Linux en la lista)"
fi
echo

printf '%-44s %8s %8s %8s %8s %8s  %-14s %-14s %-14s\n' programa exp4 imp4 exp16 imp16 copia16 \
  "exp/dbfread" "exp/copia" "16/4"
i=0
for programa in "$@"; do
  i=$((i + 1))
  archivos=("$trabajo"/p$i.*)
  archivos=("${archivos[@]/%.err/}")
  mapfile -t archivos < <(printf '%s\n' "${archivos[@]}" | sort -u)
  e4=$(segundos Exportar 4 "${archivos[@]}")
  i4=$(segundos Importar 4 "${archivos[@]}")
  e16=$(segundos Exportar 16 "${archivos[@]}")
  i16=$(segundos Importar 16 "${archivos[@]}")
  c16=$(segundos Copia 16 "${archivos[@]}")
  awk -v p="$programa" -v e4="$e4" -v i4="$i4" -v e16="$e16" -v i16="$i16" -v c16="$c16" \
    -v d="${dbfread%% *}" '
    function marca(v, tope) { return sprintf("%7.3f %-6s", v, v <= tope ? "(sí)" : "(no)") }
    BEGIN {
      n = length(p) > 44 ? "..." substr(p, length(p) - 40) : p
      lec = d != "" && d > 0 ? marca(e16 / d, 0.15) : "-"
      cop = c16 > 0 ? marca(e16 / c16, 8) : "-"
      esc = marca((e16 + i16) / (e4 + i4), 4.4)
      printf "%-44s %8.3f %8.3f %8.3f %8.3f %8.3f  %-14s %-14s %-14s\n", n, e4, i4, e16, i16, c16, lec, cop, esc
    }'
done
echo
echo "Objetivos: exp/dbfread <= 0.15, exp/copia <= 8, 16/4 <= 4.4 (exportar + importar)."
