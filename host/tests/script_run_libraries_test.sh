#!/bin/bash
# A script run of pdehost loads no GUI library: with the panel open and
# restored, the memory map of the process holds libcups and the panel's
# library, and no GTK, GDK or WebKitGTK; nor, with no document in the job,
# the document libraries (poppler, cairo), which load with the first one. The window program, which has them,
# shows that the check finds them.
#   script_run_libraries_test.sh PDEHOST PDEHOST_GUI TINTPANEL_BUNDLE
set -uo pipefail
pdehost="$1" window="$2" bundle="$3"
work=$(mktemp -d /tmp/pdehost-libraries.XXXXXX)
pid=""
trap '[ -n "$pid" ] && kill "$pid" 2>/dev/null; rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; echo "--- output:" >&2; cat "$work/out" "$work/err" >&2 2>/dev/null; exit 1; }
gui='/lib(gtk|gdk|webkit2gtk|javascriptcoregtk)-'
documents='/lib(poppler|cairo|spectre)'

# The script comes through a pipe kept open, so the run waits while its map is read.
mkfifo "$work/script"
"$pdehost" --plugin "$bundle" --printer '' <"$work/script" >"$work/out" 2>"$work/err" &
pid=$!
exec 3>"$work/script"
printf 'panelView\nrestore\n' >&3
for _ in $(seq 1 600); do grep -q '"command":"restore"' "$work/out" && break; sleep 0.1; done
grep -q '"command":"restore","error":null,"result":true' "$work/out" || fail "the panel was not restored"
maps=$(awk 'NF >= 6 { print $6 }' "/proc/$pid/maps" | sort -u)
grep -q '/libcups\.so' <<<"$maps" || fail "no libcups in the map of $pid: it was not read right"
grep -q '/TintPanel$' <<<"$maps" || fail "the panel's library is not in the map of $pid"
loaded=$(grep -E "$gui" <<<"$maps") && fail "a script run loaded GUI libraries: $loaded"
loaded=$(grep -E "$documents" <<<"$maps") && fail "a run without documents loaded their libraries: $loaded"
exec 3>&-
wait "$pid"; status=$?; pid=""
[ "$status" -eq 0 ] || fail "exit status $status"

# ldd's list is read whole first: grep -q stops at its first match, and
# under pipefail the ldd it cut short would fail the check now and then.
ldd "$window" >"$work/ldd" || fail "ldd cannot read $window"
grep -qE "$gui" "$work/ldd" || fail "no GTK found in $window either: the check cannot see it"
echo ok
