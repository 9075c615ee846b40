#!/bin/bash
# The installer engine when CUPS refuses lpadmin: it asks the system's
# printer-configuration service (cups-pk-helper) over the system D-Bus. All of
# it is private to the test: a scheduler with Debian's own access policy on a
# socket in the test's folder, and a copy of Debian's system bus with polkitd
# and the service (started on demand, as on a desktop) on it.
#
#   installer_permission_test.sh CASE BUNDLE PRIVATE_CUPSD
#
# CASE: through-service, plain-name, no-prompt, no-service, direct, half-made. Exits 77
# (skipped) when not root or when a daemon it needs is not installed.
set -euo pipefail

case_name="$1"
private_cupsd="$3"
readonly MECHANISM=/usr/lib/x86_64-linux-gnu/cups-pk-helper-mechanism POLKITD=/usr/lib/polkit-1/polkitd
[ "$(id -u)" -eq 0 ] || { echo "needs root for cupsd, polkitd and a second user: skipped"; exit 77; }
for daemon in "$MECHANISM" "$POLKITD" /usr/bin/dbus-daemon /usr/bin/gdbus; do
  [ -x "$daemon" ] || { echo "$daemon is not installed: skipped"; exit 77; }
done

work=$(mktemp -d /tmp/qvx-permission-test.XXXXXX)
chmod 0755 "$work"   # the second user reaches the sockets and the engine
pids=()
trap '[ ${#pids[@]} -eq 0 ] || kill "${pids[@]}" 2>/dev/null; "$private_cupsd" stop "$work/cups" || true; rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; sed 's/^/  log: /' /tmp/qvx-onboarder.log >&2; exit 1; }

cp -r "$2/Contents/Resources" "$work/resources" && chmod -R a+rX "$work/resources"
mkdir -p "$work/bin" "$work/services"
line=$("$private_cupsd" start-debian "$work/cups") || fail "the private CUPS server did not start"
export "${line?}"   # CUPS_SERVER=…/cups.sock

# start_bus [SERVICE]: Debian's system bus configuration on a socket of ours,
# polkitd on it, and the service when SERVICE is "service".
start_bus() {
  [ "${1:-}" = service ] && printf '[D-BUS Service]\nName=%s\nExec=/usr/bin/env CUPS_SERVER=%s %s\n' \
    org.opensuse.CupsPkHelper.Mechanism "$CUPS_SERVER" "$MECHANISM" >"$work/services/cph.service"
  sed -e '/<user>\|<fork\/>\|<pidfile>\|<syslog\/>\|<servicehelper>\|<include \|dbus_contexts/d' \
      -e "s|<standard_system_servicedirs/>|<servicedir>$work/services</servicedir>|" \
      -e "s|<listen>.*</listen>|<listen>unix:path=$work/bus</listen>|" \
      -e 's|<includedir>system.d</includedir>|<includedir>/usr/share/dbus-1/system.d</includedir>|' \
      /usr/share/dbus-1/system.conf >"$work/bus.conf"
  export DBUS_SYSTEM_BUS_ADDRESS="unix:path=$work/bus"
  dbus-daemon --config-file="$work/bus.conf" --nofork 2>"$work/bus.log" & pids+=($!)
  for _ in $(seq 1 100); do [ -S "$work/bus" ] && break; sleep 0.05; done
  "$POLKITD" --no-debug >"$work/polkitd.log" 2>&1 & pids+=($!)
  for _ in $(seq 1 100); do
    gdbus call --system --dest org.freedesktop.DBus --object-path /org/freedesktop/DBus --method org.freedesktop.DBus.NameHasOwner \
      org.freedesktop.PolicyKit1 2>/dev/null | grep -q true && return 0
    sleep 0.05
  done
  fail "polkitd did not come up: $(cat "$work/polkitd.log")"
}

