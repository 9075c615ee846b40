#!/bin/bash
# Tests of the real installer engine against a private CUPS server started
# here (never the machine's own): once through `Onboarder --stdio` from the
# built bundle, as an administrator would run it, and directly for its checks.
#
#   installer_cups_test.sh CASE BUNDLE PRIVATE_CUPSD
#
# CASE: install, reinstall, output-closed, bad-input, name-length, no-server,
# offices-conf, silent-server, no-tools, log-race, log-hardlink, log-too-big,
# log-planted. Exits 77 (skipped)
# when not root: cupsd needs root to run from a private folder.
set -euo pipefail

case_name="$1"
bundle="$2"
private_cupsd="$3"
resources="$bundle/Contents/Resources"
onboarder="$bundle/Contents/MacOS/Onboarder"

if [ "$(id -u)" -ne 0 ]; then
  echo "needs root to start a private cupsd: skipped"
  exit 77
fi

work=$(mktemp -d /tmp/qvx-installer-test.XXXXXX)
helpers=()   # background helpers of a case: stopped however it ends
cleanup() {
  [ ${#helpers[@]} -eq 0 ] || kill "${helpers[@]}" 2>/dev/null || true
  "$private_cupsd" stop "$work/cups" || true
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

start_cups() {
  local line
  line=$("$private_cupsd" start "$work/cups") || fail "the private CUPS server did not start"
  export "${line?}"   # CUPS_SERVER=127.0.0.1:PORT
}

# install_via_stdio OFFICE NAME CODE: one install through the program's terminal
# front end; the page scripts it would run go to $work/out.
install_via_stdio() {
  local office="$1" name="$2" code="$3" message
  message=$(printf '{"cmd":"install","office":"%s","name":"%s","code":"%s"}' "$office" "$name" "$code")
  printf '%s\n' "$message" | timeout 120 "$onboarder" --stdio >"$work/out" ||
    fail "Onboarder --stdio ended with status $?"
}

# run_installer VAR=VALUE...: the engine alone, as the program starts it, with
# its standard output in $work/out; prints the exit status.
run_installer() {
  local status=0
  env -i PATH=/usr/bin:/bin:/usr/sbin:/sbin QVX_ENGINE=1 QVX_OFFICE= QVX_NAME= QVX_CODE= \
    ${CUPS_SERVER:+CUPS_SERVER="$CUPS_SERVER"} "$@" /bin/bash "$resources/installer" </dev/null >"$work/out" || status=$?
  echo "$status"
}

expect_last_line() {
  local last
  last=$(tail -n 1 "$work/out")
  [ "$last" == "$1" ] || fail "the last line is not the expected one
  expected: $1
  actual:   $last
  all output:
$(cat "$work/out")"
}

queues() { lpstat -v 2>/dev/null | sed -n 's/^device for \([^:]*\):.*/\1/p' | sort; }

# The attribute as ipptool shows it (quotes and backslashes escaped).
printer_attribute() {
  cat >"$work/get.test" <<'TEST'
{
  OPERATION Get-Printer-Attributes
  GROUP operation-attributes-tag
  ATTR charset attributes-charset utf-8
  ATTR naturalLanguage attributes-natural-language en
  ATTR uri printer-uri $uri
  ATTR keyword requested-attributes all
}
TEST
  ipptool -tv "ipp://$CUPS_SERVER/printers/$1" "$work/get.test" |
    sed -n "s/^ *$2 ([^)]*) = //p"
}

[ -f "$resources/LX4200.ppd" ] || fail "the bundle has no printer PPD at $resources/LX4200.ppd"
queue=QVX-LX4200-Berlin
readonly log=/tmp/qvx-onboarder.log

case "$case_name" in

# A full install for the Berlin office: the page hears every step and the
# success, and the server has the queue, enabled, accepting, with the
# printer's PPD and the user's name and code as job defaults.
install)
  start_cups
  rm -f "$log"   # the log then holds this run alone
  install_via_stdio berlin 'Ada Lovelace, Jr. \"AL\" \\ x' 'QVX-4821'
  expect_last_line 'window.onDone.apply(null, ["QVX LX4200 (Berlin) is ready: choose it when you print from any app."]);'
  grep -v '^window.onWarn' "$work/out" | sed 's/^window\.\([a-zA-Z]*\)\.apply(null, \["\(.*\)"\]);$/\1 \2/' >"$work/calls"
  diff -u - "$work/calls" <<'CALLS' || fail "the steps the page heard"
onStep Checking your details
onStep Finding the printer for your office
onStep Connecting to the printing service
onStep Adding the LX4200 printer for Berlin
onStep Saving your name and setup code for your print jobs
onStep Turning the printer on
onStep Checking that the printer is ready
onDone QVX LX4200 (Berlin) is ready: choose it when you print from any app.
CALLS
  [ "$(queues)" == "$queue" ] || fail "queues on the server: $(queues)"
  lpstat -v "$queue" | grep -qx "device for $queue: ipps://lx4200.berlin.print.qvx.lan/ipp/print" ||
    fail "device: $(lpstat -v "$queue")"
  lpstat -p "$queue" | grep -q "enabled" || fail "not enabled: $(lpstat -p "$queue")"
  lpstat -a "$queue" | grep -q "$queue accepting requests" || fail "not accepting: $(lpstat -a "$queue")"

  # The PPD on the server is the printer's: same model, every option of it.
  server_ppd="$work/cups/ppd/$queue.ppd"
  [ -f "$server_ppd" ] || fail "the server holds no PPD for $queue"
  [ "$(grep '^\*NickName:' "$server_ppd")" == "$(grep '^\*NickName:' "$resources/LX4200.ppd")" ] ||
    fail "the queue's PPD is not the printer's"
  # (lpoptions never lists PageRegion, the twin of PageSize.)
  diff <(sed -n 's/^\*OpenUI \*\([^/:]*\).*/\1/p' "$resources/LX4200.ppd" | grep -vx PageRegion | sort) \
       <(lpoptions -p "$queue" -l | sed 's/[/:].*//' | sort) || fail "the queue's options differ from the PPD's"

  [ "$(printer_attribute "$queue" job-accounting-user-id-default)" == 'Ada Lovelace, Jr. \"AL\" \\ x' ] ||
    fail "the name on the queue: $(printer_attribute "$queue" job-accounting-user-id-default)"
  [ "$(printer_attribute "$queue" job-account-id-default)" == 'QVX-4821' ] ||
    fail "the code on the queue: $(printer_attribute "$queue" job-account-id-default)"
  [ "$(printer_attribute "$queue" printer-info)" == 'QVX LX4200 (Berlin)' ] || fail "the queue's description"
  ! grep -q 'QVX-4821' "$log" || fail "the setup code is in the log: $(grep 'QVX-4821' "$log")"
  ;;

# Installing the same office again replaces its settings with a warning, and
# still leaves exactly one queue.
reinstall)
  start_cups
  [ "$(run_installer QVX_OFFICE=Berlin QVX_NAME=Ada QVX_CODE=1111)" -eq 0 ] || fail "first install: $(cat "$work/out")"
  [ "$(run_installer QVX_OFFICE=berlin QVX_NAME=Ada QVX_CODE=2222)" -eq 0 ] || fail "second install: $(cat "$work/out")"
  grep -qx "@WARN This computer already had the Berlin printer. Its settings were replaced with the current ones." \
    "$work/out" || fail "no warning about the replaced printer: $(cat "$work/out")"
  expect_last_line "@DONE QVX LX4200 (Berlin) is ready: choose it when you print from any app."
  [ "$(queues)" == "$queue" ] || fail "queues on the server: $(queues)"
  [ "$(printer_attribute "$queue" job-account-id-default)" == 2222 ] || fail "the code was not replaced"
  ;;

# The reader of the output goes away after the first line (the window was
# closed): the install still completes.
output-closed)
  start_cups
  env -i PATH=/usr/bin:/bin:/usr/sbin:/sbin QVX_ENGINE=1 QVX_OFFICE=lisbon QVX_NAME=Ada QVX_CODE=1234 \
    CUPS_SERVER="$CUPS_SERVER" /bin/bash "$resources/installer" </dev/null 2>/dev/null | head -n 1 >"$work/out"
  [ "$(cat "$work/out")" == "@STEP Checking your details" ] || fail "first line: $(cat "$work/out")"
  for _ in $(seq 1 300); do
    lpstat -a QVX-LX4200-Lisbon 2>/dev/null | grep -q "accepting requests" && break
    sleep 0.1
  done
  lpstat -a QVX-LX4200-Lisbon 2>/dev/null | grep -q "accepting requests" ||
    fail "the install stopped when its output was closed: $(lpstat -v 2>&1)"
  ;;

