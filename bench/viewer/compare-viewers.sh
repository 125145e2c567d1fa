#!/usr/bin/env bash
# Launch to the window's first picture and to the model's first frame, resident memory after
# loading, and the frame rate while a drag orbits the model, for kestrel and, where installed,
# fstl and f3d, in interleaved rounds on one virtual screen of 1024 x 768 without a window
# manager. Builds nothing: the build folder must hold bin/kestrel, its Plug-Ins and
# bin/kestrel_bench_terrain_stl.
#
# usage: bench/viewer/compare-viewers.sh BUILD_DIR [ROUNDS] [MODEL]
# Needs Xvfb, xdpyinfo, xdotool, a C compiler and the X11 headers; fstl and f3d (Debian packages) are
# compared when present. Without MODEL, a binary STL of about 1,000,000 triangles is written.
set -euo pipefail

usage() { echo "usage: $0 BUILD_DIR [ROUNDS] [MODEL]" >&2; exit 2; }
[[ $# -ge 1 && $# -le 3 ]] || usage
build=$(cd "$1" && pwd) || usage
rounds=${2:-3}
[[ $rounds =~ ^[1-9][0-9]*$ ]] || usage
here=$(cd "$(dirname "$0")" && pwd)
for tool in Xvfb xdpyinfo xdotool cc; do
  command -v "$tool" >/dev/null || { echo "missing $tool" >&2; exit 1; }
done

work=$(mktemp -d)
screen=":$(( 90 + RANDOM % 9 ))"
cleanup() { [[ -n ${xvfb:-} ]] && kill "$xvfb" 2>/dev/null; rm -rf "$work"; }
trap cleanup EXIT

model=${3:-$work/terrain.stl}
[[ -n ${3:-} ]] || "$build/bin/kestrel_bench_terrain_stl" "$model"
cc -shared -fPIC -O2 -o "$work/libswapcount.so" "$here/swap_counter.c" -ldl
cc -O2 -o "$work/frame_watch" "$here/frame_watch.c" -lX11 -lm

Xvfb "$screen" -screen 0 1024x768x24 -nolisten tcp &>/dev/null &
xvfb=$!
export DISPLAY=$screen
for _ in $(seq 50); do xdpyinfo &>/dev/null && break; sleep 0.1; done

# Each at 1024 x 768 from the top-left corner, as kestrel starts on this screen: fstl's own
# first size, 600 x 400, would leave the middle of the screen, and the drag, outside it.
declare -A launch=(
  [kestrel]="$build/bin/kestrel"
  [fstl]="fstl -geometry 1024x768+0+0"
  [f3d]="f3d --resolution=1024,768"
)
programs=(kestrel)
command -v fstl >/dev/null && programs+=(fstl)
command -v f3d >/dev/null && programs+=(f3d)

# The middle of the screen, where every viewer shows the model: width, height, left, top.
crop_geometry="320 240 352 264"
# The first frame that shows what the last one shows, give or take anti-aliasing (a dense
# mesh drawn first without multisampling differs from its multisampled frame by about 0.03).
tolerance=0.05
watch_seconds=6
orbit_seconds=3

now() { date +%s.%N; }

# One run: frames of the middle until watch_seconds, the memory, then an orbit.
run_once() {
  local name=$1 round=$2 dir="$work/$1-$2"
  mkdir -p "$dir/home"
  local start; start=$(now)
  HOME="$dir/home" XDG_RUNTIME_DIR="$dir/home" SWAP_COUNT_FILE="$dir/swaps" \
    LD_PRELOAD="$work/libswapcount.so" ${launch[$name]} "$model" &>"$dir/log" &
  local pid=$!
  # The frames of the middle until watch_seconds, from one X connection.
  local first; first=$("$work/frame_watch" "$start" "$watch_seconds" $crop_geometry "$tolerance" 2>/dev/null || echo -)
  local rss; rss=$(ps -o rss= -p "$pid" | tr -d ' ' || true); rss=${rss:-0}
  local before; before=$(cut -d' ' -f1 "$dir/swaps" 2>/dev/null || echo 0)
  # The window shows first with its first buffer swap.
  local shown; shown=$(cut -d' ' -f3 "$dir/swaps" 2>/dev/null || true)
  local window="-"; [[ -n $shown ]] && window=$(echo "$shown - $start" | bc)
  # Moves at 60 a second, from one xdotool: at one process a move, 20 a second capped every
  # viewer's rate at 20 frames a second.
  local steps=$((orbit_seconds * 60)) drag=(mousemove 512 384 mousedown 1)
  for s in $(seq "$steps"); do drag+=(mousemove $((412 + (s * 200 / steps))) $((384 + (s % 7))) sleep 0.0167); done
  local dragStart; dragStart=$(now)
  xdotool "${drag[@]}" mouseup 1
  local dragSeconds; dragSeconds=$(echo "$(now) - $dragStart" | bc)
  local after; after=$(cut -d' ' -f1 "$dir/swaps" 2>/dev/null || echo 0)
  kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null || true
  echo "$name $round $first $((rss / 1024)) $(echo "scale=1; ($after - $before) / $dragSeconds" | bc) $window" >>"$work/results"
}

echo "model: $model ($(stat -c %s "$model") bytes)"
echo "load: $(uptime)"
for round in $(seq "$rounds"); do
  for name in "${programs[@]}"; do run_once "$name" "$round"; done
done

median() { sort -n | awk '{a[NR]=$1} END {if (NR) print (NR % 2 ? a[(NR+1)/2] : (a[NR/2] + a[NR/2+1]) / 2); else print "-"}'; }
printf "%-8s %16s %16s %16s %16s\n" program "window (s)" "first frame (s)" "resident (MiB)" "orbit (frames/s)"
for name in "${programs[@]}"; do
  f=$(awk -v n="$name" '$1 == n && $3 != "-" {print $3}' "$work/results" | median)
  m=$(awk -v n="$name" '$1 == n {print $4}' "$work/results" | median)
  o=$(awk -v n="$name" '$1 == n {print $5}' "$work/results" | median)
  w=$(awk -v n="$name" '$1 == n && $6 != "-" {print $6}' "$work/results" | median)
  printf "%-8s %16s %16s %16s %16s\n" "$name" "$w" "$f" "$m" "$o"
done
echo "each run: program round first-frame resident orbit window"
cat "$work/results"
