#include "platform/mp3_decoder.h"

#include <mpg123.h>
#include <sys/types.h>

#include <algorithm>
#include <cstdio>

namespace {

mpg123_ssize_t readMemory(void* handle, void* buffer, size_t count) {
    auto* source = static_cast<mp3Decoder::memorySource*>(handle);
    const std::size_t n = std::min(count, source->size - source->position);
    std::copy_n(source->data + source->position, n, static_cast<unsigned char*>(buffer));
    source->position += n;
    return static_cast<mpg123_ssize_t>(n);
}

off_t seekMemory(void* handle, off_t offset, int whence) {
    auto* source = static_cast<mp3Decoder::memorySource*>(handle);
    off_t base = 0;
    if (whence == SEEK_CUR) base = static_cast<off_t>(source->position);
    else if (whence == SEEK_END) base = static_cast<off_t>(source->size);
    else if (whence != SEEK_SET) return -1;
    if (offset < -base || offset > static_cast<off_t>(source->size) - base) return -1;
    source->position = static_cast<std::size_t>(base + offset);
    return static_cast<off_t>(source->position);
}

// libmpg123 before 1.27 needs one global set-up; later versions ignore it.
bool libraryReady() {
    static const bool ready = mpg123_init() == MPG123_OK;
    return ready;
}

// Allows 16-bit signed output at every rate, or only at `rate` with
// `channels` once the first frame has fixed them.
void allowFormats(mpg123_handle* handle, long rate, int channels) {
    mpg123_format_none(handle);
    if (rate != 0) {
        mpg123_format(handle, rate, channels, MPG123_ENC_SIGNED_16);
        return;
    }
    const long* rates = nullptr;
    size_t count = 0;
    mpg123_rates(&rates, &count);
    for (size_t i = 0; i < count; ++i)
        mpg123_format(handle, rates[i], MPG123_MONO | MPG123_STEREO, MPG123_ENC_SIGNED_16);
}

}  // namespace

mp3Decoder::~mp3Decoder() {
    if (handle) mpg123_delete(handle);
}

bool mp3Decoder::open(const unsigned char* data, std::size_t size) {
    if (handle || !data || size == 0 || !libraryReady()) return false;
    handle = mpg123_new(nullptr, nullptr);
    if (!handle) return false;
    source = {data, size, 0};
    if (openFormat()) return true;
    // A decoder that failed to open stays empty: every call does nothing.
    mpg123_delete(handle);
    handle = nullptr;
    return false;
}

bool mp3Decoder::openFormat() {
    mpg123_param(handle, MPG123_ADD_FLAGS, MPG123_QUIET, 0);
    allowFormats(handle, 0, 0);
    if (mpg123_replace_reader_handle(handle, readMemory, seekMemory, nullptr) != MPG123_OK ||
        mpg123_open_handle(handle, &source) != MPG123_OK)
        return false;
    // Reading the format parses the first frame: no frame, no sound.
    long rate = 0;
    int channels = 0;
    int encoding = 0;
    if (mpg123_getformat(handle, &rate, &channels, &encoding) != MPG123_OK || encoding != MPG123_ENC_SIGNED_16 ||
        (channels != 1 && channels != 2))
        return false;
    allowFormats(handle, rate, channels);
    sampleRate = static_cast<int>(rate);
    channelCount = channels;
    return true;
}

bool mp3Decoder::restart() {
    if (!handle) return false;
    // Reopening resets the decoder fully, which copes with damaged files
    // better than seeking; the output format stays fixed.
    mpg123_close(handle);
    source.position = 0;
    finished = mpg123_open_handle(handle, &source) != MPG123_OK;
    return !finished;
}

std::size_t mp3Decoder::decode(int16_t* out, std::size_t frames) {
    const std::size_t frameBytes = sizeof(int16_t) * static_cast<std::size_t>(channelCount);
    std::size_t done = 0;
    int idleReads = 0;
    while (done < frames && !finished) {
        size_t bytes = 0;
        const int result = mpg123_read(handle, reinterpret_cast<unsigned char*>(out + done * channelCount),
                                       (frames - done) * frameBytes, &bytes);
        done += bytes / frameBytes;
        if (result == MPG123_NEW_FORMAT) {
            long rate = 0;
            int channels = 0;
            int encoding = 0;
            mpg123_getformat(handle, &rate, &channels, &encoding);
            if (rate != sampleRate || channels != channelCount || encoding != MPG123_ENC_SIGNED_16) finished = true;
        } else if (result != MPG123_OK) {
            finished = true;  // the end of the data, or a fault the decoder could not skip
        }
        // A read that keeps giving nothing would spin for ever.
        idleReads = bytes == 0 ? idleReads + 1 : 0;
        if (idleReads > 8) finished = true;
    }
    return done;
}

std::size_t mp3Decoder::fill(int16_t* out, std::size_t frames, bool loop) {
    if (!handle) return 0;
    std::size_t done = decode(out, frames);
    while (done < frames && loop) {
        if (!restart()) break;
        const std::size_t pass = decode(out + done * channelCount, frames - done);
        if (pass == 0) break;  // nothing in a whole pass: looping would spin
        done += pass;
    }
    return done;
}
