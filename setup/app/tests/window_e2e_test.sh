#!/bin/bash
# End-to-end tests of the setup window with the real program and the real
# WebKitGTK, driven only through the program's own channels: each case builds a
# bundle holding a copy of the program, a page and an engine, runs it on the
# display and checks what came out.
#
#   window_e2e_test.sh CASE ONBOARDER X_WINDOW_TOOL RESOURCES_DIR
#
# CASE is one of: calls, flood, real-page-done, real-page-error, real-page-german, keyboard,
# showlog, close, no-resources, detach. Exits 77 (skipped) without a display.
set -euo pipefail

case_name="$1"
onboarder="$2"
x_window_tool="$3"
resources="$4"
readonly TITLE="Install QVX Printer"
readonly RUN_LIMIT=120   # seconds; generous for a loaded 2-core machine

if [ -z "${DISPLAY:-}" ]; then
  echo "no display: skipped (scripts/test runs the suite under Xvfb)"
  exit 77
fi

work=$(mktemp -d /tmp/qvx-window-e2e.XXXXXX)
program_pid=""
cleanup() {
  if [ -n "$program_pid" ] && kill -0 "$program_pid" 2>/dev/null; then kill "$program_pid" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# make_bundle DIR: DIR/Onboarder.app with a copy of the program; prints the app path.
make_bundle() {
  local app="$1/Onboarder.app"
  mkdir -p "$app/Contents/MacOS" "$app/Contents/Resources"
  cp "$onboarder" "$app/Contents/MacOS/Onboarder"
  cp "$(dirname "$onboarder")/OnboarderWindow" "$app/Contents/MacOS/"  # the window it starts
  printf '%s' "$app"
}

# start_program APP: runs the bundle's program in the background with a known
# environment: an inherited QVX_CODE and PATH that the engine must not see, and
# a variable that must pass through unchanged.
start_program() {
  env QVX_E2E_DIR="$work" QVX_E2E_MARK='kept as it is: $HOME "x"' QVX_CODE=inherited-code \
      PATH="/opt/qvx-e2e/bin:$PATH" "$1/Contents/MacOS/Onboarder" \
      >"$work/program.out" 2>"$work/program.err" &
  program_pid=$!
}

# wait_program: waits for the program; fails unless it ended by itself with 0.
wait_program() {
  local status=0 waited=0
  while kill -0 "$program_pid" 2>/dev/null; do
    [ "$waited" -lt $(( RUN_LIMIT * 10 )) ] || fail "the program did not end within $RUN_LIMIT s"
    sleep 0.1
    waited=$(( waited + 1 ))
  done
  wait "$program_pid" || status=$?
  program_pid=""
  [ "$status" -eq 0 ] || { cat "$work/program.err" >&2; fail "the program ended with status $status"; }
}

# check_centred "x y w h sw sh": the window sits in the middle of the screen.
check_centred() {
  local x y w h sw sh
  read -r x y w h sw sh <<<"$1"
  [ "$w" -ge 560 ] && [ "$h" -ge 640 ] || fail "window of ${w}x$h is smaller than its 560x640 page"
  local dx=$(( 2 * x + w - sw )) dy=$(( 2 * y + h - sh ))
  [ "${dx#-}" -le 2 ] && [ "${dy#-}" -le 2 ] || fail "window at $x,$y (${w}x$h) is not centred on ${sw}x$sh"
}

expect_equal() {
  [ "$1" == "$2" ] || fail "$3
  expected: $2
  actual:   $1"
}

# The start of every test engine: record_environment notes the environment the
# engine saw, and a run whose office is a JSON object (a page handing back its
# record) writes it to record.json and answers "@DONE recorded".
readonly ENGINE_PREAMBLE='engine_arguments=$#
record_environment() {
  printf "%s\0" "QVX_ENGINE=${QVX_ENGINE-unset}" "QVX_OFFICE=${QVX_OFFICE-unset}" "QVX_NAME=${QVX_NAME-unset}" \
    "QVX_CODE=${QVX_CODE-unset}" "PATH=${PATH-unset}" "QVX_E2E_MARK=${QVX_E2E_MARK-unset}" "ARGS=$engine_arguments" \
    "ENGINE=$0" >"$QVX_E2E_DIR/environment-$1"
}
if [[ "$QVX_OFFICE" == "{"* ]]; then
  printf "%s" "$QVX_OFFICE" >"$QVX_E2E_DIR/record.json"
  echo "@DONE recorded"
  exit 0
fi'

# write_engine APP: the bundle's engine, the preamble and then standard input.
write_engine() {
  { printf '%s\n' "$ENGINE_PREAMBLE"; cat; } >"$1/Contents/Resources/installer"
}

# expect_record EXPECTED WHAT: the record the page handed back.
expect_record() {
  [ -f "$work/record.json" ] || fail "the page never handed back $2"
  expect_equal "$(cat "$work/record.json")" "$1" "$2"
}

check_environment() {
  local file="$work/environment-$1" office="$2" name="$3" code="$4" engine="$5"
  [ -f "$file" ] || fail "the engine never recorded its environment ($1)"
  local -a seen
  mapfile -d '' seen <"$file"
  local -a expected=(
    "QVX_ENGINE=1" "QVX_OFFICE=$office" "QVX_NAME=$name" "QVX_CODE=$code"
    "PATH=/usr/bin:/bin:/usr/sbin:/sbin" 'QVX_E2E_MARK=kept as it is: $HOME "x"' "ARGS=0" "ENGINE=$engine"
  )
  expect_equal "$(printf '%s|' "${seen[@]}")" "$(printf '%s|' "${expected[@]}")" "the engine's environment"
}

# check_installer_texts: the page's table of the installer's texts holds
# exactly the texts the installer writes (steps, warnings, failures and its
# final message, as written in its source) and the program's own three, and
# every wording keeps each "$value" of its English text.
check_installer_texts() {
  local installer="$resources/installer" page="$resources/ui.html" name names="" line
  local -a written
  mapfile -t written < <(
    grep -oE '(^|[^a-z_])(step|warn|done_|fail [0-9]+) "([^"\\]|\\.)*"' "$installer" | sed -E 's/^[^"]*"//; s/"$//' |
      grep -vE '^\$[A-Z_]+$'
    for name in $(grep -oE 'fail [0-9]+ "\$[A-Z_]+"' "$installer" | grep -oE '[A-Z_]{2,}' | sort -u); do
      grep -E "^readonly $name=" "$installer" | sed -E 's/^[^"]*"//; s/"$//'
    done
    printf '%s\n' "Installer resources missing." "Installer engine missing." "Could not start the installer.")
  [ "${#written[@]}" -gt 30 ] || fail "found only ${#written[@]} texts in the installer"
  expect_equal "$(sed -nE '/^const ENGINE_TEXTS = \{/,/^\};/ s/^  "(.*)": \{$/\1/p' "$page" | sort)" \
    "$(printf '%s\n' "${written[@]}" | sort -u)" "the page's table of installer texts"
  values() { grep -oE '\$[a-z_]+' <<<"$1" | sort | tr '\n' ' ' || true; }
  while IFS= read -r line; do
    case "$line" in
      '  "'*) names=$(values "$line") ;;
      '    de: '* | '    pt: '*) [ "$(values "$line")" = "$names" ] || fail "a wording loses a value: $line" ;;
    esac
  done < <(sed -n '/^const ENGINE_TEXTS = {/,/^};/p' "$page")
}

