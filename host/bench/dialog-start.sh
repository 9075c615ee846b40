#!/usr/bin/env bash
# `pdehost --gui` as a person starts it, with an LX4200 queue on a local CUPS
# server: the time from the start to the window on screen, and to the queue's
# panel restored in it. Medians of RUNS starts, and each start's figures.
# Usage: host/bench/dialog-start.sh [build-dir] [RUNS] [direct]   (default: build/default, 11)
# With "direct", the window program itself is started instead of `pdehost
# --gui`: the same start without pdehost's exec of it.
# Needs root (the CUPS server is a private one started for the measurement)
# and a display: xvfb-run -a -s "-screen 0 1280x1024x24" host/bench/dialog-start.sh
set -euo pipefail
cd "$(dirname "$0")/../.."
build="${1:-build/default}"
runs="${2:-11}"
pdehost="$build/host/pdehost"
program=("$pdehost" --gui)
[ "${3:-}" = direct ] && program=("$build/host/pdehost-gui")
xtool="$build/setup/app/tests/x_window_tool"
ppd="$build/panel/TintPanel.plugin/Contents/Resources/LX4200.ppd"
for file in "$pdehost" "$build/host/pdehost-gui" "$xtool"; do
  [ -x "$file" ] || { echo "no $file: build pdehost, pdehost-gui and x_window_tool first" >&2; exit 2; }
done
[ -n "${DISPLAY:-}" ] || { echo "no display: run under xvfb-run -a" >&2; exit 2; }

work=$(mktemp -d /tmp/qvx-bench.XXXXXX)
pid=""
trap '[ -n "$pid" ] && kill "$pid" 2>/dev/null; scripts/private-cupsd stop "$work/cups" >/dev/null 2>&1; rm -rf "$work"' EXIT
export "$(scripts/private-cupsd start "$work/cups")"
export HOME="$work/home" CUPS_SERVERROOT="$work/client"
mkdir -p "$HOME" "$CUPS_SERVERROOT"
lpadmin -p QVX-LX4200-Bench -E -v file:///dev/null -P "$ppd" 2>/dev/null
lpadmin -d QVX-LX4200-Bench

ms() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.0f", (b - a) * 1000 }'; }
printf '%-4s %10s %10s\n' run window_ms queue_ms
for run in $(seq 1 "$runs"); do
  start=$EPOCHREALTIME
  "${program[@]}" >"$work/out" 2>"$work/err" &
  pid=$!
  "$xtool" find "$pid" Print 30 >/dev/null
  shown=$EPOCHREALTIME
  # The window opens over the sample; the panel of the queue, once the server
  # answered, is the second one restored.
  until [ "$(grep -c '"command":"restore"' "$work/out")" -ge 2 ]; do
    kill -0 "$pid" 2>/dev/null || { cat "$work/err" >&2; exit 1; }
    sleep 0.002
  done
  ready=$EPOCHREALTIME
  "$xtool" close "$pid" Print
  wait "$pid"
  pid=""
  printf '%-4s %10s %10s\n' "$run" "$(ms "$start" "$shown")" "$(ms "$start" "$ready")"
done | tee "$work/table"
median() { tail -n +2 "$work/table" | awk -v c="$1" '{ print $c }' | sort -n |
             awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
echo "median: window on screen $(median 2) ms (target <= 500 ms), queue panel restored $(median 3) ms"
echo "(window_ms: until the window is mapped, polled every 50 ms by x_window_tool)"
