# Shared steps of the end-to-end tests: a private X server, a scratch copy
# of the game folder, and waiting for things to happen.

game_dir=${1:?usage: $0 GAME_DIR}
scratch=$(mktemp -d /tmp/korvalt-e2e-XXXXXX)
xvfb_pid=

cleanup() {
  [ -n "${program_pid:-}" ] && kill "$program_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$scratch"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  [ -f "$scratch/game/stderr.log" ] && sed 's/^/  stderr: /' "$scratch/game/stderr.log" >&2
  exit 1
}

# wait_for SECONDS COMMAND...: retries the command until it succeeds.
wait_for() {
  local deadline=$((SECONDS + $1)); shift
  until "$@" >/dev/null 2>&1; do
    [ $SECONDS -lt $deadline ] || return 1
    sleep 0.2
  done
}

# Xvfb picks a free display number itself and reports it, so parallel
# tests never race for one.
start_display() {
  local number_file=$scratch/display
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$number_file" >/dev/null 2>&1 &
  xvfb_pid=$!
  wait_for 10 test -s "$number_file" || fail "no X display could be started"
  export DISPLAY=:$(cat "$number_file")
  wait_for 10 xdpyinfo || fail "the X display does not answer"
}

# A fresh copy of the game folder without a settings file; becomes the
# working directory.
copy_game() {
  cp -r "$game_dir" "$scratch/game"
  rm -f "$scratch/game/settings"
  cd "$scratch/game"
}

start_program() {
  ./korvalt "$@" >stdout.log 2>stderr.log &
  program_pid=$!
}

# Waits for the program to end; its exit status lands in program_status.
wait_program() {
  local deadline=$((SECONDS + ${1:-20}))
  while kill -0 "$program_pid" 2>/dev/null; do
    [ $SECONDS -lt $deadline ] || fail "the program did not end"
    sleep 0.2
  done
  wait "$program_pid" && program_status=0 || program_status=$?
  program_pid=
}

game_window() { xdotool search --name '^Korvalt - Dunmirrow$' | head -1; }

# Keys reach the window under the pointer (no window manager runs).
press() {
  xdotool mousemove --window "$(game_window)" 400 300
  xdotool key --delay 120 "$@"
}
