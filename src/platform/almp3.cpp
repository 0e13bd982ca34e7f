// Interim: MP3 objects can't be made yet, so MP3 sounds fail to load.
#include "platform/almp3.h"

ALMP3_MP3* almp3_create_mp3(const void*, int) { return nullptr; }
void almp3_destroy_mp3(ALMP3_MP3*) {}
int almp3_play_ex_mp3(ALMP3_MP3*, int, int, int, int, int) { return ALMP3_ERROR; }
void almp3_stop_mp3(ALMP3_MP3*) {}
void almp3_adjust_mp3(ALMP3_MP3*, int, int, int, int) {}
int almp3_poll_mp3(ALMP3_MP3*) { return ALMP3_POLL_NOTPLAYING; }
void almp3_start_autopoll_mp3(ALMP3_MP3*, int) {}
void almp3_stop_autopoll_mp3(ALMP3_MP3*) {}
