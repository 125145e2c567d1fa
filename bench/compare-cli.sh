#!/usr/bin/env bash
# Times the command line on a binary STL of about 1,000,000 triangles over shared grid
# points: `kestrel-cli info` against `assimp info` of the same file side by side in one
# hyperfine run, then `kestrel-cli render` to the first PNG. Builds nothing: the build
# folder must hold bin/kestrel-cli, its Plug-Ins and bin/kestrel_bench_terrain_stl.
#
# usage: bench/compare-cli.sh BUILD_DIR [RUNS]
# Needs hyperfine and assimp-utils (Debian packages, for comparison only).
set -euo pipefail

usage() { echo "usage: $0 BUILD_DIR [RUNS]" >&2; exit 2; }
[[ $# -ge 1 && $# -le 2 ]] || usage
build=$(cd "$1" && pwd) || usage
runs=${2:-3}
[[ $runs =~ ^[1-9][0-9]*$ ]] || usage

cli=$build/bin/kestrel-cli
writer=$build/bin/kestrel_bench_terrain_stl
for tool in "$cli" "$writer"; do
  [[ -x $tool ]] || { echo "missing $tool: build kestrel-cli and kestrel_bench_terrain_stl first" >&2; exit 1; }
done
for tool in hyperfine assimp; do
  command -v "$tool" >/dev/null || { echo "missing $tool: apt-get install hyperfine assimp-utils" >&2; exit 1; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
stl=$work/terrain.stl
"$writer" "$stl"
bytes=$(stat -c %s "$stl")
echo "file: $stl, $bytes bytes, $(( (bytes - 84) / 50 )) triangles"
echo "load: $(uptime)"

# Both must open the file before anything is timed.
"$cli" info "$stl" > "$work/kestrel-info.json"
assimp info "$stl" > "$work/assimp-info.txt"
echo "kestrel-cli info: $(jq -c '{vertices, triangles, normals}' "$work/kestrel-info.json")"

# Prints each command's mean, its throughput and its time over the first command's.
summarise() {
  jq -r --argjson bytes "$bytes" '
    .results[0].mean as $base
    | .results[]
    | "\(.command): mean \(.mean * 1000 | floor) ms ± \((.stddev // 0) * 1000 | floor) ms, "
      + "\($bytes / .mean / 1e6 * 10 | floor / 10) MB/s, \(.mean / $base * 1000 | floor / 1000) x the first"' "$1"
}

hyperfine -N --warmup 1 --runs "$runs" --export-json "$work/info.json" \
  -n "kestrel-cli info" "$cli info $stl" \
  -n "assimp info" "assimp info $stl"
summarise "$work/info.json"

hyperfine -N --warmup 1 --runs "$runs" --export-json "$work/render.json" \
  -n "kestrel-cli render (to the first PNG)" "$cli render $stl -o $work/x.png"
summarise "$work/render.json"
[[ -s $work/x.png ]] || { echo "render wrote no PNG" >&2; exit 1; }