case "$case_name" in

# The page posts "install"; the engine prints tagged lines (and some that are
# not); the page records every call it receives, then hands the record back
# as the office of a second install, whose engine writes it to a file.
calls)
  app=$(make_bundle "$work")
  cat >"$app/Contents/Resources/ui.html" <<'HTML'
<!DOCTYPE html><meta charset="utf-8"><title>calls</title>
<script>
const calls = [];
let phase = 1;
function post(m) { window.webkit.messageHandlers.qvx.postMessage(m); }
function record(name) {
  return function (...args) {
    if (phase === 1) calls.push([name, ...args]);
    if (name !== "onDone") return;
    if (phase === 1) {
      phase = 2;
      post({ cmd: "install", office: JSON.stringify({ width: innerWidth, height: innerHeight, calls }) });
    } else {
      post({ cmd: "quit" });
    }
  };
}
window.onStep = record("onStep");
window.onWarn = record("onWarn");
window.onDone = record("onDone");
window.onError = record("onError");
addEventListener("load", () => {
  post("not an object");
  post({ cmd: "INSTALL" });
  post({ cmd: "install", office: "Berlin \"HQ\" / 1", name: "Zoë Ünal", code: "c\\o$de`x" });
});
</script>
HTML
  write_engine "$app" <<'ENGINE'
