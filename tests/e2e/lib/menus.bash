# Steps of the front-end tests: keys with the pointer parked where no menu
# item lies, and the settings file read and written.

# Keys reach the window under the pointer; the window's top-left corner
# lies above every menu row and outside every button. Each key is held for
# 150 ms, so a game slowed down by a busy machine still sees it.
menu_keys() {
  [ "${park_pointer:-yes}" = no ] || xdotool mousemove --window "$(game_window)" 1 1
  xdotool key --delay 300 "$@"
}

# click_at X Y: the pointer moves there (a windowed game lies at the
# screen's top-left corner) and selects what lies under it; then the left
# button is pressed for about three ticks, again while a screenshot shows
# nothing changed (a click waits for the game only until the next tick).
click_at() {
  local previous tries=0
  xdotool mousemove "$1" "$2"
  sleep 0.3
  screenshot_here
  while :; do
    previous=$last_shot
    xdotool mousedown 1; sleep 0.1; xdotool mouseup 1
    sleep 0.3                 # the click is taken at the tick after the release
    screenshot_here
    cmp -s "$last_shot" "$previous" || break
    [ $((tries += 1)) -lt 4 ] || fail "the click at $1, $2 changed nothing on the screen"
  done
}

# hold_key KEY SECONDS
hold_key() {
  xdotool mousemove --window "$(game_window)" 1 1
  xdotool keydown "$1"; sleep "$2"; xdotool keyup "$1"
}

# A settings file holding the defaults, windowed.
write_settings() {
  python3 - <<'PY'
import struct
keys = [1, 4, 23, 19, 75, 119, 117, 5, 17, 115, 64, 13]
record = bytes([2, 1]) + struct.pack("<12i", *keys) + bytes([4, 0]) + struct.pack("<i", 32) \
    + bytes([255, 175, 1]) + struct.pack("<i", 0)
assert len(record) == 63
open("settings", "wb").write(record)
PY
}

# settings_field NAME: music, shoot, depth or shots from the settings file.
settings_field() {
  python3 - "$1" <<'PY'
import struct, sys
d = open("settings", "rb").read()
print({"music": d[57], "shoot": struct.unpack_from("<i", d, 2 + 4 * 6)[0],
       "depth": struct.unpack_from("<i", d, 52)[0], "shots": struct.unpack_from("<i", d, 59)[0]}[sys.argv[1]])
PY
}

# screenshot_here: a screenshot without parking the pointer first.
screenshot_here() {
  park_pointer=no screenshot
}

# screenshot: F9 until a new screenshot file has been written whole; its
# name lands in last_shot. It also shows that the screen's loop is running.
# The frame flip reads F9 after the logic step, so the picture shows every
# key pressed before it that the game has seen.
screenshot() {
  local before deadline=$((SECONDS + 20)) shot
  before=$(ls screenshots | wc -l)
  while :; do
    [ $SECONDS -lt $deadline ] || fail "F9 wrote no screenshot after $(ls screenshots | tail -1)"
    menu_keys F9
    if wait_for 2 test "$(ls screenshots | wc -l)" -gt "$before"; then
      shot=screenshots/$(ls screenshots | tail -1)
      wait_for 5 bmp_complete "$shot" && break
    fi
  done
  last_shot=$shot
}

# bmp_complete FILE: the file is as long as its header says.
bmp_complete() {
  [ "$(od -An -tu4 -j2 -N4 "$1" | tr -d ' ')" = "$(stat -c %s "$1")" ]
}

# step_keys KEY...: each key, pressed again while a screenshot shows
# nothing changed (a busy machine may hold the game up past a short press).
# Only for keys that change the screen.
step_keys() {
  local previous tries
  screenshot
  for k in "$@"; do
    previous=$last_shot
    tries=0
    while :; do
      menu_keys "$k"
      screenshot
      cmp -s "$last_shot" "$previous" || break
      [ $((tries += 1)) -lt 4 ] || fail "key $k changed nothing on the screen"
    done
  done
}

# wait_menu ITEM COUNT [OTHER]: until a screenshot shows the button menu
# of COUNT items with ITEM selected (and differs from the screenshot OTHER,
# another menu of that shape).
wait_menu() {
  local deadline=$((SECONDS + 20))
  screenshot
  until shows_button "$last_shot" "$1" "$2" && ! cmp -s "$last_shot" "${3:-/dev/null}"; do
    [ $SECONDS -lt $deadline ] || fail "no menu of $2 items on item $1"
    screenshot
  done
}

# Waits for the intro of a start with settings and skips it with a key;
# the main menu shows on "New Game".
skip_intro() {
  wait_for 20 game_window || fail "no game window"
  screenshot
  menu_keys x
  wait_menu 0 5
}

# shows_button SCREENSHOT ITEM COUNT: the screenshot holds the selected
# button ("gfx/button.tga") as item ITEM of a COUNT-item menu places it
# (left part of the plate, clear of the label).
shows_button() {
  python3 - "$@" <<'PY'
import struct, sys
shot, item, count = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
def bmp(path):
    d = open(path, "rb").read()
    off, _, w, h, _, bits = struct.unpack_from("<IIiiHH", d, 10)
    step, row = bits // 8, (w * bits // 8 + 3) // 4 * 4
    return lambda x, y: tuple(d[off + (abs(h) - 1 - y) * row + x * step + i] for i in (2, 1, 0))
def tga(path):
    d = open(path, "rb").read()
    w, h = struct.unpack_from("<HH", d, 12)
    step = d[16] // 8
    return w, h, lambda x, y: tuple(d[18 + ((h - 1 - y) * w + x) * step + i] for i in (2, 1, 0))
screen = bmp(shot)
w, h, button = tga("gfx/button.tga")
slice_ = (600 - 100) // count
left, top = (800 - w) // 2, 50 + item * slice_ + slice_ // 2 - h // 2
# Within 8 per channel: at 16 bits per pixel the colours are rounded.
near = lambda a, b: all(abs(p - q) <= 8 for p, q in zip(a, b))
sys.exit(not all(near(screen(left + x, top + y), button(x, y)) for x in range(8, 40) for y in range(6, h - 6)))
PY
}

# start_menus: a display, a game copy with default settings, the program
# started and its intro skipped: the main menu shows on "New Game".
# Files the run needs are put in place by a function prepare, if given.
start_menus() {
  start_display
  copy_game
  write_settings
  if declare -F prepare >/dev/null; then prepare; fi
  start_program
  skip_intro
}

# change_music_and_shoot: from the main menu into Options, the music volume
# lowered, Shoot bound to X on the key-change screen, "Finished": back in
# the options, one row above "Exit saving changes".
change_music_and_shoot() {
  step_keys Down Down Return                 # Load Game is disabled: Options
  step_keys Down Down Down Down Down         # Music volume
  hold_key Left 1
  step_keys Down Return                      # Controls
  step_keys Down Down Down Down Return x     # Shoot gets X
  step_keys Down Down Down Down Down Down Down Return   # Finished
}
