# Shared by the tests that print through a private CUPS server: counted
# checks, and a job's attributes as the server holds them. Source it after
# setting $work to the test's scratch folder.
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
check() {  # check DESCRIPTION COMMAND...
  local what="$1"; shift
  if "$@"; then echo "ok: $what"; else fail "$what"; fi
}
contains() { grep -qF -- "$2" <<<"$1"; }

# Every attribute of a job (the stock get-job-attributes.test leaves out some).
job_attributes() {
  [ -f "$work/job.test" ] || cat >"$work/job.test" <<'TEST'
{
  NAME "Get-Job-Attributes, all"
  OPERATION Get-Job-Attributes
  GROUP operation-attributes-tag
  ATTR charset attributes-charset utf-8
  ATTR naturalLanguage attributes-natural-language en
  ATTR uri job-uri $uri
  ATTR name requesting-user-name $user
  ATTR keyword requested-attributes all
  STATUS successful-ok
}
TEST
  ipptool -tv "ipp://$CUPS_SERVER/jobs/$1" "$work/job.test" 2>&1
}
# has_attribute ATTRIBUTES NAME VALUE (NAME and VALUE are extended regexps)
has_attribute() { grep -qE "^ +$2 \\([a-zA-Z]+\\) = $3\$" <<<"$1"; }
