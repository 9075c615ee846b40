# Sourced by the window benchmarks, with their arguments:
#   . window_bench_setup.sh ONBOARDER X_WINDOW_TOOL ...
# Sets onboarder, x_window_tool, resources (the real page's folder) and work, a
# scratch folder removed at exit after stopping the program in $pid, if any.
onboarder="$1"
x_window_tool="$2"
resources="$(cd "$(dirname "${BASH_SOURCE[0]}")/../../resources" && pwd)"
work=$(mktemp -d /tmp/qvx-window-bench.XXXXXX)
pid=""
trap '[ -n "$pid" ] && kill "$pid" 2>/dev/null; rm -rf "$work"' EXIT

# make_bundle NAME: a fresh $work/NAME.app holding a copy of the program;
# prints its path.
make_bundle() {
  local app="$work/$1.app"
  rm -rf "$app"
  mkdir -p "$app/Contents/MacOS" "$app/Contents/Resources"
  cp "$onboarder" "$app/Contents/MacOS/Onboarder"
  cp "$(dirname "$onboarder")/OnboarderWindow" "$app/Contents/MacOS/"  # the window it starts
  printf '%s' "$app"
}
