#!/bin/bash
# pdehost printing end to end against a private CUPS server that this test
# starts itself: a queue made from the sample PPD on a file device, jobs
# submitted through `pdehost print`, their options read back with ipptool.
#   print_cups_test.sh PDEHOST BUNDLE PPD PRIVATE_CUPSD
# Exits 77 (skipped) when it cannot run a private cupsd (not root, no cupsd).
set -uo pipefail

pdehost="${1:?usage: print_cups_test.sh PDEHOST BUNDLE PPD}"
bundle="${2:?}"
ppd="${3:?}"
private_cupsd="${4:?}"

if [ "$(id -u)" != 0 ] || [ ! -x /usr/sbin/cupsd ] || ! command -v ipptool >/dev/null || ! command -v lpadmin >/dev/null; then
  echo "SKIP: needs root, cupsd, lpadmin and ipptool (packages cups, cups-client, cups-ipp-utils)"
  exit 77
fi

dir=$(mktemp -d /tmp/pdehost-cups-XXXXXX)
cleanup() {
  "$private_cupsd" stop "$dir/cups" >/dev/null 2>&1
  rm -rf "$dir"
}
trap cleanup EXIT

work="$dir"
source "$(dirname "$0")/cups_test_lib.sh"

# ---- the private server ------------------------------------------------------
line=$("$private_cupsd" start "$dir/cups") || { echo "FAIL: the private cupsd did not come up"; exit 1; }
export "${line?}"  # CUPS_SERVER=127.0.0.1:PORT
# The user's saved defaults and the client's files stay in the test's folder.
export HOME="$dir/home" CUPS_SERVERROOT="$dir/client"
mkdir -p "$HOME" "$CUPS_SERVERROOT"
lpadmin -p LX4200 -E -v file:///dev/null -P "$ppd" 2>/dev/null || { echo "FAIL: lpadmin"; exit 1; }

# The current choices of the nine stored options and the lock, from a state line.
stored_choices() {
  local line; line=$(cat)
  for name in colorMode printPriority neutralGray pureBlackPrint tonerSave smoothing screening trapping sharpness; do
    grep -o "\"${name}Choice\":-\?[0-9]*" <<<"$line"
  done
  grep -o '"saveSettingsValue":-\?[0-9]*' <<<"$line"
}

run_host() {  # run_host SCRIPT [pdehost options...] -> $out, $err, $status
  local script="$1"; shift
  out=$(printf '%b' "$script" | "$pdehost" --plugin "$bundle" --ppd "$ppd" "$@" 2>"$dir/err")
  status=$?
  err=$(cat "$dir/err")
}
# Line N of the output (one compact JSON object, keys sorted).
line() { printf '%s\n' "$out" | sed -n "${1}p"; }
# The job id on line N.
job_of() { line "$1" | grep -o '"job":[0-9]*' | cut -d: -f2; }
job_count() { lpstat -W all -o 2>/dev/null | wc -l; }

# ---- a person changes options and prints; the job carries them ---------------
run_host 'panelView\nrestore\nselect printPriorityPopup 2\nselect screeningPopup 3\nclick tonerSaveCB\nselect colorModePopup 2\nclick SmoothingCB\nslide neutralGraySlider 3\nsave\nprint\nsave-settings '"$dir/session.json"'\nstate\n'
check "print exits 0 ($err)" test "$status" = 0
job=$(job_of 10)
check "print answers a job id ($job)" test -n "$job" -a "$job" -gt 0 2>/dev/null
attrs=$(job_attributes "$job")
check "job has the toner save chosen" has_attribute "$attrs" VMSaveToner true
check "job has the print priority toner save forced" has_attribute "$attrs" VMCPPriority Standard
check "job has the screening toner save forced" has_attribute "$attrs" VMCScreen Auto
check "job has the colour mode chosen" has_attribute "$attrs" VMCMode Gray
check "job has smoothing off" has_attribute "$attrs" VMSmoothing false
check "job has the neutral gray chosen" has_attribute "$attrs" VMCNGray Strong
check "job has the model code" has_attribute "$attrs" 'vemra\.print\.PrintSettings\.co\.kestrel2' 4
check "job has the save-settings flag" has_attribute "$attrs" 'vemra\.print\.PrintSettings\.co\.saveSettings' 0
check "job names the test page" has_attribute "$attrs" job-name 'pdehost test page'
first_out=$out
first_state=$(printf '%s\n' "$out" | sed -n 12p | stored_choices)

