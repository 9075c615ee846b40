#!/bin/bash
# The installer engine when CUPS refuses lpadmin: it asks the system's
# printer-configuration service (cups-pk-helper) over the system D-Bus instead.
# Everything is private to the test: a scheduler with Debian's own access
# policy on a socket in the test's folder, a system bus of its own, polkitd and
# the service on that bus. Nothing touches the machine's own D-Bus or CUPS.
#
#   installer_permission_test.sh CASE BUNDLE PRIVATE_CUPSD
#
# CASE: through-service, no-prompt, no-service, direct, half-made. Exits 77 (skipped) when
# not root or when a daemon it needs is not installed.
set -euo pipefail

case_name="$1"
bundle="$2"
private_cupsd="$3"
readonly MECHANISM=/usr/lib/x86_64-linux-gnu/cups-pk-helper-mechanism
readonly POLKITD=/usr/lib/polkit-1/polkitd
readonly QUEUE=QVX-LX4200-Berlin

[ "$(id -u)" -eq 0 ] || { echo "needs root for cupsd, polkitd and a second user: skipped"; exit 77; }
for daemon in "$MECHANISM" "$POLKITD" /usr/bin/dbus-daemon /usr/bin/gdbus; do
  [ -x "$daemon" ] || { echo "$daemon is not installed: skipped"; exit 77; }
done

work=$(mktemp -d /tmp/qvx-permission-test.XXXXXX)
chmod 0755 "$work"   # the second user reaches the scheduler's and the bus's sockets
pids=()
cleanup() {
  local pid
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  "$private_cupsd" stop "$work/cups" || true
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  [ -f /tmp/qvx-onboarder.log ] && sed 's/^/  log: /' /tmp/qvx-onboarder.log >&2
  exit 1
}

# The engine and its files, readable by the second user.
cp -r "$bundle/Contents/Resources" "$work/resources"
chmod -R a+rX "$work/resources"

line=$("$private_cupsd" start-debian "$work/cups") || fail "the private CUPS server did not start"
export "${line?}"   # CUPS_SERVER=…/cups.sock

# start_bus WITH_SERVICE: a system bus of our own with the usual policies, on
# which the service is started on demand (as on a desktop) when WITH_SERVICE
# is "yes"; then polkitd on it.
start_bus() {
  mkdir -p "$work/services"
  if [ "$1" = yes ]; then
    printf '[D-BUS Service]\nName=org.opensuse.CupsPkHelper.Mechanism\nExec=/usr/bin/env CUPS_SERVER=%s %s\n' \
      "$CUPS_SERVER" "$MECHANISM" >"$work/services/org.opensuse.CupsPkHelper.Mechanism.service"
  fi
  cat >"$work/bus.conf" <<CONF
<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>system</type>
  <listen>unix:path=$work/system_bus_socket</listen>
  <auth>EXTERNAL</auth>
  <servicedir>$work/services</servicedir>
  <policy context="default">
    <allow user="*"/>
    <deny own="*"/>
    <deny send_type="method_call"/>
    <allow send_type="signal"/>
    <allow send_requested_reply="true" send_type="method_return"/>
    <allow send_requested_reply="true" send_type="error"/>
    <allow receive_type="method_call"/>
    <allow receive_type="method_return"/>
    <allow receive_type="error"/>
    <allow receive_type="signal"/>
    <allow send_destination="org.freedesktop.DBus" send_interface="org.freedesktop.DBus"/>
    <allow send_destination="org.freedesktop.DBus" send_interface="org.freedesktop.DBus.Introspectable"/>
  </policy>
  <includedir>/usr/share/dbus-1/system.d</includedir>
  <includedir>/etc/dbus-1/system.d</includedir>
</busconfig>
CONF
  export DBUS_SYSTEM_BUS_ADDRESS="unix:path=$work/system_bus_socket"
  dbus-daemon --config-file="$work/bus.conf" --nofork 2>"$work/bus.log" &
  pids+=($!)
  for _ in $(seq 1 100); do [ -S "$work/system_bus_socket" ] && break; sleep 0.05; done
  "$POLKITD" --no-debug >"$work/polkitd.log" 2>&1 &
  pids+=($!)
  for _ in $(seq 1 100); do
    gdbus call --system --dest org.freedesktop.DBus --object-path /org/freedesktop/DBus \
      --method org.freedesktop.DBus.NameHasOwner org.freedesktop.PolicyKit1 2>/dev/null | grep -q true && return 0
    sleep 0.05
  done
  fail "polkitd did not come up: $(cat "$work/polkitd.log")"
}

