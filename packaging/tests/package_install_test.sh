#!/bin/bash
# Builds the Debian package from a build folder, unpacks it into a scratch
# root and runs both programs' headless front ends from the unpacked paths:
# Onboarder --stdio through its launcher, pdehost on the sample description
# through its own. Also checks what the package declares it needs.
#   package_install_test.sh BUILD_DIR
set -euo pipefail
build="$1"
work=$(mktemp -d /tmp/qvx-package-test.XXXXXX)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
command -v dpkg-deb >/dev/null || { echo "no dpkg-deb here"; exit 77; }

( cd "$work" && cpack --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1 ) ||
  { cat "$work/cpack.log" >&2; fail "cpack failed"; }
deb=$(find "$work/out" -maxdepth 1 -name 'qvx-printer_*.deb' | head -n 1)
[ -n "$deb" ] || fail "no package made: $(ls "$work/out")"

depends=$(dpkg-deb -f "$deb" Depends)
for needed in libgtk-3-0 libwebkit2gtk-4.1-0 libcups2 cups-client adwaita-icon-theme; do
  grep -q "\b$needed\b" <<<"$depends" || fail "the package does not depend on $needed: $depends"
done
grep -q "qvxtoolkit" <<<"$depends" && fail "the package depends on its own library: $depends"

root="$work/root"
dpkg-deb -x "$deb" "$root"
for path in usr/bin/pdehost usr/bin/qvx-onboarder usr/share/applications/com.qvx.Onboarder.desktop \
            usr/share/applications/com.qvx.PrintDialog.desktop usr/share/ppd/qvx/LX4200.ppd \
            usr/share/doc/qvx-printer/README.md; do
  [ -e "$root/$path" ] || fail "the package lacks /$path"
done
bundle=$(find "$root" -type d -name TintPanel.plugin)
[ -n "$bundle" ] || fail "the package lacks TintPanel.plugin"
for file in Contents/MacOS/TintPanel Contents/Resources/Color6.json Contents/Resources/LX4200.ppd \
            Contents/Resources/en.lproj/Localizable.strings; do
  [ -f "$bundle/$file" ] || fail "the packaged bundle lacks $file"
done
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$root"/usr/share/applications/*.desktop || fail "invalid desktop entry"
fi

# Nothing unpacked may reach back into the build tree for its libraries.
program=$(find "$root" -type f -name pdehost -path '*/qvx/*')
if readelf -d "$program" "$bundle/Contents/MacOS/TintPanel" | grep -E 'R(UN)?PATH' | grep -q "$build"; then
  fail "an unpacked binary's run path names the build tree"
fi

# The setup program's headless front end through its launcher.
out=$(printf '%s\n' '{"cmd":"install","office":"","name":"Ada","code":"1234"}' |
      timeout 60 "$root/usr/bin/qvx-onboarder" --stdio)
expected='window.onStep.apply(null, ["Checking your details"]);
window.onError.apply(null, ["Choose your office, then try again."]);'
[ "$out" == "$expected" ] || fail "Onboarder --stdio from the package said:
$out"

# pdehost on the sample description, finding the bundle beside itself.
out=$(printf 'panelName\npanelView\nrestore\nclick tonerSaveCB\nsummaryInfo\n' | timeout 60 "$root/usr/bin/pdehost")
grep -qx '{"command":"panelName","result":"Image Quality"}' <<<"$out" || fail "pdehost from the package said:
$out"
grep -q '"Toner Save":"On"' <<<"$out" || fail "the packaged panel did not record toner save:
$out"
# Loaded from the package, not from the build tree.
out=$(printf 'panelName\n' | LD_DEBUG=libs timeout 60 "$root/usr/bin/pdehost" 2>&1 >/dev/null)
grep -q "calling init: $root.*/libqvxtoolkit.so" <<<"$out" || fail "the toolkit library did not come from the package:
$(grep qvxtoolkit <<<"$out")"
echo "ok: $(basename "$deb")"
