# Sourced by the scripts that drive `vrx-service --demo` on a virtual display (under xvfb-run):
# a UTF-8 locale, settings of their own in a temporary folder, `fail` (says why, shows the
# program's log, exits 1) and `start_demo EXE`, which starts the program in the background as
# $pid with its log in $work/log; the program is stopped and the folder removed on exit.

# Without locale variables the C library is ASCII-only: take the UTF-8 locale it always has.
[ -n "${LC_ALL:-}${LC_CTYPE:-}${LANG:-}" ] || export LANG=C.UTF-8

work="$(mktemp -d)"
pid=""
cleanup() {
  if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then kill "$pid"; fi
  rm -rf "$work"
}
trap cleanup EXIT
fail() {
  echo "$1"
  echo "--- vrx-service log ---"
  cat "$work/log"
  exit 1
}

# Settings of its own, so the demo port COM1 is the one selected.
export XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/run"
mkdir -m 700 "$XDG_RUNTIME_DIR"
export QT_QPA_PLATFORM=xcb

start_demo() {
  "$1" --demo >"$work/log" 2>&1 &
  pid=$!
}