record_environment 1
echo "@STEP Preparing"
printf '  @WARN  low disk \r\n'
echo '@STEP quote " back \ slash / done'
echo "@STEP Café ☕ 👩‍👩‍👧"
echo "not a tag"
echo "@step lower case"
echo "@STEP </script>'); alert(1)//"
printf '@STEP invalid \xff byte\n'
printf '@ST'; sleep 0.2; printf 'EP split across writes\n'
echo "@DONE"
ENGINE
  start_program "$app"
  wait_program
  expect_record \
    '{"width":560,"height":640,"calls":[["onStep","Preparing"],["onWarn"," low disk"],["onStep","quote \" back \\ slash / done"],["onStep","Café ☕ 👩‍👩‍👧"],["onStep","</script>'"'"'); alert(1)//"],["onStep","split across writes"],["onDone",""]]}' \
    "the calls it received"
  check_environment 1 'Berlin "HQ" / 1' "Zoë Ünal" 'c\o$de`x' "$app/Contents/Resources/installer"
  ;;

# A burst of output far larger than the bound of waiting scripts, whose calls
# the page gets in batches, and an onStep that throws on every third call: each
# call still arrives, once and in order, and the throwing ones swallow nothing.
flood)
  app=$(make_bundle "$work")
  cat >"$app/Contents/Resources/ui.html" <<'HTML'
<!DOCTYPE html><meta charset="utf-8"><title>flood</title>
<script>
const expected = (i) => `${i} it's "quoted" \\ / é`;
let steps = 0, warnings = 0, wrong = -1;
function post(m) { window.webkit.messageHandlers.qvx.postMessage(m); }
window.onStep = (text) => {
  ++steps;
  if (text !== expected(steps) && wrong < 0) wrong = steps;
  if (steps % 3 === 0) throw new Error(`step ${steps} fails`);
};
window.onWarn = () => { ++warnings; throw new Error("a warning fails too"); };
window.onError = () => post({ cmd: "quit" });
window.onDone = (text) => {
  if (text === "recorded") { post({ cmd: "quit" }); return; }
  post({ cmd: "install", office: JSON.stringify({ steps, warnings, wrong, done: text }) });
};
addEventListener("load", () => post({ cmd: "install" }));
</script>
HTML
  write_engine "$app" <<'ENGINE'
for ((i = 1; i <= 30000; i++)); do
  printf '@STEP %d it'"'"'s "quoted" \\ / é\n' "$i"
  (( i % 1000 == 0 )) && echo "@WARN $i"
done
echo "@DONE all there"
ENGINE
  start_program "$app"
  wait_program
  expect_record '{"steps":30000,"warnings":30,"wrong":-1,"done":"all there"}' "what it received"
  ;;

# The real setup page, filled in and submitted the way a user would, with an
# engine that succeeds (or fails without a final line): the page must show the
# steps, the warning and the outcome, and its own buttons must end the program.
real-page-done | real-page-error | real-page-german)
  app=$(make_bundle "$work")
  cp "$resources/ui.html" "$app/Contents/Resources/ui.html"
  cat >>"$app/Contents/Resources/ui.html" <<'HTML'
