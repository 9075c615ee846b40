#!/usr/bin/env bash
# The preview's first sheet as a whole process against pdftoppm on the same
# file, in alternating runs, its peak memory for a 1-page against a 500-page
# PDF, and the longest stall of a main loop while it renders.
# Usage: host/bench/preview-whole-process.sh [build-dir] [runs]   (default: build/default, 21)
set -euo pipefail
cd "$(dirname "$0")/../.."
build="${1:-build/default}"
runs="${2:-21}"
sheet="$build/host/bench/preview-sheet"
bench="$build/host/bench/preview_bench"
gaps="$build/host/bench/preview_loop_gaps"
for p in "$sheet" "$bench" "$gaps"; do [ -x "$p" ] || { echo "no $p: build first" >&2; exit 2; }; done
command -v pdftoppm > /dev/null || { echo "needs pdftoppm (Debian package: poppler-utils)" >&2; exit 2; }
[ -x /usr/bin/time ] || { echo "needs /usr/bin/time (Debian package: time)" >&2; exit 2; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for pages in 1 10 500; do "$bench" --write-sample "$pages" "$work/$pages.pdf"; done
a4="595,842,12,12,583,830"

# Wall-clock seconds of one run of the command.
timed() {
  local start end
  start=$(date +%s.%N)
  "$@" > /dev/null
  end=$(date +%s.%N)
  awk -v a="$start" -v b="$end" 'BEGIN { print b - a }'
}

: > "$work/ours"
: > "$work/theirs"
for ((i = 0; i < runs; i++)); do
  timed "$sheet" --paper "$a4" --dpi 72 "$work/ours.png" 1 "$work/10.pdf" >> "$work/ours"
  timed pdftoppm -r 72 -f 1 -l 1 -png "$work/10.pdf" "$work/theirs" >> "$work/theirs"
done
median() { sort -g "$1" | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
ours=$(median "$work/ours")
theirs=$(median "$work/theirs")
echo "first sheet of a 10-page PDF at 72 dpi, median of $runs alternating runs:"
awk -v o="$ours" -v t="$theirs" 'BEGIN { printf "  preview-sheet %.1f ms, pdftoppm %.1f ms, ratio %.2f\n", o * 1000, t * 1000, o / t }'

echo "peak memory of preview-sheet, first sheet (KiB):"
for pages in 1 500; do
  /usr/bin/time -f '%M' -o "$work/rss" "$sheet" --paper "$a4" --dpi 72 "$work/ours.png" 1 "$work/$pages.pdf" > /dev/null
  echo "  $pages pages: $(cat "$work/rss")"
done
/usr/bin/time -f '%M' -o "$work/rss" "$sheet" --paper "$a4" --dpi 72 "$work/ours.png" 500 "$work/500.pdf" > /dev/null
echo "  500 pages, last sheet: $(cat "$work/rss")"
echo "main loop while every sheet of the 10-page PDF is rendered and shown in turn:"
echo "  $("$gaps" "$work/10.pdf")"
