#!/usr/bin/env bash
# pdehost's start to a restored panel for a queue on a local CUPS server,
# beside the same start with the description named by --ppd: the median of
# RUNS whole runs of each, and what the server's part costs.
# Usage: host/bench/queue-start.sh [build-dir] [RUNS]   (default: build/default, 41)
# Needs root: the CUPS server is a private one started for the measurement.
set -euo pipefail
cd "$(dirname "$0")/../.."
build="${1:-build/default}"
runs="${2:-41}"
pdehost="$build/host/pdehost"
ppd="$build/panel/TintPanel.plugin/Contents/Resources/LX4200.ppd"
[ -x "$pdehost" ] || { echo "no $pdehost: build first (scripts/build)" >&2; exit 2; }

work=$(mktemp -d /tmp/qvx-bench.XXXXXX)
trap 'scripts/private-cupsd stop "$work/cups" >/dev/null 2>&1; rm -rf "$work"' EXIT
export "$(scripts/private-cupsd start "$work/cups")"
export HOME="$work/home" CUPS_SERVERROOT="$work/client"
mkdir -p "$HOME" "$CUPS_SERVERROOT"
lpadmin -p QVX-LX4200-Bench -E -v file:///dev/null -P "$ppd" 2>/dev/null
printf 'panelView\nrestore\n' >"$work/script"

# median_ms ARGS...: the median wall time of RUNS runs, in milliseconds.
median_ms() {
  local i start end
  for ((i = 0; i < runs; i++)); do
    start=$(date +%s%N)
    "$pdehost" "$@" "$work/script" >/dev/null
    end=$(date +%s%N)
    echo $(((end - start) / 1000))
  done | sort -n | awk '{ t[NR] = $1 } END { printf "%.2f", t[int((NR + 1) / 2)] / 1000 }'
}

"$pdehost" "$work/script" >/dev/null  # warm the caches once
server=$(median_ms)
file=$(median_ms --ppd "$ppd")
offline=$(median_ms --printer "" --ppd "$ppd")
printf '%-58s %8s ms\n' "queue and description from the server" "$server"
printf '%-58s %8s ms\n' "queue from the server, description from --ppd" "$file"
printf '%-58s %8s ms\n' "no server at all (--printer \"\" --ppd)" "$offline"
awk -v s="$server" -v f="$file" -v o="$offline" 'BEGIN {
  printf "%-58s %8.2f ms\n", "the description'"'"'s fetch (first two rows)", s - f
  printf "%-58s %8.2f ms\n", "the queue look-up (last two rows)", f - o }'
