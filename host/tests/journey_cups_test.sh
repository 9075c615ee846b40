#!/bin/bash
# The journey from install to print against a private CUPS server started
# here (never the machine's own): the real installer adds an office's queue,
# pdehost finds it on its own, starts from its defaults, prints documents
# with the chosen options and saves them as the user's defaults.
#
#   journey_cups_test.sh CASE PDEHOST PRIVATE_CUPSD [ONBOARDER]
#
# CASE: install, print, save-defaults, no-queue, no-server, and one fault
# each: silent-print, closing-server, trickling-server, truncated-ppd,
# unended-ppd, save-defaults-full-disk, save-defaults-read-only; and
# page-setup (page options, pages, layout, documents). Exits 77
# (skipped) when not root: cupsd needs root to run from a private folder.
set -uo pipefail

case_name="$1"
pdehost="$2"
private_cupsd="$3"
onboarder="${4:-}"
sample_ppd="$(dirname "$pdehost")/../panel/TintPanel.plugin/Contents/Resources/LX4200.ppd"

if [ "$(id -u)" -ne 0 ] || [ ! -x /usr/sbin/cupsd ]; then
  echo "SKIP: needs root and cupsd"
  exit 77
fi

work=$(mktemp -d /tmp/qvx-journey-test.XXXXXX)
chmod 0755 "$work"
hang_pid=""
cleanup() {
  [ -n "$hang_pid" ] && kill "$hang_pid" 2>/dev/null
  "$private_cupsd" stop "$work/cups" >/dev/null 2>&1
  umount "$work/home/.cups" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

source "$(dirname "$0")/cups_test_lib.sh"

# The user's saved defaults and the client's files stay in the test's folder.
export HOME="$work/home" CUPS_SERVERROOT="$work/client"
mkdir -p "$HOME" "$CUPS_SERVERROOT"

start_cups() {
  local line
  line=$("$private_cupsd" start "$work/cups") || { echo "FAIL: the private CUPS server did not start"; exit 1; }
  export "${line?}"  # CUPS_SERVER=127.0.0.1:PORT
}

# host SCRIPT [options...] -> $out, $err, $status (no --printer, no --ppd:
# pdehost finds its queue and description on the server)
host() {
  local script="$1"; shift
  out=$(printf '%b' "$script" | timeout 60 "$pdehost" "$@" 2>"$work/err")
  status=$?
  err=$(cat "$work/err")
}
line() { printf '%s\n' "$out" | sed -n "${1}p"; }

# start_fake MODE [UPSTREAM_PORT BYTES] -> $fake (its port): a server that
# misbehaves in one way (see fake_cups_server.py)
start_fake() {
  "$(dirname "$0")/fake_cups_server.py" "$1" "$work/fake.port" "${@:2}" &
  hang_pid=$!
  for _ in $(seq 1 50); do [ -s "$work/fake.port" ] && break; sleep 0.1; done
  fake=$(cat "$work/fake.port")
}
# print_against FAKE_PORT: `print` of a document to a queue on that server,
# under a hang guard far above the few seconds pdehost allows itself.
print_against() {
  out=$(printf 'print %s\n' "$work/page.ps" |
    CUPS_SERVER="127.0.0.1:$1" timeout 30 "$pdehost" --printer QVX-LX4200-Lisbon 2>&1)
  status=$?
}
# The user's lpoptions on a 16 KiB disk of its own, with other queues' saved
# defaults in it, as `lpoptions` writes them.
small_cups_folder() {
  mkdir -p "$HOME/.cups" && mount -t tmpfs -o size=16k qvx-test "$HOME/.cups" || { echo "SKIP: no tmpfs"; exit 77; }
  for q in A B C D E F; do
    lpadmin -p "Other$q" -E -v file:///dev/null 2>/dev/null
    lpoptions -p "Other$q" -o media=A4 -o "x-note=$(printf 'n%.0s' $(seq 1 630))" >/dev/null
  done
  cp "$HOME/.cups/lpoptions" "$work/lpoptions.before"
}

# A queue made from the sample description that prints into a file.
add_file_queue() {  # add_file_queue NAME
  mkdir -p "$work/out" && chmod 0777 "$work/out"
  lpadmin -p "$1" -E -v "file://$work/out/$1.ps" -P "$sample_ppd" 2>/dev/null || fail "lpadmin -p $1"
}
wait_for_jobs() {
  for _ in $(seq 1 200); do
    [ -z "$(lpstat -W not-completed -o 2>/dev/null)" ] && return 0
    sleep 0.1
  done
  return 1
}
printf '%%!PS\n/Courier findfont 12 scalefont setfont 72 720 moveto (journey) show showpage\n' >"$work/page.ps"
printf 'A plain text document.\n' >"$work/notes.txt"
# A PDF and a PNG image, made here: the documents people print most.
gs -q -dBATCH -dNOPAUSE -sDEVICE=pdfwrite -sOutputFile="$work/report.pdf" "$work/page.ps" 2>/dev/null
python3 - "$work/photo.png" <<'PY'
import struct, sys, zlib
def chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
rows = b"".join(b"\0" + b"\xff\x80\x00" * 16 for _ in range(16))
png = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", 16, 16, 8, 2, 0, 0, 0))
open(sys.argv[1], "wb").write(png + chunk(b"IDAT", zlib.compress(rows)) + chunk(b"IEND", b""))
PY

case "$case_name" in
install)
  # The setup program with the real installer adds the London office's queue.
  [ -x "$onboarder" ] || { echo "SKIP: no Onboarder built"; exit 77; }
  start_cups
  printf '{"cmd":"install","office":"london","name":"Ada","code":"1234"}\n' |
    timeout 120 "$onboarder" --stdio >"$work/onboarder.out" 2>&1
  check "the installer finished" grep -q "onDone" "$work/onboarder.out"
  host 'printer\n'
  check "pdehost finds the installed queue on its own" \
    contains "$(line 1)" '"queue":"QVX-LX4200-London","queues":["QVX-LX4200-London"]'
  check "its description comes from the server" contains "$(line 1)" '"source":"server"'
  check "the server is named" contains "$(line 1)" "\"server\":\"$CUPS_SERVER\""

  # A default the administrator changes on the server shows in the panel.
  lpadmin -p QVX-LX4200-London -o VMCMode-default=Gray 2>/dev/null
  host 'panelView\nrestore\nsummaryInfo\n'
  check "the server's default starts the panel ($err)" contains "$(line 3)" '"Grayscale"'
  # ... and another LX4200 queue set as the user's default is the one used.
  lpadmin -p QVX-LX4200-Berlin -E -v file:///dev/null -P "$sample_ppd" 2>/dev/null
  lpoptions -d QVX-LX4200-Berlin >/dev/null
  host 'printer\n'
  check "the user's default LX4200 queue comes first" contains "$(line 1)" '"queue":"QVX-LX4200-Berlin"'
  ;;

