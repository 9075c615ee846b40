#!/usr/bin/env bash
# Whole-process throughput and memory of `Onboarder --stdio`: an engine writes
# N tagged lines as fast as it can; the scripts are read by `wc -l` at once.
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

printf '%-10s %10s %14s %12s %10s\n' lines seconds lines/s peak-RSS-KiB scripts
for n in "${counts[@]}"; do
  /usr/bin/time -f '%e %M' -o "$work/time" \
    env QVX_BENCH_LINES="$n" "$work/Bench.app/Contents/MacOS/Onboarder" --stdio < "$work/message" \
    | wc -l > "$work/count"
  read -r seconds rss < "$work/time"
  awk -v n="$n" -v s="$seconds" -v rss="$rss" -v c="$(cat "$work/count")" \
    'BEGIN { printf "%-10s %10.2f %14.0f %12s %10s\n", n, s, n / s, rss, c }'
done

echo "for scale, cat over the same pipe:"
for n in "${counts[@]}"; do
  start=$(date +%s.%N)
  (set +o pipefail; yes "@STEP Copying driver files to the spool folder" | head -n "$n" | cat | wc -l > /dev/null)
  end=$(date +%s.%N)
  awk -v n="$n" -v a="$start" -v b="$end" 'BEGIN { printf "%-10s %10.2f %14.0f\n", n, b - a, n / (b - a) }'
done