# ---- the saved session restores the same panel and prints the same job --------
run_host 'panelView\nrestore\nstate\nprint\n' --settings "$dir/session.json"
check "restored run exits 0 ($err)" test "$status" = 0
second_state=$(printf '%s\n' "$out" | sed -n 3p | stored_choices)
check "the first panel's state was read" grep -q '"tonerSaveChoice":1' <<<"$first_state"
check "restored panel shows the same choices" test "$first_state" = "$second_state"
job2=$(job_of 4)
check "second job is another job ($job2)" test -n "$job2" -a "$job2" != "$job"
check "the first job's options were read" grep -q '"VMCNGray":"Strong"' <<<"$(printf '%s\n' "$first_out" | sed -n 10p)"
check "second job carries the same options" test "$(line 4 | grep -o '"options":{[^}]*}')" = "$(printf '%s\n' "$first_out" | sed -n 10p | grep -o '"options":{[^}]*}')"

# ---- entries that are not texts are kept by save-settings, not sent ----------
printf '%s' '{"VMCMode": "Color", "note": {"by": "test"}, "copies-wanted": 2}' >"$dir/mixed.json"
run_host 'save-settings '"$dir/mixed-out.json"'\nprint\n' --settings "$dir/mixed.json"
check "mixed settings print ($err)" test "$status" = 0
check "entries that are not texts are written back as they were" test "$(tr -d ' \n' <"$dir/mixed-out.json")" = '{"VMCMode":"Color","copies-wanted":2,"note":{"by":"test"}}'
attrs=$(job_attributes "$(job_of 2)")
check "a text entry is a job option" has_attribute "$attrs" VMCMode Color
check "an entry that is not a text is not a job option" bash -c '! grep -q "copies-wanted\|note" <<<"$1"' _ "$attrs"

# ---- a named file is printed under its name -----------------------------------
printf '%%!PS\n/Courier findfont 12 scalefont setfont 72 720 moveto (named) show showpage\n' >"$dir/named.ps"
run_host 'print '"$dir/named.ps"'\n'
check "a named file prints ($err)" test "$status" = 0
check "the job is named after the file" has_attribute "$(job_attributes "$(job_of 1)")" job-name 'named\.ps'

# ---- conflicting settings are reported and nothing is sent -------------------
printf '%s' '{"VMSaveToner": "True", "VMCPPriority": "Speed", "VMCTrapping": "Wide"}' >"$dir/conflict.json"
before=$(job_count)
run_host 'restore\nprint\nprint\n' --settings "$dir/conflict.json"
check "conflicting print fails the run (status $status)" test "$status" = 5
check "the error names the conflicting options" grep -qF '"conflicts":[{"choice":"Speed","keyword":"VMCPPriority"},{"choice":"Wide","keyword":"VMCTrapping"},{"choice":"True","keyword":"VMSaveToner"}]' <<<"$(line 2)"
check "the script went on after the failed print" test "$(printf '%s\n' "$out" | wc -l)" = 3
check "stderr says the job was not sent" grep -q "the job was not sent" <<<"$err"
check "no job reached the server" test "$(job_count)" = "$before"

# An entry the panel does not write back keeps its value to the print.
printf '%s' '{"Duplex": "Sideways"}' >"$dir/unknown.json"
run_host 'print\n' --settings "$dir/unknown.json"
check "a choice the description lacks fails (status $status)" test "$status" = 5
check "it is named" grep -qF '"unknownChoices":[{"choice":"Sideways","keyword":"Duplex"}]' <<<"$(line 1)"

printf '%s' '{"bad\"name": "1"}' >"$dir/badname.json"
run_host 'print\n' --settings "$dir/badname.json"
check "a key that cannot be an option name fails (status $status)" test "$status" = 5
check "no job reached the server for bad input" test "$(job_count)" = "$before"

# ---- failed submissions are errors --------------------------------------------
run_host 'print\n' --printer NoSuchQueue
check "an unknown queue stops pdehost (status $status)" test "$status" = 3
check "the reason is reported" grep -q 'there is no CUPS queue named "NoSuchQueue"' <<<"$err"
run_host 'print '"$dir/missing.ps"'\n'
check "a missing file fails (status $status)" test "$status" = 5
check "the missing file is named" grep -q "missing.ps: cannot be opened" <<<"$err"
run_host 'print\n' --printer ""
check "no printer fails (status $status)" test "$status" = 5
CUPS_SERVER="127.0.0.1:1" run_host 'print\n'
check "no server fails (status $status)" test "$status" = 5
run_host 'save-settings '"$dir/no/such/folder/x.json"'\n'
check "an unwritable settings file fails (status $status)" test "$status" = 5

echo "$failures failure(s)"
[ "$failures" = 0 ]
