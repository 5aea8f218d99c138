#!/usr/bin/env bash
# Kills `brisolt-cli importar` at random moments of its write-back and checks
# that the next command leaves the school's two timetables both old or both
# new, byte for byte, with nothing left beside them. The renames and flushes
# are slowed down with strace so that the kills land inside the write-back.
#
#   matar_importar.sh BIN_DIR [RUNS]      (RUNS: 200 by default)
set -euo pipefail

bin=$1
vueltas=${2:-200}
command -v strace >/dev/null || { echo "matar_importar: falta strace"; exit 1; }

# LeakSanitizer cannot run under a tracer; leaks are other tests' business.
export ASAN_OPTIONS=${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0

raiz=$(mktemp -d "${TMPDIR:-/tmp}/brisolt-matar-XXXXXX")
trap 'rm -rf "$raiz"' EXIT
export BRISOLT_DRIVE_C=$raiz/C
mkdir -p "$BRISOLT_DRIVE_C"

# A school taken through a whole round trip: the next import needs no answers.
"$bin/brisolt-cli" demo --dir "$BRISOLT_DRIVE_C" >/dev/null
gc=$BRISOLT_DRIVE_C/GC
mkdir -p "$raiz/viejo" "$raiz/nuevo"
cp -p "$gc/horprof.dbf" "$gc/horgrup.dbf" "$raiz/viejo/"
# The old timetables differ from what the import writes: one byte of the
# header's date is enough.
for f in horprof.dbf horgrup.dbf; do
  printf '\001' | dd of="$raiz/viejo/$f" bs=1 seek=3 conv=notrunc status=none
done

reponer() { cp -p "$raiz/viejo/horprof.dbf" "$raiz/viejo/horgrup.dbf" "$gc/"; }
reponer
"$bin/brisolt-cli" importar --gc "$gc" >/dev/null
cp -p "$gc/horprof.dbf" "$gc/horgrup.dbf" "$raiz/nuevo/"
cmp -s "$raiz/nuevo/horprof.dbf" "$raiz/viejo/horprof.dbf" && { echo "importar no cambió nada"; exit 1; }
antes=$(ls -A "$gc" | sort)

lento=(strace -f -qq -o /dev/null -e trace=rename,renameat,renameat2,fsync,fdatasync
       -e inject=rename,renameat,renameat2:delay_enter=40000 -e inject=fsync,fdatasync:delay_enter=15000)
# How long a slowed import takes, to spread the kills over it.
inicio=$(date +%s%N)
reponer
"${lento[@]}" "$bin/brisolt-cli" importar --gc "$gc" >/dev/null
duracion=$(( ($(date +%s%N) - inicio) / 1000 ))  # µs
"$bin/brisolt-cli" restaurar --lista >/dev/null

viejos=0 nuevos=0 terminadas=0 deshechas=0 fallos=0
for ((i = 1; i <= vueltas; i++)); do
  reponer
  "${lento[@]}" "$bin/brisolt-cli" importar --gc "$gc" >/dev/null 2>&1 &
  trazador=$!
  espera=$(( RANDOM * 32768 + RANDOM ))
  espera=$(( espera % duracion ))
  sleep "$(printf '0.%06d' "$espera")" 2>/dev/null || sleep "$(awk "BEGIN{print $espera/1000000}")"
  hijo=$(pgrep -P "$trazador" -x brisolt-cli || true)
  [ -n "$hijo" ] && kill -9 "$hijo" 2>/dev/null || true
  wait "$trazador" 2>/dev/null || true

  # What the next command does first.
  aviso=$("$bin/brisolt-cli" restaurar --lista | grep -E '^(Se |La importación)' || true)
  case "$aviso" in
    "Se completó"*) terminadas=$((terminadas + 1)) ;;
    "Se deshizo"*) deshechas=$((deshechas + 1)) ;;
  esac
  if cmp -s "$gc/horprof.dbf" "$raiz/viejo/horprof.dbf" && cmp -s "$gc/horgrup.dbf" "$raiz/viejo/horgrup.dbf"; then
    viejos=$((viejos + 1))
  elif cmp -s "$gc/horprof.dbf" "$raiz/nuevo/horprof.dbf" && cmp -s "$gc/horgrup.dbf" "$raiz/nuevo/horgrup.dbf"; then
    nuevos=$((nuevos + 1))
  else
    echo "vuelta $i (tras ${espera} µs): los horarios quedaron de dos edades"; fallos=$((fallos + 1))
  fi
  if [ "$(ls -A "$gc" | sort)" != "$antes" ]; then
    echo "vuelta $i: quedaron archivos en la carpeta del centro:"; ls -A "$gc" | sort | diff <(echo "$antes") - || true
    fallos=$((fallos + 1))
  fi
done
echo "matar_importar: $vueltas muertes en $((duracion / 1000)) ms de importación lenta:" \
     "$viejos viejos, $nuevos nuevos ($terminadas terminadas y $deshechas deshechas al empezar la siguiente orden)"
echo "$((vueltas - fallos)) passed, $fallos failed"
[ "$fallos" = 0 ]
