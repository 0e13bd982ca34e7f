#!/bin/bash
# Multiplayer from the main menu: one copy hosts ("Multiplayer", "Server"),
# a second joins as client through "server.txt". Each side sees the other
# walk; when the host quits, the client ends its game and is back in its
# menu. The windows stand side by side on a wide private display.
set -euo pipefail
source "$(dirname "$0")/lib/session.bash"
source "$(dirname "$0")/lib/mp_session.bash"

copy_game
mp_prepare mp_menu
host=$scratch/game guest=$scratch/guest
cp -r "$host" "$guest"

start_game "$host" 0
host_window=$game_window
menu_path "$host_window" Return
sleep 1
start_game "$guest" 880
guest_window=$game_window guest_pid=$game_pid
menu_path "$guest_window" Down Return
sleep 2

before=$(shot "$host_window" "$host")
hold "$guest_window" w 0.8
differs "$before" "$(shot "$host_window" "$host")" || fail "the host's view did not show the guest walk"
before=$(shot "$guest_window" "$guest")
hold "$host_window" w 0.8
differs "$before" "$(shot "$guest_window" "$guest")" || fail "the guest's view did not show the host walk"

keys "$host_window" Escape Escape
sleep 6
kill -0 "$guest_pid" 2>/dev/null || fail "the guest ended instead of going back to its menu"
alike "$(shot "$host_window" "$host")" "$(shot "$guest_window" "$guest")" \
  || fail "host and guest are not both back in the main menu"
leave "$host_window" "$guest_window"
echo "mp_menu: ok"