print)
  start_cups
  add_file_queue QVX-LX4200-Lisbon
  docs="$work/page.ps $work/notes.txt $work/report.pdf $work/photo.png"
  host "panelView\nrestore\nselect colorModePopup 2\nclick tonerSaveCB\nprint --copies 2 $docs\n"
  check "print exits 0 ($err)" test "$status" = 0
  check "the documents go in one job" contains "$(line 5)" "\"files\":[\"$work/page.ps\",\"$work/notes.txt\",\"$work/report.pdf\",\"$work/photo.png\"]"
  wait_for_jobs || fail "the job did not finish"
  output=$(cat "$work/out/QVX-LX4200-Lisbon.ps" 2>/dev/null)
  check "the chosen colour mode reached the printer" contains "$output" '%%BeginFeature: *VMCMode Gray'
  check "the chosen toner save reached the printer" contains "$output" '%%BeginFeature: *VMSaveToner True'
  check "PostScript, text, PDF and image each reached it" test "$(grep -c '%%BeginFeature: \*VMCMode Gray' <<<"$output")" -ge 4

  # The queue's last used settings follow the job.
  host 'panelView\nrestore\nuse-preset Last Used Settings\nsummaryInfo\n'
  check "the last used settings come back ($err)" contains "$(line 4)" '"Color Mode":"Grayscale"'

  # An unreadable document stops the job before anything is sent.
  before=$(lpstat -W all -o | wc -l)
  : >"$work/empty.txt"
  host "print $work/page.ps $work/missing.pdf\nprint $work/empty.txt\n"
  check "a missing document fails the run (status $status)" test "$status" = 5
  check "it is named" contains "$(line 1)" "missing.pdf: cannot be opened"
  check "a document CUPS refuses is a clear message" contains "$(line 2)" "No file in print request"
  wait_for_jobs
  check "the missing document made no job" test "$(lpstat -W all -o | wc -l)" = "$((before + 1))"
  check "the refused job was cancelled" contains "$(job_attributes "$((before + 1))")" "job-state (enum) = canceled"
  ;;

