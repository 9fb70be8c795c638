#!/usr/bin/env bash
# The game's footprint beside a minimal C program that writes the same menu
# and exits: start-to-exit time and peak memory (as ratios), CPU used while
# waiting at the menu, and the size of the release binary. Also: seconds
# from a fresh clone to a game built with the README's play command, write
# calls per key read (piped, and in a real terminal through tmux), and CPU
# time per key over a long piped session. For the web build: the size of
# the .wasm and of the whole page as served (plain and gzipped), and the
# time from a key event to the screen updated in headless Chromium, the
# time from navigation to the menu (first visit, and from the service
# worker), and Lighthouse's mobile performance score and first paint,
# served gzipped and plain. The size
# of each static Linux executable, stripped as released, for every CPU
# whose cross compiler is installed.
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

# From a fresh clone of the committed tree to a built game, with the
# README's play command (less starting the game).
git clone -q . "$trabajo/clon"
inicio=$(date +%s.%N)
(cd "$trabajo/clon" && cmake --preset default >/dev/null && cmake --build --preset juego >/dev/null)
fin=$(date +%s.%N)
hasta_menu=$(awk -v a="$inicio" -v b="$fin" 'BEGIN {printf "%.2f", b - a}')

# A long piped session: 1000 two-player matches of 12 keys and two name
# lines each (14 waits), then '3'.
partida='2Ana\nLuis\n123547869zy'
sesion=$(for _ in $(seq 1000); do printf '%s' "$partida"; done; printf 3)
teclas=$((1000 * 14 + 1))
read -r _ cpu_sesion _ estado < <("$medir" "$(printf "$sesion")" 0 "$juego")
[ "$estado" = 0 ] || { echo "the long session ended with status $estado"; exit 1; }
escrituras_tuberia=0
if command -v strace >/dev/null; then
  printf "$sesion" | strace -o "$trabajo/traza" -e trace=write "$juego" >/dev/null
  escrituras_tuberia=$(grep -c '^write(1,' "$trabajo/traza")
fi

# One two-player match typed in a real terminal (tmux, 80x24) under strace:
# write calls to standard output against keys read.
escrituras_terminal=-1
teclas_terminal=0
if command -v strace >/dev/null && command -v tmux >/dev/null && command -v node >/dev/null; then
  node bench/tmux.mjs "$juego" "$trabajo/traza-tty"
  escrituras_terminal=$(grep -c '^write(1,' "$trabajo/traza-tty")
  teclas_terminal=$(grep -c '^read(0,' "$trabajo/traza-tty")
fi

# The web build, where its toolchain and Chromium are installed: every file
# the page loads (all of the site but the licences), and key to screen.
wasm=-1
if command -v wasm-opt >/dev/null && [ -x /usr/bin/chromium ]; then
  cmake --workflow --preset web >/dev/null
  wasm=$(stat -c %s build-web/web/tres-en-rayas.wasm)
  mapfile -t servidos < <(cd build-web/web && find . -type f ! -path './licencias/*' | sort)
  pagina=$(cd build-web/web && cat "${servidos[@]}" | wc -c)
  pagina_gz=0
  for archivo in "${servidos[@]}"; do
    pagina_gz=$((pagina_gz + $(gzip -9c "build-web/web/$archivo" | wc -c)))
  done
  read -r tecla_web tecla_web_max menu_web menu_trabajador lighthouse_web fcp_web lighthouse_simple fcp_simple < \
    <(node bench/web.mjs build-web/web "$(bash tools/npm-pruebas)" "$vueltas")
fi

# The static Linux executables, built and stripped as the release does.
estaticos=()
for cpu in x86_64 aarch64 armv7; do
  case $cpu in
    x86_64) cadena=() ;;
    aarch64) cadena=(--toolchain cmake/aarch64-linux-gnu.cmake) ;;
    armv7) cadena=(--toolchain cmake/arm-linux-gnueabihf.cmake) ;;
  esac
  [ "$cpu" = x86_64 ] || command -v "$(basename "${cadena[1]}" .cmake)-g++" >/dev/null || continue
  cmake -S . -B "$trabajo/linux-$cpu" "${cadena[@]}" -DCMAKE_BUILD_TYPE=Release \
    -DTRES_EN_RAYAS_PRUEBAS=OFF -DTRES_EN_RAYAS_ESTATICO=ON >/dev/null
  cmake --build "$trabajo/linux-$cpu" -j2 >/dev/null
  cmake --install "$trabajo/linux-$cpu" --prefix "$trabajo/linux-$cpu/instalado" --strip >/dev/null
  estaticos+=("$cpu $(stat -c %s "$trabajo/linux-$cpu/instalado/games/tres-en-rayas")")
