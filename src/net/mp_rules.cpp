#include "net/mp_rules.h"

#include <algorithm>

#include "app/constants.h"

int clampState(int state) { return state >= 0 && state < MP_SPRITES ? state : 0; }

float clampToMap(float value, int extent) {
    if (!(value > 0.0f)) return 0.0f;  // negative, zero or NaN
    const float limit = static_cast<float>(extent);
    return value < limit ? value : limit;
}

float clampToStandable(float value, int extent) {
    return std::clamp(clampToMap(value, extent), static_cast<float>(RADIUS), static_cast<float>(extent - RADIUS));
}