save-defaults)
  start_cups
  add_file_queue QVX-LX4200-Singapore
  host 'panelView\nrestore\nselect colorModePopup 2\nselect printPriorityPopup 1\nsave-defaults\n'
  check "save-defaults exits 0 ($err)" test "$status" = 0
  check "it saves the printer's options" contains "$(line 5)" '"VMCMode":"Gray","VMCNGray"'
  saved=$(cat "$HOME/.cups/lpoptions" 2>/dev/null)
  check "the defaults went to the user's lpoptions" contains "$saved" 'Dest QVX-LX4200-Singapore'
  check "the panel's bookkeeping entries are not saved" bash -c '! grep -q vemra <<<"$1"' _ "$saved"
  # A plain lp job, as any application prints, now carries them.
  job=$(lp -d QVX-LX4200-Singapore "$work/page.ps" | grep -o 'Singapore-[0-9]*' | cut -d- -f2)
  attrs=$(job_attributes "$job")
  check "a plain lp job carries the colour mode" has_attribute "$attrs" VMCMode Gray
  # The next dialog starts from them.
  host 'panelView\nrestore\nsettings\n'
  check "the next dialog starts from the saved defaults" contains "$(line 3)" '"VMCMode":"Gray"'
  ;;

no-queue)
  start_cups
  lpadmin -p Other -E -v file:///dev/null 2>/dev/null
  host 'printer\nprint\n'
  check "print fails without a QVX queue (status $status)" test "$status" = 5
  check "the message says how to set one up" contains "$(line 2)" 'No QVX printer is set up on this computer. Set one up with \"Install QVX Printer\"'
  check "the panel shows the sample description" contains "$(line 1)" '"queue":null,"queues":[],"server"'
  host 'printer\n' --printer Nowhere
  check "an unknown queue stops pdehost (status $status)" test "$status" = 3
  add_file_queue QVX-LX4200-Berlin
  host 'printer\n' --printer Nowhere
  check "the message lists the QVX queues" contains "$err" 'no CUPS queue named "Nowhere"; the QVX printers here are: QVX-LX4200-Berlin'
  ;;

no-server)
  # A port where nothing listens, and a server that accepts and never answers.
  port=$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1",0)); print(s.getsockname()[1])')
  CUPS_SERVER="127.0.0.1:$port" host 'printer\nprint\n'
  check "a refused connection is named (status $status)" contains "$(line 2)" "the CUPS server 127.0.0.1:$port cannot be reached"
  start_fake silent
  hang=$fake
  # The hang guard is far above the few seconds pdehost allows itself.
  out=$(printf 'printer\nsave-defaults\n' | CUPS_SERVER="127.0.0.1:$hang" timeout 30 "$pdehost" --printer Q 2>&1)
  status=$?
  check "a server that never answers is given up on (status $status)" test "$status" = 5
  check "the message names the silent server" contains "$out" "the CUPS server 127.0.0.1:$hang did not answer"
  ;;