<script>
// Test driver: acts as the user, then reports what the page shows.
(function () {
  const $ = (id) => document.getElementById(id);
  const seen = { enabled: [] };
  let reported = false;
  function snapshot() {
    seen.state = document.body.dataset.state;
    seen.title = $("title").textContent;
    seen.message = $("message").textContent;
    seen.rows = [...document.querySelectorAll("#steps li")].map((li) => [li.className, li.textContent]);
    seen.buttons = [...document.querySelectorAll("footer button")].filter((b) => b.offsetParent).map((b) => b.textContent);
    seen.focused = document.activeElement ? document.activeElement.textContent : "";
  }
  function report() {
    if (reported) return;
    reported = true;
    setTimeout(() => {
      snapshot();
      window.webkit.messageHandlers.qvx.postMessage({ cmd: "install", office: JSON.stringify(seen) });
      // The second engine answers "@DONE recorded"; then quit with the page's own button.
      const wait = setInterval(() => {
        if ($("message").textContent !== "recorded") return;
        clearInterval(wait);
        ($("finish").offsetParent ? $("finish") : $("quit")).click();
      }, 50);
    }, 300);
  }
  const done = window.onDone, error = window.onError;
  window.onDone = (text) => { done(text); report(); };
  window.onError = (text) => { error(text); report(); };
  addEventListener("load", () => {
    const type = (field, value) => { field.value = value; field.dispatchEvent(new Event("input")); };
    seen.enabled.push(!$("install").disabled);
    $("office").value = "berlin"; $("office").dispatchEvent(new Event("change"));
    type($("name"), "Alex Morgan");
    seen.enabled.push(!$("install").disabled);
    type($("code"), "  ");
    seen.enabled.push(!$("install").disabled);
    type($("code"), " QVX-4821 ");
    seen.enabled.push(!$("install").disabled);
    $("install").click();
  });
})();
</script>
HTML
  write_engine "$app" <<'ENGINE'
record_environment 1
echo "@STEP Checking your details"
echo "@WARN The printer can't be reached from here."
if [ "$QVX_E2E_SCENARIO" = german ]; then
  echo '@STEP Adding the LX4200 printer for Berlin (HQ) $&'
  echo "@STEP Waiting for your permission…"
  echo "@ERROR The printing service refused to add the printer. Click 'Show details' to see why, or contact QVX Admin in Slack."
  exit 5
fi
echo "@STEP Adding the printer"
if [ "$QVX_E2E_SCENARIO" = error ]; then exit 3; fi
echo "@STEP Checking that it is ready"
echo "@DONE The printer is ready."
ENGINE
  export QVX_E2E_SCENARIO=${case_name#real-page-}
  if [ "$case_name" = real-page-german ]; then
    # A German desktop: the page words the installer's texts in German too,
    # values such as the office name kept as written; a text it does not know
    # (the warning here) is shown as it came.
    export QVX_E2E_SCENARIO=german LANGUAGE=de_DE:de LANG=de_DE.UTF-8
    check_installer_texts
  fi
  start_program "$app"
  wait_program
  check_environment 1 berlin "Alex Morgan" "QVX-4821" "$app/Contents/Resources/installer"
  if [ "$case_name" = real-page-german ]; then
    expected='{"enabled":[false,false,false,true],"state":"error","title":"Die Einrichtung wurde nicht abgeschlossen","message":"Der Druckdienst hat das Hinzufügen des Druckers abgelehnt. Klicken Sie auf „Details anzeigen“, um den Grund zu sehen, oder wenden Sie sich in Slack an QVX Admin.","rows":[["ok","Ihre Angaben werden geprüft"],["warning","Warnung: The printer can'"'"'t be reached from here."],["ok","Der LX4200-Drucker für Berlin (HQ) $& wird hinzugefügt"],["failed","Fehlgeschlagen: Warten auf Ihre Erlaubnis …"]],"buttons":["Details anzeigen","Beenden","Erneut versuchen"],"focused":"Erneut versuchen"}'
  elif [ "$case_name" = real-page-done ]; then
    expected='{"enabled":[false,false,false,true],"state":"done","title":"You’re all set","message":"The printer is ready.","rows":[["ok","Checking your details"],["warning","Warning: The printer can'"'"'t be reached from here."],["ok","Adding the printer"],["ok","Checking that it is ready"]],"buttons":["Show details","Done"],"focused":"Done"}'
  else
    expected='{"enabled":[false,false,false,true],"state":"error","title":"Setup didn’t finish","message":"Setup didn'"'"'t finish. Click '"'"'Show details'"'"' or contact QVX Admin in Slack.","rows":[["ok","Checking your details"],["warning","Warning: The printer can'"'"'t be reached from here."],["failed","Failed: Adding the printer"]],"buttons":["Show details","Quit","Try again"],"focused":"Try again"}'
  fi
  expect_record "$expected" "what it showed"
  ;;

# The real page used with the keyboard alone: type-ahead picks the office, Tab
# moves between the fields, Return installs, and Return on the focused Done
# button ends the program. An added line only tells the test the page is up,
# through an install whose engine answers nothing.
keyboard)
  app=$(make_bundle "$work")
  cp "$resources/ui.html" "$app/Contents/Resources/ui.html"
  cat >>"$app/Contents/Resources/ui.html" <<'HTML'
