// The weapon sounds "sfx/weapon0.wav" to "sfx/weapon7.wav", the effect
// samples for mission scripts and the intro's sample.
#pragma once
#include <string>

#include "catalogue.h"
#include "synth.h"

void makeSoundEffects(Catalogue& catalogue);
// The deep impact that the intro plays as its title builds up.
Signal introImpact();
