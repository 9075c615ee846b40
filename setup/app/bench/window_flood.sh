#!/bin/bash
# The setup window under an engine that floods it with output. Needs a display
# (run it under xvfb-run -a).
#   window_flood.sh ONBOARDER X_WINDOW_TOOL [minimal|real|quit|all]
#
# minimal: a page whose onStep only counts, N @STEP lines then @DONE: the time
#          from start to onDone, lines per second, and the peak memory of the
#          program and of WebKit's processes, sampled when onDone arrives.
# real:    the real ui.html, filled in and submitted on load: time to onDone
#          for 1,000 and 10,000 steps (median of three runs each).
# quit:    the page quits (or the window is closed) while an engine writes
#          10,000,000 lines: the time from the request to the program's end.
set -euo pipefail
. "$(dirname "$0")/window_bench_setup.sh" "$@"
what="${3:-all}"

# The engine floods the page; a second run, asked for by the page with office
# "__mark__", notes the time and the page's figure it was given as name.
make_app() {
  local app
  app=$(make_bundle "$1")
  cat >"$app/Contents/Resources/installer" <<'ENGINE'
if [ "$QVX_OFFICE" = __mark__ ]; then
  printf '%s %s\n' "$EPOCHREALTIME" "$QVX_NAME" >"$QVX_BENCH_DIR/mark.tmp"
  mv "$QVX_BENCH_DIR/mark.tmp" "$QVX_BENCH_DIR/mark"
  exit 0
fi
yes "@STEP Copying driver file to the spool folder" | head -n "$QVX_BENCH_LINES"
echo "@DONE The printer is ready."
ENGINE
  printf '%s' "$app"
}

readonly POST='const post = (m) => window.webkit.messageHandlers.qvx.postMessage(m);
const mark = (figure) => post({ cmd: "install", office: "__mark__", name: String(figure) });'