# Missing or unusable inputs stop the install with a clear error and a
# non-zero status, before anything reaches the server.
bad-input)
  start_cups
  rm -f "$log"
  check_refused() {
    local expected="$1" status
    shift
    status=$(run_installer "$@")
    [ "$status" -ne 0 ] || fail "accepted $*"
    expect_last_line "$expected"
    [ -z "$(queues)" ] || fail "a queue was added for $*"
  }
  check_refused "@ERROR Choose your office, then try again." QVX_NAME=Ada QVX_CODE=1234
  check_refused "@ERROR Choose your office, then try again." QVX_OFFICE='   ' QVX_NAME=Ada QVX_CODE=1234
  check_refused "@ERROR Enter your name, then try again." QVX_OFFICE=berlin QVX_CODE=1234
  check_refused "@ERROR Enter your setup code, then try again." QVX_OFFICE=berlin QVX_NAME=Ada QVX_CODE=' '
  check_refused "@ERROR There is no QVX office called \"Atlantis\". Choose your office from the list." \
    QVX_OFFICE=Atlantis QVX_NAME=Ada QVX_CODE=1234
  check_refused "@ERROR Your name can be at most 100 characters, on one line. Check it and try again." \
    QVX_OFFICE=berlin QVX_NAME=$'Ada\n@DONE fake' QVX_CODE=1234
  check_refused "@ERROR That setup code doesn't look right: it has 4 to 32 letters, digits or dashes. Check your welcome email and try again." \
    QVX_OFFICE=berlin QVX_NAME=Ada 'QVX_CODE=12;34'
  # An office name with a line break cannot forge a tag line of its own.
  check_refused '@ERROR There is no QVX office called "Ber @DONE forged". Choose your office from the list.' \
    QVX_OFFICE=$'Ber\n@DONE forged' QVX_NAME=Ada QVX_CODE=1234
  ! grep -q '^@DONE' "$work/out" || fail "a forged @DONE line got out"
  ! grep -q '^@DONE forged' "$log" || fail "a forged line reached the log"
  ;;

