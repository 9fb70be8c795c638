#!/usr/bin/env bash
# The game's footprint beside a minimal C program that writes the same menu
# and exits: start-to-exit time and peak memory (as ratios), CPU used while
# waiting at the menu, and the size of the release binary.
#
#   bash bench/medir.sh [RUNS]
set -euo pipefail
cd "$(dirname "$0")/.."
vueltas=${1:-200}

cmake --preset release >/dev/null
cmake --build --preset release >/dev/null
juego=build-release/tres-en-rayas
trabajo=$(mktemp -d)
trap 'rm -rf "$trabajo"' EXIT
cc -O2 -o "$trabajo/minimo" bench/minimo.c
cc -O2 -o "$trabajo/medir" bench/medir.c
medir="$trabajo/medir"

# Median of one column over many runs of a program that gets '3' at once.
mediana() { # programa columna
  for _ in $(seq "$vueltas"); do "$medir" 3 0 "$1"; done | awk -v c="$2" '{print $c}' | sort -n |
    awk '{v[NR]=$1} END {print v[int((NR+1)/2)]}'
}

t_juego=$(mediana "$juego" 1)
t_minimo=$(mediana "$trabajo/minimo" 1)
m_juego=$(mediana "$juego" 3)
m_minimo=$(mediana "$trabajo/minimo" 3)
read -r _ cpu_espera _ estado < <("$medir" 3 2000 "$juego")
[ "$estado" = 0 ] || { echo "the game ended with status $estado"; exit 1; }
tam=$(stat -c %s "$juego")
strip -o "$trabajo/sin-simbolos" "$juego"
tam_strip=$(stat -c %s "$trabajo/sin-simbolos")

if command -v hyperfine >/dev/null; then
  hyperfine -N --warmup 20 --runs "$vueltas" --input <(printf 3) \
    "$juego" "$trabajo/minimo" 2>/dev/null | sed 's/^/  hyperfine: /' || true
fi

awk -v tj="$t_juego" -v tm="$t_minimo" -v mj="$m_juego" -v mm="$m_minimo" \
    -v cpu="$cpu_espera" -v tam="$tam" -v ts="$tam_strip" -v n="$vueltas" 'BEGIN {
  printf "%-42s %14s %14s %8s %10s\n", "measure (median of " n " runs)", "tres-en-rayas", "minimal C", "ratio", "target"
  printf "%-42s %11.0f us %11.0f us %8.2f %10s\n", "start to exit, piped \"3\"", tj, tm, tj / tm, "<= 1.20"
  printf "%-42s %11d KiB %10d KiB %8.2f %10s\n", "peak resident memory", mj, mm, mj / mm, "<= 1.20"
  printf "%-42s %11.2f ms %14s %8s %10s\n", "CPU time while waiting 2 s at the menu", cpu / 1000, "", "", "< 5 ms"
  printf "%-42s %10.1f KiB %14s %8s %10s\n", "release binary", tam / 1024, "", "", "< 200 KiB"
  printf "%-42s %10.1f KiB %14s %8s %10s\n", "release binary, stripped", ts / 1024, "", "", ""
}'
