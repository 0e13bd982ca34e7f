// The dedicated server for machines without a display:
//   korvalt server [map] [slots]      (defaults "testmap" and 8)
// No graphics, keyboard, mouse or sound; 32 ticks a second by the system
// clock; log lines with a time stamp on standard output. SIGINT or SIGTERM
// sends QUIT to every player, lets the transport deliver it and ends with
// status 0. A failure to start is one line on standard error and status 1.
#pragma once

int runHeadlessServer(int argc, char** argv);