# The name's limit counts characters in every locale: 60 × "é" passes the
# check (and the run goes on to find no server), 101 × "é" is refused.
name-length)
  export CUPS_SERVER=127.0.0.1:9
  printf -v e60 'é%.0s' {1..60}
  printf -v e101 'é%.0s' {1..101}
  for locale in LANG= LC_ALL=C LANG=C.UTF-8; do
    run_installer "$locale" QVX_OFFICE=berlin QVX_NAME="$e60" QVX_CODE=1234 >/dev/null
    expect_last_line "@ERROR The printing service (CUPS) isn't running on this computer. Start it, or ask QVX Admin for help."
    run_installer "$locale" QVX_OFFICE=berlin QVX_NAME="$e101" QVX_CODE=1234 >/dev/null
    expect_last_line "@ERROR Your name can be at most 100 characters, on one line. Check it and try again."
  done
  ;;

# No CUPS server to talk to: a clear error, a non-zero status.
no-server)
  export CUPS_SERVER=127.0.0.1:9   # the discard port: nothing listens there
  [ "$(run_installer QVX_OFFICE=berlin QVX_NAME=Ada QVX_CODE=1234)" -ne 0 ] || fail "succeeded without a server"
  expect_last_line "@ERROR The printing service (CUPS) isn't running on this computer. Start it, or ask QVX Admin for help."
  ;;

# The administrator's list in /etc/qvx/offices.conf comes before the bundled
# one, and a broken line there is skipped and logged. The test's own list is
# put in place in a mount namespace of its own; the machine's /etc is untouched.
offices-conf)
  start_cups
  mkdir -p "$work/etc-upper/qvx" "$work/etc-work"
  cat >"$work/etc-upper/qvx/offices.conf" <<'LIST'
# moved printer, a broken line, and a new office
berlin | Berlin | QVX-LX4200-Berlin | ipps://moved.berlin.print.qvx.lan/ipp/print | Berlin, 5th floor
paris | Paris | bad queue name! | ipps://lx4200.paris.print.qvx.lan/ipp/print | Paris
LIST
  rm -f "$log"
  status=0
  unshare --mount bash -c 'mount --make-rprivate / &&
    mount -t overlay overlay -o "lowerdir=/etc,upperdir=$1/etc-upper,workdir=$1/etc-work" /etc &&
    shift && exec "$@"' _ "$work" env -i PATH=/usr/bin:/bin:/usr/sbin:/sbin QVX_OFFICE=berlin QVX_NAME=Ada QVX_CODE=1234 \
    CUPS_SERVER="$CUPS_SERVER" /bin/bash "$resources/installer" </dev/null >"$work/out" 2>"$work/err" || status=$?
  if grep -q 'mount' "$work/err"; then echo "no mount namespace here: skipped"; exit 77; fi
  [ "$status" -eq 0 ] || fail "the install failed: $(cat "$work/out" "$work/err")"
  lpstat -v "$queue" | grep -qx "device for $queue: ipps://moved.berlin.print.qvx.lan/ipp/print" ||
    fail "the administrator's address was not used: $(lpstat -v "$queue")"
  grep -q '/etc/qvx/offices.conf line 3 skipped: the print queue name is missing or not allowed' "$log" ||
    fail "the broken line was not logged: $(cat "$log")"
  ;;

