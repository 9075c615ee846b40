#!/usr/bin/env bash
# Whole-process throughput and memory of `Onboarder --stdio`: an engine writes
# N tagged lines as fast as it can; the scripts are read by `wc -l` at once.
# Also the start-up on empty input.
# Usage: setup/bench/whole-process.sh [build-dir] [N...]   (default: build/default, 1000000 10000000)
set -euo pipefail
cd "$(dirname "$0")/../.."
build="${1:-build/default}"
shift || true
counts=("$@")
[ ${#counts[@]} -gt 0 ] || counts=(1000000 10000000)

program="$build/setup/Onboarder.app/Contents/MacOS/Onboarder"
[ -x "$program" ] || { echo "no $program: build first (scripts/build)" >&2; exit 2; }
[ -x /usr/bin/time ] || { echo "needs /usr/bin/time (Debian package: time)" >&2; exit 2; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/Bench.app/Contents/MacOS" "$work/Bench.app/Contents/Resources"
cp "$program" "$work/Bench.app/Contents/MacOS/Onboarder"
cat > "$work/Bench.app/Contents/Resources/installer" <<'ENGINE'
yes '@STEP Copying driver files to the spool folder' | head -n "$QVX_BENCH_LINES"
echo '@DONE'
ENGINE
echo '{"cmd":"install"}' > "$work/message"

# Medians of ROUNDS runs (default 5), timed in alternating pairs (Onboarder,
# then cat over the same pipe) so that a busy moment of a shared machine
# falls on both alike.
rounds="${ROUNDS:-5}"
median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# One run of the program: "seconds peak-KiB scripts".
run_program() {
  /usr/bin/time -f '%e %M' -o "$work/time" \
    env QVX_BENCH_LINES="$1" "$work/Bench.app/Contents/MacOS/Onboarder" --stdio < "$work/message" \
    | wc -l > "$work/count"
  read -r _ rss < "$work/time"
  echo "$rss $(cat "$work/count")"
}
run_cat() {
  (set +o pipefail; yes "@STEP Copying driver files to the spool folder" | head -n "$1" | cat | wc -l > /dev/null)
}

# Start-up alone: empty input, against a program that does nothing.
for _ in $(seq "$rounds"); do
  /usr/bin/time -f '%e %M' -o "$work/time" "$work/Bench.app/Contents/MacOS/Onboarder" --stdio < /dev/null > /dev/null
  a=$EPOCHREALTIME; "$work/Bench.app/Contents/MacOS/Onboarder" --stdio < /dev/null > /dev/null; b=$EPOCHREALTIME
  c=$EPOCHREALTIME; /bin/true; d=$EPOCHREALTIME
  read -r _ rss < "$work/time"
  echo "$(awk -v a="$a" -v b="$b" 'BEGIN { print (b - a) * 1000 }') $rss $(awk -v a="$c" -v b="$d" 'BEGIN { print (b - a) * 1000 }')" >> "$work/empty"
done
printf 'empty input: %.1f ms, %s KiB peak (median of %s; /bin/true: %.1f ms)\n' \
  "$(cut -d' ' -f1 "$work/empty" | median)" "$(cut -d' ' -f2 "$work/empty" | median)" "$rounds" \
  "$(cut -d' ' -f3 "$work/empty" | median)"

for n in "${counts[@]}"; do
  : > "$work/ours.$n"; : > "$work/cat.$n"
  for _ in $(seq "$rounds"); do
    a=$EPOCHREALTIME; figures=$(run_program "$n"); b=$EPOCHREALTIME
    echo "$(awk -v a="$a" -v b="$b" 'BEGIN { print b - a }') $figures" >> "$work/ours.$n"
    a=$EPOCHREALTIME; run_cat "$n"; b=$EPOCHREALTIME
    awk -v a="$a" -v b="$b" 'BEGIN { print b - a }' >> "$work/cat.$n"
  done
done

printf '%-10s %10s %14s %12s %10s\n' lines seconds lines/s peak-RSS-KiB scripts
for n in "${counts[@]}"; do
  seconds=$(cut -d' ' -f1 "$work/ours.$n" | median)
  rss=$(cut -d' ' -f2 "$work/ours.$n" | median)
  scripts=$(cut -d' ' -f3 "$work/ours.$n" | sort -u | tr '\n' ' ')
  awk -v n="$n" -v s="$seconds" -v rss="$rss" -v c="$scripts" \
    'BEGIN { printf "%-10s %10.3f %14.0f %12s %10s\n", n, s, n / s, rss, c }'
done

echo "for scale, cat over the same pipe:"
for n in "${counts[@]}"; do
  seconds=$(median < "$work/cat.$n")
  awk -v n="$n" -v s="$seconds" -v o="$(cut -d' ' -f1 "$work/ours.$n" | median)" \
    'BEGIN { printf "%-10s %10.3f %14.0f   (Onboarder takes %.1fx as long)\n", n, s, n / s, o / s }'
done
