#!/usr/bin/env bash
# Runs the frame benchmarks (build/default/bin/velbrik_bench, median of three)
# and plots a frame's CPU time against the display's pixels, the memset of the
# same pixels beside it, as a PNG for the README (docs/frame-time.png unless
# another file is given). The benchmarks' own table is printed on the way.
# Needs gnuplot and jq (Debian: apt-get install gnuplot-nox jq).
#   scripts/bench-plot.sh [OUT.png]
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-docs/frame-time.png}
bench=build/default/bin/velbrik_bench
[ -x "$bench" ] || bench=build/ci/bin/velbrik_bench
for tool in gnuplot jq; do
  command -v "$tool" >/dev/null || { echo "bench-plot: $tool is missing (apt-get install gnuplot-nox jq)" >&2; exit 2; }
done
[ -x "$bench" ] || { echo "bench-plot: no $bench; build first (cmake --build --preset default)" >&2; exit 2; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$bench" --benchmark_filter='^(memset|surface|raster|raster-full|replay)/' --benchmark_repetitions=3 \
  --benchmark_report_aggregates_only=true --benchmark_out="$work/bench.json" --benchmark_out_format=json

# One file per kind of frame: pixels, then microseconds of CPU time a frame.
for kind in memset surface raster raster-full replay; do
  jq -r --arg kind "$kind" '.benchmarks[] | select(.aggregate_name == "median")
      | select(.run_name | startswith($kind + "/")) | (.run_name | split("/")[1] | split("x")) as $side
      | "\(($side[0] | tonumber) * ($side[1] | tonumber)) \(.cpu_time)"' "$work/bench.json" >"$work/$kind.dat"
done

mkdir -p "$(dirname "$out")"
gnuplot <<PLOT
set terminal pngcairo size 900,600 font "DejaVu Sans,11"
set output "$out"
set title "CPU time of a frame against the display's pixels (median of three)"
set xlabel "pixels (320², 1024², 2048², 4096²)"
set ylabel "microseconds a frame"
set logscale xy
set xrange [70000:3e7]
set grid
set key top left
plot "$work/memset.dat" with linespoints lw 2 dt 2 title "memset of the same pixels", \
     "$work/raster-full.dat" with linespoints lw 2 title "raster frame, all bricks standing", \
     "$work/raster.dat" with linespoints lw 2 title "raster frame, mid-game", \
     "$work/replay.dat" with linespoints lw 2 title "the frame's calls replayed into the raster", \
     "$work/surface.dat" with linespoints lw 2 title "frame on a surface with no target"
PLOT
echo "bench-plot: $out made"