# A server that accepts connections and never answers: the install gives up
# with a message that says so, not that the service refused the printer.
silent-server)
  python3 -c 'import socket, time; s = socket.socket(); s.bind(("127.0.0.1", 0)); s.listen(64)
print(s.getsockname()[1], flush=True); time.sleep(600)' >"$work/port" &
  helpers+=($!)
  for _ in $(seq 1 50); do [ -s "$work/port" ] && break; sleep 0.1; done
  export CUPS_SERVER="127.0.0.1:$(cat "$work/port")"
  status=$(run_installer QVX_OFFICE=berlin QVX_NAME=Ada QVX_CODE=1234)
  [ "$status" -ne 0 ] || fail "succeeded against a silent server"
  expect_last_line "@ERROR The printing service (CUPS) on this computer isn't answering. Try again in a few minutes, or restart the computer; if it keeps happening, ask QVX Admin for help."
  ;;

# No CUPS tools on the search path: a clear error, a non-zero status.
no-tools)
  mkdir "$work/empty"
  status=0
  env -i PATH="$work/empty" QVX_OFFICE=berlin QVX_NAME=Ada QVX_CODE=1234 /bin/bash "$resources/installer" \
    </dev/null >"$work/out" || status=$?
  [ "$status" -ne 0 ] || fail "succeeded without the CUPS tools"
  expect_last_line "@ERROR The printing system (CUPS) isn't installed on this computer. Install it (package \"cups\") or ask QVX Admin for help."
  ;;

# Another user flips the log's name between a symbolic link and nothing while
# the installer, as root, opens its log: the links' targets are never written
# to, and none is created.
log-race)
  protected=$work/root-only
  (umask 077 && echo 'root only' >"$protected")
  rm -f "$log"
  # (Python flips far faster than ln and rm could.)
  setpriv --reuid=nobody --regid=nogroup --clear-groups /usr/bin/python3 -c 'import os, sys
while True:
    for target in sys.argv[1:3]:
        try: os.symlink(target, sys.argv[3]); os.unlink(sys.argv[3])
        except OSError: pass' "$protected" "$work/created-through-link" "$log" &
  flipper=$!
  helpers+=($!)
  links_seen=0
  for _ in $(seq 1 200); do
    run_installer QVX_NAME=Ada QVX_CODE=1234 >/dev/null
    [ -L "$log" ] && links_seen=$((links_seen + 1))
    rm -f "$log"
  done
  kill "$flipper" || fail "the other user's loop did not run"
  wait "$flipper" 2>/dev/null || true
  # The loop may stop with its link in place: the tests after this one meet
  # the log as an installer run leaves it, not as a dangling link.
  [ -L "$log" ] && rm -f "$log"
  [ "$links_seen" -gt 0 ] || fail "the other user never got a link in place: the race was not run"
  [ "$(cat "$protected")" == 'root only' ] || fail "the installer wrote through the link: $(cat "$protected")"
  [ ! -e "$work/created-through-link" ] || fail "the installer created a file through the link"
  ;;

# A second name of another file of ours (a hard link someone made where the
# kernel lets them) is not taken for the log.
log-hardlink)
  (umask 077 && echo 'root only' >"$work/root-only")
  rm -f "$log"
  ln "$work/root-only" "$log"
  run_installer QVX_NAME=Ada QVX_CODE=1234 >/dev/null
  rm -f "$log"
  [ "$(cat "$work/root-only")" == 'root only' ] || fail "the installer wrote into the linked file: $(cat "$work/root-only")"
  ;;

# The log is past the file-size limit: writing to it fails, and the install
# still reports its outcome instead of dying of SIGXFSZ.
log-too-big)
  rm -f "$log"
  (umask 077 && head -c 3000 /dev/zero >"$log")
  status=$(ulimit -f 2 && run_installer QVX_NAME=Ada QVX_CODE=1234)
  rm -f "$log"
  [ "$status" -eq 2 ] || fail "status $status: $(cat "$work/out")"
  expect_last_line "@ERROR Choose your office, then try again."
  ;;

# A log planted by another user is left as it is, and the install still runs.
log-planted)
  rm -f "$log"
  setpriv --reuid=nobody --regid=nogroup --clear-groups bash -c 'umask 022; echo "planted" >"$1"' plant "$log"
  [ "$(run_installer QVX_NAME=Ada QVX_CODE=1234)" -eq 2 ] || fail "the run did not end at the missing office"
  expect_last_line "@ERROR Choose your office, then try again."
  [ "$(cat "$log")" == planted ] || fail "the installer wrote into another user's log: $(cat "$log")"
  rm -f "$log"
  ;;

*)
  echo "unknown case: $case_name" >&2
  exit 2
  ;;
esac
echo "ok: $case_name"