silent-print)
  # The look-up before the job, which libcups would make on connections of
  # its own with a minute's wait, gives up with the server named.
  start_fake silent
  print_against "$fake"
  check "print against a silent server fails (status $status)" test "$status" = 5
  check "it says the server did not answer" contains "$out" "the CUPS server 127.0.0.1:$fake did not answer within 5 s (looking up"
  check "it does not blame the queue" bash -c '! grep -q "no CUPS queue named" <<<"$1"' _ "$out"
  ;;

closing-server)
  start_fake closing
  print_against "$fake"
  check "print against a closing server fails (status $status)" test "$status" = 5
  check "it says the server closed the connection" contains "$out" "the CUPS server 127.0.0.1:$fake closed the connection"
  check "it does not blame the queue" bash -c '! grep -q "no CUPS queue named" <<<"$1"' _ "$out"
  ;;

trickling-server)
  start_fake trickling
  print_against "$fake"
  check "print against a trickling server is given up on (status $status)" test "$status" = 5
  check "it says the server did not answer in time" contains "$out" "the CUPS server 127.0.0.1:$fake did not answer within 5 s"
  ;;

truncated-ppd)
  start_cups
  add_file_queue QVX-LX4200-Lisbon
  start_fake truncating "${CUPS_SERVER#*:}" 5701
  out=$(printf 'panelView\nrestore\nselect colorModePopup 2\nprint %s\n' "$work/page.ps" |
    CUPS_SERVER="127.0.0.1:$fake" timeout 30 "$pdehost" --printer QVX-LX4200-Lisbon 2>&1)
  status=$?
  check "a description cut short stops pdehost (status $status)" test "$status" = 3
  check "it names the server and the queue" contains "$out" "the CUPS server 127.0.0.1:$fake sent only part of the printer description of \"QVX-LX4200-Lisbon\" (5701 of"
  check "no temporary file is named" bash -c '! grep -q "pdehost-ppd" <<<"$1"' _ "$out"
  check "nothing was sent" test -z "$(lpstat -W all -o 2>/dev/null)"
  ;;

unended-ppd)
  # All of the description, in chunks, but without the chunk that ends it.
  start_cups
  add_file_queue QVX-LX4200-Lisbon
  start_fake unended "${CUPS_SERVER#*:}" "$(wc -c <"$sample_ppd")"
  out=$(printf 'print %s\n' "$work/page.ps" |
    CUPS_SERVER="127.0.0.1:$fake" timeout 30 "$pdehost" --printer QVX-LX4200-Lisbon 2>&1)
  status=$?
  check "a chunked description without its end stops pdehost (status $status)" test "$status" = 3
  check "it names the server and the queue" contains "$out" "the CUPS server 127.0.0.1:$fake sent only part of the printer description of \"QVX-LX4200-Lisbon\""
  ;;

save-defaults-full-disk)
  start_cups
  add_file_queue QVX-LX4200-Lisbon
  small_cups_folder
  # Room for the copy pdehost keeps, not for the rewritten file.
  head -c 8192 /dev/zero >"$HOME/.cups/filler"
  host 'panelView\nrestore\nselect colorModePopup 2\nsave-defaults\n' --printer QVX-LX4200-Lisbon
  check "save-defaults on a full disk fails (status $status)" test "$status" = 5
  check "it names the file ($(line 4))" contains "$(line 4)" "$HOME/.cups/lpoptions: the defaults of"
  check "it names the cause" contains "$(line 4)" "were not saved: the disk is full"
  check "lpoptions is as it was, byte for byte" cmp -s "$work/lpoptions.before" "$HOME/.cups/lpoptions"
  ;;

save-defaults-read-only)
  start_cups
  add_file_queue QVX-LX4200-Lisbon
  small_cups_folder
  mount -o remount,ro "$HOME/.cups"
  host 'panelView\nrestore\nselect colorModePopup 2\nsave-defaults\n' --printer QVX-LX4200-Lisbon
  check "save-defaults into a read-only folder fails (status $status)" test "$status" = 5
  check "it names the folder and the cause ($(line 4))" contains "$(line 4)" "$HOME/.cups: the folder is read-only"
  check "it does not blame the server" bash -c '! grep -q "failed on the CUPS server" <<<"$1"' _ "$out"
  check "lpoptions is as it was, byte for byte" cmp -s "$work/lpoptions.before" "$HOME/.cups/lpoptions"
  ;;

