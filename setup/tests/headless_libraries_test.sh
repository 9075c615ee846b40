#!/usr/bin/env bash
# `Onboarder --stdio` loads no GUI library: neither in the memory map of a
# running front end nor among what its executable needs.
# Usage: headless_libraries_test.sh ONBOARDER
set -euo pipefail
program="$1"
gui='lib(gtk|gdk|webkit|javascriptcoregtk|soup|atk|cairo|pango|harfbuzz|epoxy|wayland|X11)[-.0-9a-z]*\.so'

fail() { echo "FAIL: $*" >&2; exit 1; }

work=$(mktemp -d)
pid=
trap 'exec 3>&- 2>/dev/null || true; [ -n "$pid" ] && kill "$pid" 2>/dev/null; rm -rf "$work"' EXIT

# What the dynamic linker would load for it.
needed=$(ldd "$program") || fail "ldd cannot read $program"
grep -q 'libstdc++' <<<"$needed" || fail "ldd listed nothing usable: $needed"
if found=$(grep -Eo "$gui" <<<"$needed"); then fail "the headless program needs: $found"; fi

# The pattern does find GTK where it is: the window program beside it.
window="$(dirname "$program")/OnboarderWindow"
if [ -x "$window" ]; then
  grep -Eq "$gui" <<<"$(ldd "$window")" || fail "the GUI pattern finds nothing in $window"
fi

# A running front end, held open on a FIFO; its map is read once both its
# threads exist (start-up and loading are over by then).
mkfifo "$work/messages"
"$program" --stdio <"$work/messages" >/dev/null &
pid=$!
exec 3>"$work/messages"
for _ in $(seq 200); do
  [ "$(ls "/proc/$pid/task" 2>/dev/null | wc -l)" -ge 2 ] && break
  sleep 0.05
done
[ "$(ls "/proc/$pid/task" | wc -l)" -ge 2 ] || fail "the front end did not start its reader"
maps=$(cat "/proc/$pid/maps")
grep -q 'libstdc++' <<<"$maps" || fail "the memory map lists no libraries"
if found=$(grep -Eo "$gui" <<<"$maps" | sort -u); then fail "--stdio loaded: $found"; fi

exec 3>&-
wait "$pid" || fail "the front end exited with $? at the end of its input"
pid=
echo "PASS: no GUI library in --stdio"
