// MP3 playback through Allegro's mixer. An ALMP3_MP3 is made over a complete
// MP3 file held in memory (the caller keeps that memory alive until the
// object is destroyed), decodes it with libmpg123 and feeds the decoded
// sound into an Allegro audio stream, so it plays through the same mixer as
// the samples.
//
// The stream advances when almp3_poll_mp3 is called or, after
// almp3_start_autopoll_mp3, from an Allegro timer callback. Every call is
// safe against that callback; almp3_destroy_mp3 stops the autopoll itself.
// Calls with a null object do nothing.
#pragma once

struct ALMP3_MP3;

// Results of almp3_play_ex_mp3 and almp3_poll_mp3.
constexpr int ALMP3_OK = 0;
constexpr int ALMP3_ERROR = -1;           // no sound voice available
constexpr int ALMP3_POLL_NOTPLAYING = -2;  // not started, stopped or finished

// Null when the data holds no decodable MP3 frame.
ALMP3_MP3* almp3_create_mp3(const void* data, int dataSize);
void almp3_destroy_mp3(ALMP3_MP3* mp3);

// Starts playing from the beginning. bufferBytes is the size of one stream
// buffer in bytes of 16-bit sound in the file's own channel layout; volume
// and pan 0 to 255 (pan 127 centre); speed 1000 = normal; loop non-zero
// starts over at the end.
int almp3_play_ex_mp3(ALMP3_MP3* mp3, int bufferBytes, int volume, int pan, int speed, int loop);
void almp3_stop_mp3(ALMP3_MP3* mp3);
void almp3_adjust_mp3(ALMP3_MP3* mp3, int volume, int pan, int speed, int loop);
int almp3_poll_mp3(ALMP3_MP3* mp3);

// Polls the object every `speed` milliseconds from Allegro's timer.
void almp3_start_autopoll_mp3(ALMP3_MP3* mp3, int speed);
void almp3_stop_autopoll_mp3(ALMP3_MP3* mp3);
