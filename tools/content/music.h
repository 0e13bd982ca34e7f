// The two music tracks for mission scripts: "sfx/music_base.mid", written
// note by note as a MIDI file, and "sfx/music_dusk.mp3", synthesised and
// encoded with LAME (Debian's `lame`) at build time.
#pragma once
#include "catalogue.h"

void makeMusic(Catalogue& catalogue);