# Peak resident memory (VmHWM, KiB) of a process and of all its descendants.
peak_kib() {
  awk '/^VmHWM/ {print $2}' /proc/"$1"/status 2>/dev/null || echo 0
}
descendants() {
  local child
  for child in $(cat /proc/"$1"/task/*/children 2>/dev/null); do
    echo "$child"
    descendants "$child"
  done
}
web_peak_kib() {
  local total=0 child comm
  for child in $(descendants "$1"); do
    comm=$(cat /proc/"$child"/comm 2>/dev/null || true)
    case "$comm" in WebKit*) total=$(( total + $(peak_kib "$child") )) ;; esac
  done
  echo "$total"
}

# run APP LINES: starts the program, waits for the mark; prints
# "seconds program_KiB web_KiB figure", then waits for the program to end.
run() {
  local app="$1" lines="$2" start
  rm -f "$work/mark"
  start=$EPOCHREALTIME
  QVX_BENCH_DIR="$work" QVX_BENCH_LINES="$lines" "$app/Contents/MacOS/Onboarder" >/dev/null 2>&1 &
  pid=$!
  local waited=0
  until [ -f "$work/mark" ]; do
    # The mark comes from an engine run of its own, which may outlive the program.
    kill -0 "$pid" 2>/dev/null || waited=$(( waited + 1 ))
    [ "$waited" -lt 300 ] || { echo "the program ended and the page never reported" >&2; exit 1; }
    sleep 0.01
  done
  local mark_time figure program web
  read -r mark_time figure <"$work/mark"
  program=$(peak_kib "$pid")
  web=$(web_peak_kib "$pid")
  wait "$pid" || true
  pid=""
  echo "$(echo "$mark_time - $start" | bc -l) $program $web $figure"
}

minimal() {
  local app
  app=$(make_app minimal)
  cat >"$app/Contents/Resources/ui.html" <<HTML
<!DOCTYPE html><meta charset="utf-8"><script>
$POST
let steps = 0;
window.onStep = () => { ++steps; };
window.onWarn = window.onError = () => {};
window.onDone = () => { mark(steps); setTimeout(() => post({ cmd: "quit" }), 1500); };
addEventListener("load", () => post({ cmd: "install" }));
</script>
HTML
  echo "minimal page: N @STEP lines, then @DONE"
  printf '%-10s %9s %12s %12s %12s %10s\n' lines seconds lines/s program_MiB web_MiB steps
  local n seconds program web steps
  for n in 1000 30000 300000 1000000; do
    read -r seconds program web steps < <(run "$app" "$n")
    printf '%-10s %9.2f %12.0f %12.1f %12.1f %10s\n' "$n" "$seconds" "$(echo "$n / $seconds" | bc -l)" \
      "$(echo "$program / 1024" | bc -l)" "$(echo "$web / 1024" | bc -l)" "$steps"
  done
}

real_page() {
  local app
  app=$(make_app real)
  cp "$resources/ui.html" "$app/Contents/Resources/ui.html"
  cat >>"$app/Contents/Resources/ui.html" <<HTML
<script>
(() => {  // the page has a post() of its own
$POST
const done = window.onDone;
window.onDone = (text) => {
  done(text);
  mark(document.querySelectorAll("#steps li").length);
  setTimeout(() => post({ cmd: "quit" }), 1500);
};
addEventListener("load", () => {
  document.getElementById("office").value = "berlin";
  document.getElementById("name").value = "Alex Morgan";
  document.getElementById("code").value = "QVX-4821";
  document.getElementById("code").dispatchEvent(new Event("input"));
  document.getElementById("install").click();
});
})();
</script>
HTML
  echo "real ui.html: N steps, then @DONE (median of three runs; rows: the steps on screen at the end)"
  printf '%-10s %9s %12s %12s %6s\n' steps seconds program_MiB web_MiB rows
  local n i seconds program web rows
  for n in 1000 10000; do
    for i in 1 2 3; do run "$app" "$n"; done | sort -n | sed -n 2p | {
      read -r seconds program web rows
      printf '%-10s %9.2f %12.1f %12.1f %6s\n' "$n" "$seconds" "$(echo "$program / 1024" | bc -l)" \
        "$(echo "$web / 1024" | bc -l)" "$rows"
    }
  done
}

# Waits for the program to end; prints when it did.
end_time() {
  while kill -0 "$pid" 2>/dev/null; do sleep 0.005; done
  wait "$pid" || true
  pid=""
  echo "$EPOCHREALTIME"
}

quit_during_flood() {
  local app n=10000000 quit_at=1000000
  app=$(make_app quit)
  cat >"$app/Contents/Resources/ui.html" <<HTML
<!DOCTYPE html><meta charset="utf-8"><script>
$POST
let steps = 0;
window.onStep = () => {
  if (++steps !== $quit_at) return;
  mark(Date.now());   // the page's clock: milliseconds since the epoch
  post({ cmd: "quit" });
};
window.onWarn = window.onDone = window.onError = () => {};
addEventListener("load", () => post({ cmd: "install" }));
</script>
HTML
  echo "quit during a flood of $n lines"
  rm -f "$work/mark"
  QVX_BENCH_DIR="$work" QVX_BENCH_LINES="$n" "$app/Contents/MacOS/Onboarder" >/dev/null 2>&1 &
  pid=$!
  local ended asked
  ended=$(end_time)
  [ -f "$work/mark" ] || { echo "the page never asked to quit" >&2; exit 1; }
  asked=$(awk '{printf "%.3f", $2 / 1000}' "$work/mark")
  printf '  page "quit" after %d steps: ended %.3f s after the request\n' "$quit_at" "$(echo "$ended - $asked" | bc -l)"

  cat >"$app/Contents/Resources/ui.html" <<HTML
<!DOCTYPE html><meta charset="utf-8"><script>
$POST
let steps = 0;
window.onStep = () => { if (++steps === $quit_at) mark(steps); };
window.onWarn = window.onDone = window.onError = () => {};
addEventListener("load", () => post({ cmd: "install" }));
</script>
HTML
  rm -f "$work/mark"
  QVX_BENCH_DIR="$work" QVX_BENCH_LINES="$n" "$app/Contents/MacOS/Onboarder" >/dev/null 2>&1 &
  pid=$!
  until [ -f "$work/mark" ]; do sleep 0.01; done
  local closing
  closing=$EPOCHREALTIME
  "$x_window_tool" close "$pid" "Install QVX Printer" >/dev/null
  ended=$(end_time)
  printf '  window closed after %d steps: ended %.3f s after the close request\n' "$quit_at" \
    "$(echo "$ended - $closing" | bc -l)"
}

case "$what" in
  minimal) minimal ;;
  real) real_page ;;
  quit) quit_during_flood ;;
  all) minimal; real_page; quit_during_flood ;;
  *) echo "unknown: $what" >&2; exit 2 ;;
esac
