// A monotonic millisecond counter for timing that must not jump with the
// wall clock (resends, expiry). Wraps after about 49 days; compare times by
// unsigned difference.
#pragma once

#include <cstdint>

uint32_t monotonicMilliseconds();
