#!/bin/bash
# Two game clients, joined from their menus through "server.txt", play on
# the headless server, which runs without any display. One walks and the
# other sees it; SIGTERM ends the server with status 0 and both clients go
# back to their menus.
set -euo pipefail
source "$(dirname "$0")/lib/session.bash"
source "$(dirname "$0")/lib/mp_session.bash"

copy_game
mp_prepare mp_headless_clients
server=$scratch/game one=$scratch/one two=$scratch/two
cp -r "$server" "$one"
cp -r "$server" "$two"

(unset DISPLAY; exec ./korvalt server testmap 4 >server.log 2>server.err) &
server_pid=$!
game_pids="$game_pids $server_pid"
wait_for 10 grep -q "Server started" server.log || fail "the headless server did not start"

start_game "$one" 0
one_window=$game_window
menu_path "$one_window" Down Return
start_game "$two" 880
two_window=$game_window
menu_path "$two_window" Down Return
wait_for 10 grep -q "New player joined: Player 2" server.log || fail "the clients did not both join"

before=$(shot "$two_window" "$two")
hold "$one_window" w 0.8
differs "$before" "$(shot "$two_window" "$two")" || fail "one client did not see the other walk"

kill -TERM "$server_pid"
wait "$server_pid" || fail "the server ended with status $?"
game_pids=${game_pids/ $server_pid/}
grep -q "Server stopped." server.log || fail "no stop line"
sleep 6
alike "$(shot "$one_window" "$one")" "$(shot "$two_window" "$two")" \
  || fail "the clients are not both back in the main menu"
leave "$one_window" "$two_window"
echo "mp_headless_clients: ok"
