#!/bin/bash
# Builds the Debian package from a build folder, unpacks it into a scratch
# root and runs both programs' headless front ends from the unpacked paths:
# Onboarder --stdio through its launcher, pdehost on the sample description
# through its own. Also checks what the package declares it needs, runs
# Debian's checks on it (lintian without errors or warnings, the AppStream
# metadata, the desktop entries), finds the manual pages where man looks and
# the debug information in the -dbgsym package.
#   package_install_test.sh BUILD_DIR
set -euo pipefail
build="$1"
work=$(mktemp -d /tmp/qvx-package-test.XXXXXX)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
command -v dpkg-deb >/dev/null || { echo "no dpkg-deb here"; exit 77; }
for tool in lintian appstreamcli desktop-file-validate man; do
  command -v "$tool" >/dev/null || fail "$tool is not installed (scripts/install-deps installs it)"
done

( cd "$work" && cpack --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1 ) ||
  { cat "$work/cpack.log" >&2; fail "cpack failed"; }
deb=$(find "$work/out" -maxdepth 1 -name 'qvx-printer_*.deb' | head -n 1)
[ -n "$deb" ] || fail "no package made: $(ls "$work/out")"
dbgsym=$(find "$work/out" -maxdepth 1 -name 'qvx-printer-dbgsym_*.ddeb' | head -n 1)
[ -n "$dbgsym" ] || fail "no debug package made: $(ls "$work/out")"

# Every tag of level warning or error fails; overrides shipped in the package
# apply, each with its reason written beside it.
lintian --fail-on error,warning --tag-display-limit 0 "$deb" >"$work/lintian.log" 2>&1 ||
  { cat "$work/lintian.log" >&2; fail "lintian found errors or warnings"; }

depends=$(dpkg-deb -f "$deb" Depends)
for needed in libgtk-3-0 libwebkit2gtk-4.1-0 libcups2 cups-client adwaita-icon-theme; do
  grep -q "\b$needed\b" <<<"$depends" || fail "the package does not depend on $needed: $depends"
done
grep -q "qvxtoolkit" <<<"$depends" && fail "the package depends on its own library: $depends"
dpkg-deb -f "$deb" Recommends | grep -q '\bcups-pk-helper\b' || fail "the package does not recommend cups-pk-helper"
dpkg-deb -I "$deb" conffiles | grep -qx /etc/qvx/offices.conf || fail "/etc/qvx/offices.conf is not a conffile"

root="$work/root"
dpkg-deb -x "$deb" "$root"
for path in usr/bin/pdehost usr/bin/qvx-onboarder usr/share/applications/com.qvx.Onboarder.desktop \
            usr/share/applications/com.qvx.PrintDialog.desktop usr/share/ppd/qvx/LX4200.ppd \
            usr/share/doc/qvx-printer/README.md \
            usr/lib/qvx/Onboarder.app/Contents/MacOS/OnboarderWindow; do
  [ -e "$root/$path" ] || fail "the package lacks /$path"
done
bundle=$(find "$root" -type d -name TintPanel.plugin)
[ -n "$bundle" ] || fail "the package lacks TintPanel.plugin"
for file in Contents/MacOS/TintPanel Contents/Resources/Color6.json Contents/Resources/LX4200.ppd \
            Contents/Resources/en.lproj/Localizable.strings; do
  [ -f "$bundle/$file" ] || fail "the packaged bundle lacks $file"
done
desktop-file-validate "$root"/usr/share/applications/*.desktop || fail "invalid desktop entry"
for entry in "$root"/usr/share/applications/*.desktop; do
  [ -f "$root/usr/share/metainfo/$(basename "$entry" .desktop).metainfo.xml" ] ||
    fail "no AppStream metadata for $(basename "$entry")"
done
appstreamcli validate --no-net "$root"/usr/share/metainfo/*.metainfo.xml || fail "invalid AppStream metadata"

# The manual pages where man finds them, without formatting warnings, and every
# file they name in the package.
for page in pdehost qvx-onboarder; do
  found=$(MANPATH="$root/usr/share/man" man -w "$page") || fail "man does not find $page"
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$found" 2>&1 >/dev/null)
  [ -z "$warnings" ] || fail "the manual page of $page has formatting warnings: $warnings"
  for path in $(zcat "$found" | sed -n '/^\.SH FILES/,/^\.SH /s|^\.I \(/usr/[^ ]*\)$|\1|p'); do
    [ -e "$root${path//\\-/-}" ] || fail "the manual page of $page names $path, which the package lacks"
  done
done
[ -x "$(find "$root" -path '*/Onboarder.app/Contents/Resources/installer')" ] ||
  fail "the installer engine is not executable"
version=$(dpkg-deb -f "$deb" Version)
zcat "$root/usr/share/doc/qvx-printer/changelog.gz" | head -n 1 | grep -q "^qvx-printer ($version)" ||
  fail "the changelog's last entry is not version $version"

# Each program and library of the package has its debug information, under
# its build id, in the debug package.
dpkg-deb -c "$dbgsym" >"$work/dbgsym.list"
while read -r elf; do
  id=$(readelf -n "$elf" | sed -n 's/.*Build ID: //p')
  [ -n "$id" ] || fail "$elf has no build id"
  grep -q "/usr/lib/debug/.build-id/${id:0:2}/${id:2}.debug$" "$work/dbgsym.list" ||
    fail "the debug package lacks the debug information of ${elf#"$root"}"
done < <(find "$root" -type f -exec sh -c 'head -c 4 "$1" | grep -q ELF' sh {} \; -print)

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
# --gui reaches the window program installed beside pdehost, which needs a display.
status=0
out=$(env -u DISPLAY -u WAYLAND_DISPLAY timeout 60 "$root/usr/bin/pdehost" --gui 2>&1 </dev/null) || status=$?
[ "$status" -eq 3 ] && grep -q -- "--gui needs a display" <<<"$out" ||
  fail "pdehost --gui from the package ended with $status: $out"
# Loaded from the package, not from the build tree.
out=$(printf 'panelName\n' | LD_DEBUG=libs timeout 60 "$root/usr/bin/pdehost" 2>&1 >/dev/null)
grep -q "calling init: $root.*/libqvxtoolkit.so" <<<"$out" || fail "the toolkit library did not come from the package:
$(grep qvxtoolkit <<<"$out")"
echo "ok: $(basename "$deb")"
