#!/bin/bash
# The real `pdehost --gui` program on the display, through what a person and
# a window manager do: the dialog opens the panel, shows its window, and
# closing the window leaves the pane and ends the program.
#   pdehost_gui_test.sh CASE PDEHOST X_WINDOW_TOOL
set -uo pipefail
case_name="$1" pdehost="$2" xtool="$3"
work=$(mktemp -d /tmp/pdehost-gui-test.XXXXXX)
trap 'kill "$pid" 2>/dev/null; rm -rf "$work"' EXIT
pid=""
# The window asks the CUPS server for its queue: here, one that is not there.
export CUPS_SERVER=/nonexistent/pdehost-test-cups.sock
fail() { echo "FAIL: $*" >&2; echo "--- output:" >&2; cat "$work/out" "$work/err" >&2 2>/dev/null; exit 1; }

commands() { python3 -c 'import json,sys; print(" ".join(json.loads(l)["command"] for l in sys.stdin if l.strip()))' < "$work/out"; }

case "$case_name" in
  no-display)
    env -u DISPLAY -u WAYLAND_DISPLAY "$pdehost" --gui >"$work/out" 2>"$work/err"
    status=$?
    [ "$status" -eq 3 ] || fail "exit status $status without a display"
    grep -q -- "--gui needs a display" "$work/err" || fail "no message about the display"
    ;;
  close|script)
    [ -n "${DISPLAY:-}" ] || { echo "no display"; exit 77; }
    args=(--gui)
    if [ "$case_name" = script ]; then
      printf 'click tonerSaveCB\nselect colorModePopup 2\n' > "$work/script"
      args+=(--script "$work/script")
    fi
    "$pdehost" "${args[@]}" >"$work/out" 2>"$work/err" &
    pid=$!
    "$xtool" find "$pid" Print 30 >/dev/null || fail "no window titled Print"
    # The script runs once the window is up; a busy machine may show the
    # window first, so wait for its last line before closing.
    if [ "$case_name" = script ]; then
      for _ in $(seq 1 300); do grep -q '"command":"select"' "$work/out" && break; sleep 0.1; done
    fi
    "$xtool" close "$pid" Print || fail "the window did not close"
    wait "$pid"; status=$?; pid=""
    [ "$status" -eq 0 ] || fail "exit status $status after closing"
    expected="panelName panelView restore willShow"
    [ "$case_name" = script ] && expected+=" click select"
    expected+=" shouldHide"
    [ "$(commands)" = "$expected" ] || fail "calls were: $(commands)"
    ;;
  slow-server)
    # A server that accepts and never answers: the window opens and closes
    # at once all the same, while the question is still out.
    [ -n "${DISPLAY:-}" ] || { echo "no display"; exit 77; }
    python3 -c 'import socket,time
s=socket.socket(); s.bind(("127.0.0.1",0)); s.listen(8); print(s.getsockname()[1], flush=True); time.sleep(600)' >"$work/port" &
    hang=$!
    for _ in $(seq 1 50); do [ -s "$work/port" ] && break; sleep 0.1; done
    CUPS_SERVER="127.0.0.1:$(cat "$work/port")" "$pdehost" --gui >"$work/out" 2>"$work/err" &
    pid=$!
    "$xtool" find "$pid" Print 30 >/dev/null || { kill "$hang"; fail "no window titled Print"; }
    "$xtool" close "$pid" Print || { kill "$hang"; fail "the window did not close"; }
    wait "$pid"; status=$?; pid=""
    kill "$hang"
    [ "$status" -eq 0 ] || fail "exit status $status after closing"
    [ "$(commands)" = "panelName panelView restore willShow shouldHide" ] || fail "calls were: $(commands)"
    ;;
  bad-script)
    [ -n "${DISPLAY:-}" ] || { echo "no display"; exit 77; }
    printf 'frobnicate\n' > "$work/script"
    "$pdehost" --gui --script "$work/script" >"$work/out" 2>"$work/err"
    status=$?
    [ "$status" -eq 1 ] || fail "exit status $status for a wrong script line"
    grep -q 'unknown command "frobnicate"' "$work/err" || fail "no message about the script"
    ;;
  *) echo "unknown case $case_name" >&2; exit 2 ;;
esac
echo ok
