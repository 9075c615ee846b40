#!/bin/bash
# `cmake --install` into a scratch prefix: the bundle, the launcher and the
# desktop entry land in place, and the launcher runs the installed program,
# which finds its own resources (the real installer answers through it).
#   install_test.sh BUILD_DIR
set -euo pipefail
build="$1"
prefix=$(mktemp -d /tmp/qvx-install-test.XXXXXX)
trap 'rm -rf "$prefix"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$prefix" --component onboarder >/dev/null
launcher="$prefix/bin/qvx-onboarder"
desktop="$prefix/share/applications/com.qvx.Onboarder.desktop"
[ -x "$launcher" ] || fail "no launcher at $launcher"
[ -f "$desktop" ] || fail "no desktop entry at $desktop"
bundle=$(find "$prefix" -type d -name Onboarder.app)
[ -n "$bundle" ] || fail "no bundle installed"
for file in Contents/MacOS/Onboarder Contents/Resources/ui.html Contents/Resources/installer \
            Contents/Resources/offices.conf Contents/Resources/LX4200.ppd; do
  [ -f "$bundle/$file" ] || fail "the installed bundle lacks $file"
done
grep -qx "Exec=qvx-onboarder" "$desktop" || fail "the desktop entry does not start the launcher: $(grep ^Exec "$desktop")"
grep -qx "Name=Install QVX Printer" "$desktop" || fail "the desktop entry's name"
if command -v desktop-file-validate >/dev/null; then desktop-file-validate "$desktop" || fail "invalid desktop entry"; fi

# The installed program, started through the launcher (also through a link to
# it, as a packager might place it), runs its own installer.
ln -s "$launcher" "$prefix/linked-launcher"
for start in "$launcher" "$prefix/linked-launcher"; do
out=$(printf '%s\n' '{"cmd":"install","office":"","name":"Ada","code":"1234"}' | timeout 60 "$start" --stdio)
expected='window.onStep.apply(null, ["Checking your details"]);
window.onError.apply(null, ["Choose your office, then try again."]);'
[ "$out" == "$expected" ] || fail "the installed program's run through $start:
$out"
done
echo "ok"
