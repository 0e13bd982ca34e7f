#include "net/mp_rules.h"

int clampState(int state) { return state >= 0 && state < MP_SPRITES ? state : 0; }

float clampToMap(float value, int extent) {
    if (!(value > 0.0f)) return 0.0f;  // negative, zero or NaN
    const float limit = static_cast<float>(extent);
    return value < limit ? value : limit;
}