# run_installer STATUS [USER]: the engine as the setup program starts it, with
# $work/bin first on its search path, as root or USER; fails unless it ends
# with STATUS. Its output is in $work/out.
run_installer() {
  local as=() status=0
  [ $# -gt 1 ] && as=(setpriv --reuid="$2" --regid=nogroup --clear-groups)
  rm -f /tmp/qvx-onboarder.log
  (cd "$work" && "${as[@]}" env -i PATH="$work/bin:/usr/bin:/bin:/usr/sbin:/sbin" QVX_ENGINE=1 QVX_OFFICE=berlin \
      QVX_NAME="${NAME:-Ada \"AL\" Lovelace}" QVX_CODE=QVX-4821 CUPS_SERVER="$CUPS_SERVER" \
      ${DBUS_SYSTEM_BUS_ADDRESS:+DBUS_SYSTEM_BUS_ADDRESS="$DBUS_SYSTEM_BUS_ADDRESS"} \
      /bin/bash "$work/resources/installer" </dev/null >"$work/out") || status=$?
  [ "$status" -eq "$1" ] || fail "status $status, not $1: $(cat "$work/out")"
}

expect_last_lines() {
  tail -n $# "$work/out" | diff -u <(printf '%s\n' "$@") - || fail "the last lines"
}

# A tool in $work/bin standing in for the real one.
stand_in() { printf '#!/bin/sh\n%s\n' "$2" >"$work/bin/$1" && chmod 0755 "$work/bin/$1"; }

no_queue_left() { [ -z "$(lpstat -v 2>/dev/null)" ] || fail "a queue was left: $(lpstat -v)"; }

readonly DONE="@DONE QVX LX4200 (Berlin) is ready: choose it when you print from any app."
case "$case_name" in

# lpadmin is refused, the service allowed (polkit lets root through without a
# prompt): the queue is added through it, with the defaults, enabled,
# accepting and not shared.
through-service)
  start_bus service
  stand_in lpadmin 'echo "lpadmin: Forbidden" >&2; exit 1'
  run_installer 0
  expect_last_lines "@STEP Waiting for your permission…" "@STEP Saving your name and setup code for your print jobs" \
    "@STEP Turning the printer on" "@STEP Checking that the printer is ready" "$DONE"
  printf '{\nOPERATION Get-Printer-Attributes\nGROUP operation-attributes-tag\nATTR charset attributes-charset utf-8\nATTR naturalLanguage attributes-natural-language en\nATTR uri printer-uri $uri\n}\n' >"$work/get.test"
  ipptool -tv "ipp://${CUPS_SERVER//\//%2F}/printers/QVX-LX4200-Berlin" "$work/get.test" |
    sed -n 's/^ *\(job-account[a-z-]*-default\|printer-is-shared\|printer-is-accepting-jobs\|printer-state\) ([^)]*) = /\1 /p' |
    sort | diff -u - <(printf '%s\n' 'job-account-id-default QVX-4821' 'job-accounting-user-id-default Ada \"AL\" Lovelace' \
                         'printer-is-accepting-jobs true' 'printer-is-shared false' 'printer-state idle') || fail "the queue"
  grep -q 'adding through org.opensuse.CupsPkHelper.Mechanism' /tmp/qvx-onboarder.log || fail "the log does not say which way"
  ! grep -q QVX-4821 /tmp/qvx-onboarder.log || fail "the setup code is in the log"
  ;;

# A name the service refuses (it takes ASCII only) is saved in plain letters.
plain-name)
  start_bus service
  stand_in lpadmin 'echo "lpadmin: Forbidden" >&2; exit 1'
  NAME='José Müller' run_installer 0
  grep -qx '@WARN Your name is shown on your print jobs as "Jose Muller": the printer settings service takes plain letters only.' \
    "$work/out" || fail "no warning about the name: $(cat "$work/out")"
  ;;

# A user outside lpadmin with no polkit agent: no prompt can be shown.
no-prompt)
  start_bus service
  run_installer 5 nobody
  expect_last_lines "@ERROR You don't have permission to add printers, and this computer can't ask for a password here (there is no permission prompt, as over SSH). Run the setup from your desktop, or ask an administrator to run it or to add you to the printer administrators (group lpadmin)."
  no_queue_left
  ;;

# The service is not there: the message says so.
no-service)
  start_bus
  run_installer 5 nobody
  expect_last_lines "@ERROR You don't have permission to add printers on this computer, and the service that could ask for it (cups-pk-helper) isn't available. Ask QVX Admin to add you to the printer administrators (group lpadmin), or to install cups-pk-helper."
  no_queue_left
  ;;

# A printer administrator (root, in the scheduler's SystemGroup as the lpadmin
# members are) takes the direct way; the service is never called.
direct)
  start_bus service
  stand_in gdbus "echo \"\$*\" >>'$work/gdbus-calls'; exec /usr/bin/gdbus \"\$@\""
  run_installer 0
  expect_last_lines "$DONE"
  [ ! -e "$work/gdbus-calls" ] || fail "the service was called: $(cat "$work/gdbus-calls")"
  grep -q 'added directly with lpadmin' /tmp/qvx-onboarder.log || fail "the log does not say which way"
  ;;

# A later step fails after the queue was added: it is removed again.
half-made)
  stand_in cupsenable 'echo "cupsenable: Internal Server Error" >&2; exit 1'
  run_installer 6
  expect_last_lines "@WARN The printer was only partly set up, so it was removed again." \
    "@ERROR The printer was added but couldn't be turned on. Click 'Show details' to see why."
  no_queue_left
  ;;

*) echo "unknown case: $case_name" >&2; exit 2 ;;
esac
echo "ok: $case_name"
