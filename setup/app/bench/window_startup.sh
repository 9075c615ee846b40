#!/bin/bash
# Measures the setup window: time from program start to the window on screen
# and to the page's first message, and the peak memory of the program and its
# WebKit helper processes. Needs a display (run it under xvfb-run -a).
#   window_startup.sh ONBOARDER X_WINDOW_TOOL [RUNS]
# The page is the real ui.html plus a line that posts "install" once loaded;
# the engine notes the time it started, which is when the message arrived
# (plus a process start), then the page quits after the memory is sampled.
set -euo pipefail
. "$(dirname "$0")/window_bench_setup.sh" "$@"
runs="${3:-5}"

app=$(make_bundle Onboarder)
cp "$resources/ui.html" "$app/Contents/Resources/ui.html"
cat >>"$app/Contents/Resources/ui.html" <<'HTML'
<script>
addEventListener("load", () => window.webkit.messageHandlers.qvx.postMessage({ cmd: "install", office: "x" }));
window.onDone = () => setTimeout(() => window.webkit.messageHandlers.qvx.postMessage({ cmd: "quit" }), 1500);
</script>
HTML
cat >"$app/Contents/Resources/installer" <<'ENGINE'
printf '%s\n' "$EPOCHREALTIME" >"$QVX_BENCH_DIR/first-message"
echo "@DONE"
ENGINE

# For a process and every descendant: name, peak resident memory (VmHWM, kB)
# and CPU time so far (user + system, clock ticks).
tree_peaks() {
  local pid="$1" child
  printf '%s %s %s\n' "$(cat /proc/"$pid"/comm)" "$(awk '/^VmHWM/ {print $2}' /proc/"$pid"/status)" \
    "$(sed 's/.*) //' /proc/"$pid"/stat | awk '{print $12 + $13}')"
  for child in $(cat /proc/"$pid"/task/*/children 2>/dev/null); do tree_peaks "$child"; done
}

printf '%-4s %10s %13s %8s %8s %9s %11s\n' run window_ms first_msg_ms ui_MiB web_MiB total_MiB cpu_ms_all
for run in $(seq 1 "$runs"); do
  rm -f "$work/first-message"
  start=$EPOCHREALTIME
  QVX_BENCH_DIR="$work" "$app/Contents/MacOS/Onboarder" >/dev/null 2>&1 &
  pid=$!
  "$x_window_tool" find "$pid" "Install QVX Printer" 30 >/dev/null
  shown=$EPOCHREALTIME
  while [ ! -s "$work/first-message" ]; do sleep 0.01; done
  sleep 1   # the page is fully up; sample before it quits
  peaks=$(tree_peaks "$pid")
  wait "$pid"
  pid=""
  first=$(cat "$work/first-message")
  ui=$(awk '$1 == "Onboarder" {s += $2} END {print s / 1024}' <<<"$peaks")
  web=$(awk '$1 != "Onboarder" {s += $2} END {print s / 1024}' <<<"$peaks")
  cpu=$(awk -v hz="$(getconf CLK_TCK)" '{s += $3} END {print s * 1000 / hz}' <<<"$peaks")
  printf '%-4s %10.0f %13.0f %8.1f %8.1f %9.1f %11.0f\n' "$run" \
    "$(echo "($shown - $start) * 1000" | bc -l)" "$(echo "($first - $start) * 1000" | bc -l)" \
    "$ui" "$web" "$(echo "$ui + $web" | bc -l)" "$cpu"
done
echo "(window_ms: until the window is mapped, polled every 50 ms; web_MiB: the WebKit web and network"
echo " processes; cpu_ms_all: CPU time of the program and those processes up to the sample, 1 s after the"
echo " first message: a figure that does not depend on how busy the machine is)"
