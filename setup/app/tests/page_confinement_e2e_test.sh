#!/bin/bash
# The setup window loads nothing from outside its resources folder: a test page
# asks for a remote script, a remote image, a remote frame and an image outside
# the folder, then tries to navigate to a remote page and to a file outside the
# folder. Everything remote is served by a local recorder whose content would
# post "install" to the channel if it ever ran; the engine writes down every
# install it gets. Only the page's own install may arrive, and the recorder
# must never be asked for anything.
#
#   page_confinement_e2e_test.sh ONBOARDER HTTP_RECORDER
# Exits 77 (skipped) without a display.
set -euo pipefail

onboarder="$1"
http_recorder="$2"
readonly RUN_LIMIT=120   # seconds; generous for a loaded 2-core machine

if [ -z "${DISPLAY:-}" ]; then
  echo "no display: skipped (scripts/test runs the suite under Xvfb)"
  exit 77
fi

work=$(mktemp -d /tmp/qvx-confinement.XXXXXX)
program_pid="" recorder_pid=""
cleanup() {
  for pid in $program_pid $recorder_pid; do kill "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

"$http_recorder" "$work/port" "$work/requests" &
recorder_pid=$!
for _ in $(seq 100); do [ -s "$work/port" ] && break; sleep 0.05; done
[ -s "$work/port" ] || fail "the recorder did not start"
port=$(cat "$work/port")
remote="http://127.0.0.1:$port"

app="$work/Onboarder.app"
resources="$app/Contents/Resources"
outside="$work/outside"
mkdir -p "$app/Contents/MacOS" "$resources" "$outside"
cp "$onboarder" "$app/Contents/MacOS/Onboarder"
cp "$(dirname "$onboarder")/OnboarderWindow" "$app/Contents/MacOS/"  # the window it starts

# A 1x1 PNG inside the folder (must load) and the same beside it (must not).
png='iVBORw0KGgoAAAANSUhEUgAAAAEAAAABCAYAAAAfFcSJAAAADUlEQVR42mNkYPhfDwAChwGA60e6kgAAAABJRU5ErkJggg=='
base64 -d <<<"$png" >"$resources/inside.png"
base64 -d <<<"$png" >"$outside/outside.png"
cat >"$outside/other.html" <<'HTML'
<!DOCTYPE html><script>
window.webkit.messageHandlers.qvx.postMessage({cmd: "install", office: "OUTSIDE", name: location.href});
setTimeout(() => window.webkit.messageHandlers.qvx.postMessage({cmd: "quit"}), 500);
</script>
HTML

cat >"$resources/ui.html" <<HTML
<!DOCTYPE html><html><head><meta charset="utf-8"><title>confinement</title>
<script src="$remote/remote.js"></script>
</head><body>
<img id="remote" src="$remote/remote.png">
<img id="outside" src="file://$outside/outside.png">
<img id="inside" src="inside.png">
<iframe src="$remote/frame.html"></iframe>
<script>
function post(m) { window.webkit.messageHandlers.qvx.postMessage(m); }
function state(id) {
  const image = document.getElementById(id);
  return image.complete && image.naturalWidth > 0 ? "loaded" : "refused";
}
addEventListener("load", () => {
  post({ cmd: "install", office: "local",
         name: "remote=" + state("remote") + " outside=" + state("outside") + " inside=" + state("inside"),
         code: "script=" + (window.remoteRan || "no") });
  setTimeout(() => { location.href = "$remote/page.html"; }, 300);
  setTimeout(() => { location.href = "file://$outside/other.html"; }, 600);
  setTimeout(() => { window.open("$remote/window.html"); }, 900);
  setTimeout(() => post({ cmd: "quit" }), 2000);
});
</script>
</body></html>
HTML
cat >"$resources/installer" <<'ENGINE'
printf '%s|%s|%s\n' "$QVX_OFFICE" "$QVX_NAME" "$QVX_CODE" >>"$QVX_E2E_DIR/installs"
echo "@DONE"
ENGINE

QVX_E2E_DIR="$work" "$app/Contents/MacOS/Onboarder" >"$work/program.out" 2>"$work/program.err" &
program_pid=$!
waited=0
while kill -0 "$program_pid" 2>/dev/null; do
  [ "$waited" -lt $(( RUN_LIMIT * 10 )) ] || fail "the program did not end within $RUN_LIMIT s"
  sleep 0.1
  waited=$(( waited + 1 ))
done
status=0
wait "$program_pid" || status=$?
program_pid=""
[ "$status" -eq 0 ] || { cat "$work/program.err" >&2; fail "the program ended with status $status"; }
sleep 0.5   # an engine started just before quit may still be writing

[ -f "$work/installs" ] || fail "the page's own install never arrived"
expected="local|remote=refused outside=refused inside=loaded|script=no"
installs=$(cat "$work/installs")
[ "$installs" == "$expected" ] || fail "installs the engine saw:
$installs
expected only:
$expected"
if [ -s "$work/requests" ]; then
  fail "remote content was requested:
$(cat "$work/requests")"
fi
echo "PASS: only the local page reached the channel; nothing remote was requested"