page-setup)
  # The printer's page options, the pages and the layout, and documents
  # added in the dialog, as CUPS' pstops writes them for the printer.
  start_cups
  add_file_queue QVX-LX4200-Porto
  printed() { wait_for_jobs || fail "the job did not finish"; cat "$work/out/QVX-LX4200-Porto.ps" 2>/dev/null; }
  three="$work/three.ps"
  { printf '%%!PS-Adobe-3.0\n%%%%Pages: 3\n%%%%EndComments\n'
    for p in 1 2 3; do printf '%%%%Page: %s %s\n/Courier findfont 12 scalefont setfont 72 720 moveto (page %s) show showpage\n' $p $p $p; done
    printf '%%%%EOF\n'; } >"$three"

  host "set PageSize Letter\nadd-document $three\ndocuments\nprint\n"
  check "a paper size is chosen ($err)" contains "$(line 1)" '"result":{"choice":"Letter"'
  check "the added document lists its pages" contains "$(line 3)" '"pages":3'
  output=$(printed)
  check "print with no file prints the added document" contains "$output" '%%Page: 3 3'
  check "the chosen paper size reached the printer" contains "$output" '%%BeginFeature: *PageSize Letter'
  host "set PageSize A4\nset Duplex DuplexNoTumble\nprint $three\n"
  output=$(printed)
  check "A4 reached the printer" contains "$output" '%%BeginFeature: *PageSize A4'
  check "two-sided reached the printer, the unit being installed" contains "$output" '%%BeginFeature: *Duplex DuplexNoTumble'

  host "add-document $three\npages 2-3\nprint\n"
  check "pages 2-3 of 3 sends 2 pages" contains "$(printed)" '%%Pages: 2'
  host "add-document $three\nper-sheet 2\nprint\n"
  check "2 per sheet of 3 pages sends 2 sheets" contains "$(printed)" '%%Pages: 2'

  before=$(lpstat -W all -o | wc -l)
  host "add-document $three\npages 5-2\nprint\npages 4\nprint\nper-sheet 2\npages 3\nprint\n"
  check "a backwards range is refused" contains "$(line 2)" '"5-2\" runs backwards'
  check "a range past the end is refused" contains "$(line 4)" 'starts after the last page'
  check "with 2 per sheet, a range counts the 2 sheets" contains "$(line 7)" 'starts after the last sheet'
  check "a bad range sends nothing" test "$(lpstat -W all -o | wc -l)" = "$before"

  # The layout is remembered where CUPS keeps defaults, and in presets.
  host "per-sheet 2\nset PageSize A3\nsave-defaults\n"
  saved=$(cat "$HOME/.cups/lpoptions" 2>/dev/null)
  check "save-defaults keeps pages per sheet ($err)" contains "$saved" 'number-up=2'
  check "and the paper size" contains "$saved" 'PageSize=A3'
  host "settings\n"
  check "the next dialog starts from them" contains "$(line 1)" '"number-up":"2"'
  host "per-sheet 4\nsave-preset Four up\n"
  host "use-preset Four up\nsettings\n"
  check "a preset keeps the layout ($err)" contains "$(line 2)" '"number-up":"4"'

  lpadmin -p QVX-LX4200-Porto -o OptionDuplexUnit=False 2>/dev/null
  host "options\nset Duplex DuplexNoTumble\n"
  check "the options say why two-sided is not allowed" contains "$(line 1)" '"notAllowed":"Two-Sided needs the Duplex Unit, which is not installed"'
  check "two-sided is refused without the unit" contains "$(line 2)" 'Two-Sided needs the Duplex Unit, which is not installed'
  ;;

*) echo "unknown case $case_name"; exit 2 ;;
esac

echo "$failures failure(s)"
[ "$failures" = 0 ]
