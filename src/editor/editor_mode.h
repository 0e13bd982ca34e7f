// The "editor" mode of the command line.
#pragma once

// Asks for a map file in "maps/" and edits it; then releases the shared
// resources and the timer. Returns the process status.
int runEditorMode();