# run_installer [USER]: the engine as the setup program starts it, with the
# inputs in the environment and $work/bin first on its search path; as root,
# or as USER. Its output goes to $work/out; prints the exit status.
run_installer() {
  local as=() status=0
  [ $# -gt 0 ] && as=(setpriv --reuid="$1" --regid=nogroup --clear-groups)
  rm -f /tmp/qvx-onboarder.log
  mkdir -p "$work/bin"
  (cd "$work" && "${as[@]}" env -i PATH="$work/bin:/usr/bin:/bin:/usr/sbin:/sbin" QVX_ENGINE=1 \
      QVX_OFFICE=berlin QVX_NAME="Ada \"AL\" Lovelace" QVX_CODE=QVX-4821 \
      CUPS_SERVER="$CUPS_SERVER" ${DBUS_SYSTEM_BUS_ADDRESS:+DBUS_SYSTEM_BUS_ADDRESS="$DBUS_SYSTEM_BUS_ADDRESS"} \
      /bin/bash "$work/resources/installer" </dev/null >"$work/out") || status=$?
  echo "$status"
}

expect_last_line() {
  [ "$(tail -n 1 "$work/out")" == "$1" ] || fail "the last line is not the expected one
  expected: $1
  all output:
$(cat "$work/out")"
}

# A tool in $work/bin that stands in for the real one.
stand_in() {
  mkdir -p "$work/bin"
  printf '#!/bin/sh\n%s\n' "$2" >"$work/bin/$1"
  chmod 0755 "$work/bin" "$work/bin/$1"
}

printer_attribute() {
  printf '{\nOPERATION Get-Printer-Attributes\nGROUP operation-attributes-tag\nATTR charset attributes-charset utf-8\nATTR naturalLanguage attributes-natural-language en\nATTR uri printer-uri $uri\nATTR keyword requested-attributes all\n}\n' >"$work/get.test"
  local socket="${CUPS_SERVER//\//%2F}"
  ipptool -tv "ipp://$socket/printers/$QUEUE" "$work/get.test" | sed -n "s/^ *$1 ([^)]*) = //p"
}

queues() { lpstat -v 2>/dev/null | sed -n 's/^device for \([^:]*\):.*/\1/p'; }

case "$case_name" in

# lpadmin is refused, the service is allowed (polkit lets root through without
# a prompt): the queue is added through it, with the defaults, enabled,
# accepting and not shared.
through-service)
  start_bus yes
  stand_in lpadmin 'echo "lpadmin: Forbidden" >&2; exit 1'
  [ "$(run_installer)" -eq 0 ] || fail "the install failed: $(cat "$work/out")"
  expect_last_line "@DONE QVX LX4200 (Berlin) is ready: choose it when you print from any app."
  grep -qx '@STEP Waiting for your permission…' "$work/out" || fail "no permission step: $(cat "$work/out")"
  [ "$(printer_attribute job-accounting-user-id-default)" == 'Ada \"AL\" Lovelace' ] || fail "the name on the queue"
  [ "$(printer_attribute job-account-id-default)" == QVX-4821 ] || fail "the code on the queue"
  [ "$(printer_attribute printer-is-shared)" == false ] || fail "the queue is shared"
  [ "$(printer_attribute printer-is-accepting-jobs)" == true ] || fail "the queue does not accept jobs"
  [ "$(printer_attribute printer-state)" == idle ] || fail "the queue is not enabled: $(printer_attribute printer-state)"
  grep -q 'adding through org.opensuse.CupsPkHelper.Mechanism' /tmp/qvx-onboarder.log || fail "the log does not say which way"
  ! grep -q QVX-4821 /tmp/qvx-onboarder.log || fail "the setup code is in the log"
  ;;

# A user outside lpadmin with no polkit agent: no prompt can be shown, and no
# queue is left.
no-prompt)
  start_bus yes
  [ "$(run_installer nobody)" -eq 5 ] || fail "the install did not stop: $(cat "$work/out")"
  expect_last_line "@ERROR You don't have permission to add printers, and this computer can't ask for a password here (there is no permission prompt, as over SSH). Run the setup from your desktop, or ask an administrator to run it or to add you to the printer administrators (group lpadmin)."
  [ -z "$(queues)" ] || fail "a queue was left: $(queues)"
  ;;

# The service is not there: the message says so.
no-service)
  start_bus no
  [ "$(run_installer nobody)" -eq 5 ] || fail "the install did not stop: $(cat "$work/out")"
  expect_last_line "@ERROR You don't have permission to add printers on this computer, and the service that could ask for it (cups-pk-helper) isn't available. Ask QVX Admin to add you to the printer administrators (group lpadmin), or to install cups-pk-helper."
  [ -z "$(queues)" ] || fail "a queue was left: $(queues)"
  ;;

# A printer administrator (root here, in the scheduler's SystemGroup as the
# lpadmin members are) takes the direct way; the service is never called.
direct)
  start_bus yes
  stand_in gdbus "echo \"\$*\" >>'$work/gdbus-calls'; exec /usr/bin/gdbus \"\$@\""
  [ "$(run_installer)" -eq 0 ] || fail "the install failed: $(cat "$work/out")"
  expect_last_line "@DONE QVX LX4200 (Berlin) is ready: choose it when you print from any app."
  [ ! -e "$work/gdbus-calls" ] || fail "the service was called: $(cat "$work/gdbus-calls")"
  grep -q 'added directly with lpadmin' /tmp/qvx-onboarder.log || fail "the log does not say which way"
  ;;

# A later step fails after the queue was added: the queue is removed again,
# and the page hears so before the error.
half-made)
  stand_in cupsenable 'echo "cupsenable: Internal Server Error" >&2; exit 1'
  [ "$(run_installer)" -eq 6 ] || fail "the install did not stop: $(cat "$work/out")"
  tail -n 2 "$work/out" | diff -u - <(printf '%s\n' "@WARN The printer was only partly set up, so it was removed again." \
    "@ERROR The printer was added but couldn't be turned on. Click 'Show details' to see why.") || fail "the last lines"
  [ -z "$(queues)" ] || fail "a half-made queue was left: $(queues)"
  ;;

*)
  echo "unknown case: $case_name" >&2
  exit 2
  ;;
esac
echo "ok: $case_name"