<script>addEventListener("load", () => window.webkit.messageHandlers.qvx.postMessage({ cmd: "install", office: "__ready__" }));</script>
HTML
  write_engine "$app" <<'ENGINE'
if [ "$QVX_OFFICE" = __ready__ ]; then : >"$QVX_E2E_DIR/ready"; exit 0; fi
record_environment 1
echo "@STEP Checking your details"
echo "@DONE Ready."
ENGINE
  start_program "$app"
  for _ in $(seq 1 600); do [ -f "$work/ready" ] && break; sleep 0.1; done
  [ -f "$work/ready" ] || fail "the page never came up"
  sleep 0.5
  "$x_window_tool" type "$program_pid" "$TITLE" text:l Tab "text:Ada Lovelace" Tab text:qvx-1234 Return ||
    fail "could not type into the window"
  for _ in $(seq 1 300); do [ -f "$work/environment-1" ] && break; sleep 0.1; done
  sleep 1   # the page shows the outcome and focuses Done
  "$x_window_tool" type "$program_pid" "$TITLE" Return || fail "could not press Return"
  wait_program
  check_environment 1 lisbon "Ada Lovelace" "qvx-1234" "$app/Contents/Resources/installer"
  ;;

# "showlog" opens the installer log with the user's default application: here
# a stand-in, made the default for text files through the ordinary XDG files,
# that records what it was asked to open. The program itself never writes the log.
showlog)
  app=$(make_bundle "$work")
  cat >"$app/Contents/Resources/ui.html" <<'HTML'
<!DOCTYPE html><script>
addEventListener("load", () => {
  window.webkit.messageHandlers.qvx.postMessage({ cmd: "showlog" });
  // Give the launch time to happen before the program goes.
  setTimeout(() => window.webkit.messageHandlers.qvx.postMessage({ cmd: "quit" }), 3000);
});
</script>
HTML
  mkdir -p "$work/xdg-data/applications" "$work/xdg-config"
  cat >"$work/record-open" <<'TOOL'
#!/bin/bash
printf '%s\n' "$@" >"$QVX_E2E_DIR/opened"
TOOL
  chmod +x "$work/record-open"
  cat >"$work/xdg-data/applications/qvx-e2e-viewer.desktop" <<DESKTOP
[Desktop Entry]
Type=Application
Name=Log viewer stand-in
Exec=$work/record-open %u
MimeType=text/plain;text/x-log;application/octet-stream;
DESKTOP
  printf '[Default Applications]\n%s\n' \
    "text/plain=qvx-e2e-viewer.desktop" "text/x-log=qvx-e2e-viewer.desktop" \
    "application/octet-stream=qvx-e2e-viewer.desktop" >"$work/xdg-config/mimeapps.list"
  # Only a log of the user's own is opened; an installer run leaves one.
  [ -e /tmp/qvx-onboarder.log ] || (umask 077 && : >/tmp/qvx-onboarder.log)
  log_before=$(stat -c '%s %Y' /tmp/qvx-onboarder.log 2>/dev/null || echo absent)
  export XDG_DATA_HOME="$work/xdg-data" XDG_CONFIG_HOME="$work/xdg-config" XDG_DATA_DIRS="$work/xdg-data:/usr/share"
  start_program "$app"
  wait_program
  for _ in $(seq 1 50); do [ -s "$work/opened" ] && break; sleep 0.1; done
  [ -s "$work/opened" ] || fail "the default application was never started"
  expect_equal "$(cat "$work/opened")" "/tmp/qvx-onboarder.log" "what the default application was asked to open"
  expect_equal "$(stat -c '%s %Y' /tmp/qvx-onboarder.log 2>/dev/null || echo absent)" "$log_before" \
    "the log file after showlog"
  ;;

