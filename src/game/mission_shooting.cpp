// Shots and explosions of a mission: the bullet pool's rules with the
// mission's sound placement.
#include <cmath>

#include "app/constants.h"
#include "app/globals.h"
#include "game/shot_sound.h"
#include "game/single_player_game.h"

namespace {

constexpr int NORMAL_FREQUENCY = 1000;
constexpr double BEHIND_VOLUME = 0.8;

}  // namespace

shotPlacement placeShotSound(float shotX, float shotY, float playerX, float playerY, int playerDirection,
                             int volume) {
    // The horizontal difference first: the angle is measured from straight
    // down, so 128 minus it is the game's direction from the player.
    const double a = std::atan2(static_cast<double>(shotX) - playerX, static_cast<double>(shotY) - playerY);
    const int source = (128 - static_cast<int>(std::lround(a * 128 / PI))) & 255;
    const int r = (source - playerDirection) & 255;
    const int quieter = static_cast<int>(std::lround(volume * BEHIND_VOLUME));
    if (r < 128) {
        if (r > 64) return {quieter, 383 - 2 * r};
        return {volume, 2 * r + 127};
    }
    if (r < 192) return {quieter, 383 - 2 * r};
    const int pan = 2 * r - 385;
    return {volume, pan < 0 ? 0 : pan};
}

void singlePlayerGame::addBullets(bulletRequest* request) {
    if (!request) return;
    bullets->addBullets(*request, [this](const bulletRequest& shot) {
        if (!global.complexSfx || shot.team == &player) {
            playShotSound(shot);
            return;
        }
        const shotPlacement p =
            placeShotSound(shot.posX, shot.posY, player.posX, player.posY, player.direction, global.sfxVolume);
        bulletSounds[shot.type].play(0, p.volume, p.pan, NORMAL_FREQUENCY);
    });
}

void singlePlayerGame::explosion(bulletRequest request) { bullets->explosion(request, playShotSound); }