done

if command -v hyperfine >/dev/null; then
  hyperfine -N --warmup 20 --runs "$vueltas" --input <(printf 3) \
    "$juego" "$trabajo/minimo" 2>/dev/null | sed 's/^/  hyperfine: /' || true
fi

awk -v tj="$t_juego" -v tm="$t_minimo" -v mj="$m_juego" -v mm="$m_minimo" \
    -v cpu="$cpu_espera" -v tam="$tam" -v ts="$tam_strip" -v n="$vueltas" \
    -v menu="$hasta_menu" -v teclas="$teclas" -v cs="$cpu_sesion" -v et="$escrituras_tuberia" \
    -v ett="$escrituras_terminal" -v tt="$teclas_terminal" -v wasm="$wasm" \
    -v pag="${pagina:-0}" -v pgz="${pagina_gz:-0}" -v tw="${tecla_web:-0}" \
    -v twm="${tecla_web_max:-0}" -v mw="${menu_web:-0}" -v mt="${menu_trabajador:-0}" \
    -v lh="${lighthouse_web:-0}" -v fcp="${fcp_web:-0}" -v lhs="${lighthouse_simple:-0}" \
    -v fcps="${fcp_simple:-0}" 'BEGIN {
  printf "%-42s %14s %14s %8s %10s\n", "measure (median of " n " runs)", "tres-en-rayas", "minimal C", "ratio", "target"
  printf "%-42s %11.0f us %11.0f us %8.2f %10s\n", "start to exit, piped \"3\"", tj, tm, tj / tm, "<= 1.05"
  printf "%-42s %11d KiB %10d KiB %8.2f %10s\n", "peak resident memory", mj, mm, mj / mm, "<= 1.10"
  printf "%-42s %11.2f ms %14s %8s %10s\n", "CPU time while waiting 2 s at the menu", cpu / 1000, "", "", "< 5 ms"
  printf "%-42s %10.1f KiB %14s %8s %10s\n", "release binary", tam / 1024, "", "", "< 200 KiB"
  printf "%-42s %10.1f KiB %14s %8s %10s\n", "release binary, stripped", ts / 1024, "", "", ""
  printf "%-42s %12.2f s %14s %8s %10s\n", "fresh clone to a built game (play command)", menu, "", "", "<= 5 s"
  printf "%-42s %14.2f %14s %8s %10s\n", "writes per key or name, piped (" teclas ")", et / teclas, "", "", "<= 1"
  if (ett >= 0)
    printf "%-42s %14.2f %14s %8s %10s\n", "writes per key, in tmux (" ett " for " tt " reads)", ett / tt, "", "", "<= 1"
  printf "%-42s %11.2f us %14s %8s %10s\n", "CPU time per key, piped", cs / teclas, "", "", "<= 5 us"
  if (wasm >= 0) {
    printf "%-42s %10.1f KiB %14s %8s %10s\n", "web: tres-en-rayas.wasm", wasm / 1024, "", "", "<= 100 KiB"
    printf "%-42s %10.1f KiB %14s %8s %10s\n", "web: the whole page as served", pag / 1024, "", "", "<= 500 KiB"
    printf "%-42s %10.1f KiB %14s %8s %10s\n", "web: the whole page, gzipped", pgz / 1024, "", "", "<= 150 KiB"
    printf "%-42s %11.2f ms %11.2f ms %8s %10s\n", "web: key to screen, Chromium (median, max)", tw, twm, "", "<= 16 ms"
    printf "%-42s %11.0f ms %14s %8s %10s\n", "web: navigation to menu, first visit", mw, "", "", ""
    printf "%-42s %11.0f ms %14s %8s %10s\n", "web: navigation to menu, service worker", mt, "", "", ""
    printf "%-42s %14d %14s %8s %10s\n", "web: Lighthouse mobile performance, gzip", lh, "", "", "100"
    printf "%-42s %11.0f ms %14s %8s %10s\n", "web: Lighthouse mobile first paint, gzip", fcp, "", "", "<= 1200 ms"
    printf "%-42s %14d %14s %8s %10s\n", "web: Lighthouse mobile performance, plain", lhs, "", "", ">= 95"
    printf "%-42s %11.0f ms %14s %8s %10s\n", "web: Lighthouse mobile first paint, plain", fcps, "", "", "<= 1200 ms"
  }
}'
for estatico in "${estaticos[@]}"; do
  read -r cpu bytes <<<"$estatico"
  awk -v cpu="$cpu" -v b="$bytes" 'BEGIN {
    printf "%-42s %10.1f KiB %14s %8s %10s\n", "static Linux executable, " cpu, b / 1024, "", "", "< 1024 KiB"
  }'
done
