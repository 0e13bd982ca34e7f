// Reads any text as "libnet.cfg"; the settings must stay within their bounds.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "net/config.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    netConfig config;
    readNetConfig(std::string(reinterpret_cast<const char*>(data), size), config);
    const bool powerOfTwo = (config.outQueueSize & (config.outQueueSize - 1)) == 0 &&
                            (config.inQueueSize & (config.inQueueSize - 1)) == 0;
    if (!powerOfTwo || config.outQueueSize < NET_MIN_QUEUE || config.outQueueSize > NET_MAX_QUEUE ||
        config.inQueueSize < NET_MIN_QUEUE || config.inQueueSize > NET_MAX_QUEUE || config.resendRate == 0 ||
        config.port == 0) {
        std::abort();
    }
    return 0;
}