# Closing the window ends the program; the window is centred.
close)
  app=$(make_bundle "$work")
  cp "$resources/ui.html" "$app/Contents/Resources/ui.html"
  start_program "$app"
  geometry=$("$x_window_tool" find "$program_pid" "$TITLE" 60) || fail "no window titled \"$TITLE\" appeared"
  check_centred "$geometry"
  sleep 1   # let the page load, so closing meets a live web process
  "$x_window_tool" close "$program_pid" "$TITLE" || fail "could not ask the window to close"
  wait_program
  ;;

# Without a resources folder the window still opens, titled and centred, and
# closing it ends the program.
no-resources)
  app=$(make_bundle "$work")
  rmdir "$app/Contents/Resources"
  start_program "$app"
  geometry=$("$x_window_tool" find "$program_pid" "$TITLE" 60) || fail "no window titled \"$TITLE\" appeared"
  check_centred "$geometry"
  "$x_window_tool" close "$program_pid" "$TITLE" || fail "could not ask the window to close"
  wait_program
  [ ! -s "$work/program.out" ] || fail "the program printed: $(cat "$work/program.out")"
  ;;

# Run from below /Volumes, quitting starts the detach of that volume: a bash
# that waits a second and then runs the detach tool, left running after the
# program has gone.
detach)
  if [ "$(id -u)" -ne 0 ]; then
    echo "needs root to make a folder in /Volumes: skipped"
    exit 77
  fi
  made_volumes=false
  [ -d /Volumes ] || { mkdir /Volumes && made_volumes=true; }
  volume=$(mktemp -d '/Volumes/QVX Setup $(x) "q".XXXXXX')
  trap 'cleanup; rm -rf "$volume"; if $made_volumes; then rmdir /Volumes 2>/dev/null || true; fi' EXIT
  app=$(make_bundle "$volume")
  cat >"$app/Contents/Resources/ui.html" <<'HTML'
<!DOCTYPE html><script>addEventListener("load", () => window.webkit.messageHandlers.qvx.postMessage({ cmd: "quit" }));</script>
HTML
  expected_text="sleep 1; /usr/bin/hdiutil detach \"${volume//\$/\\\$}\" -force >/dev/null 2>&1"
  expected_text="${expected_text//\"q\"/\\\"q\\\"}"
  # The detach command lives about a second: watch for it from the start, as
  # the program may take that long to wind down on a busy machine.
  watch_for_detach() {
    local cmdline args
    for _ in $(seq 1 $(( RUN_LIMIT * 20 ))); do
      for cmdline in /proc/[0-9]*/cmdline; do
        mapfile -d '' args <"$cmdline" 2>/dev/null || continue
        if [ "${#args[@]}" -eq 3 ] && [ "${args[0]}" = /bin/bash ] && [ "${args[1]}" = -c ] &&
           [ "${args[2]}" = "$expected_text" ]; then
          : >"$work/detach-seen"
          return
        fi
      done
      sleep 0.05
    done
  }
  watch_for_detach &
  watcher=$!
  start_program "$app"
  wait_program
  for _ in $(seq 1 60); do [ -f "$work/detach-seen" ] && break; sleep 0.1; done
  kill "$watcher" 2>/dev/null || true
  found=false
  [ -f "$work/detach-seen" ] && found=true
  $found || fail "no detach command running after the program quit; expected bash -c '$expected_text'"
  ;;

*)
  echo "unknown case: $case_name" >&2
  exit 2
  ;;
esac
echo "ok: $case_name"
