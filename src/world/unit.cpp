#include "world/unit.h"

#include <allegro.h>

#include <climits>

#include "app/errors.h"
#include "app/globals.h"
#include "app/helpers.h"
#include "world/sprite_draw.h"
#include "world/unit_datafile.h"
#include "world/weapons.h"

namespace {

// A blood pool's radius is its counter shifted right by this; the pool
// grows to radius + 3 pixels.
constexpr int POOL_SHIFT = 2;
constexpr int POOL_GROWTH = 3;
// Without the blood display a body's counter starts here and counts down;
// with the frame that set it, the body is drawn 130 times.
constexpr int CORPSE_COUNT = 129;

int clampToInt(long long v) {
    if (v > INT_MAX) return INT_MAX;
    if (v < INT_MIN) return INT_MIN;
    return static_cast<int>(v);
}

// value / (maximum / 100), truncated. Worked out exactly as value x 100 /
// maximum: in floating point a full unit of some maxima (7, 14, ...) would
// read 99. A maximum of 0 has no percentage: 0.
int percentage(int value, int maximum) {
    if (maximum == 0) return 0;
    return clampToInt(static_cast<long long>(value) * 100 / maximum);
}

}  // namespace

int turnStep(int direction, int target) {
    if (target <= 127) return (direction >= target + 128 || direction <= target) ? 1 : -1;
    return (direction >= target || direction <= target - 128) ? -1 : 1;
}

int turnTowards(int& direction, int target) {
    const int step = turnStep(direction, target);
    for (int i = 0; i < TURN_STEPS && direction != target; i++) direction = (direction + step) & 255;
    return step;
}

Unit::~Unit() { releaseSprites(); }

void Unit::releaseSprites() {
    for (BITMAP*& sprite : sprites) {
        if (ownsSprites && sprite) destroy_bitmap(sprite);
        sprite = nullptr;
    }
}

moveRequest* Unit::getMoveRequest(int, int) { return nullptr; }

bulletRequest* Unit::getBulletRequest() { return nullptr; }

void Unit::load(float speed_, int maxLife_, int maxArmor_, int armorType_, std::string file, int triggerDist_,
                int weapon_, int shootFreq_) {
    speed = speed_;
    maxLife = maxLife_;
    life = maxLife_;
    maxArmor = maxArmor_;
    armor = maxArmor_;
    armorType = armorType_;
    triggerDist = triggerDist_;
    // Every weapon rule indexes the weapon table, so a type with a weapon
    // number outside it carries the pistol.
    weapon = isWeapon(weapon_) ? weapon_ : 0;
    shootFreq = shootFreq_;
    DATAFILE* data = unitDatafileIsSound(file) ? load_datafile(file.c_str()) : nullptr;
    if (!data) errors::datafileError(file);
    const bool complete = loadSprites(data);
    unload_datafile(data);
    if (!complete) errors::datafileError(file);
}

bool Unit::loadSprites(const DATAFILE* data) {
    int items = 0;
    while (items < UNIT_DATAFILE_ITEMS && data[items].type != DAT_END) items++;
    if (items < UNIT_DATAFILE_ITEMS) return false;
    for (int i = 0; i < UNIT_SPRITES; i++)
        if (data[i].type != DAT_BITMAP || !data[i].dat) return false;
    const DATAFILE& radiusItem = data[UNIT_SPRITES];
    if (radiusItem.type != DAT_DATA || radiusItem.size < 1 || !radiusItem.dat) return false;

    releaseSprites();
    ownsSprites = true;
    for (int i = 0; i < UNIT_SPRITES; i++) sprites[i] = createDatafileBitmap(const_cast<DATAFILE*>(data), i);
    radius = static_cast<const signed char*>(radiusItem.dat)[0];
    return true;
}

void Unit::basetypeGet(Unit& type) {
    releaseSprites();
    for (int i = 0; i < UNIT_SPRITES; i++) sprites[i] = type.sprites[i];
    ownsSprites = false;
    maxLife = type.maxLife;
    life = type.maxLife;
    maxArmor = type.maxArmor;
    armor = type.maxArmor;
    speed = type.speed;
    radius = type.radius;
    armorType = type.armorType;
    triggerDist = type.triggerDist;
    weapon = type.weapon;
    shootFreq = type.shootFreq;
}

void Unit::initialise(float x, float y, int direction_, int aiState) {
    posX = x;
    posY = y;
    direction = direction_ & 255;  // a facing given as a signed byte too
    AIState = aiState;
}

void Unit::takeRequests(moveRequest* move, bulletRequest* bullets) {
    if (move) {
        posX = move->newPosX;
        posY = move->newPosY;
    }
    delete move;
    delete bullets;
}

void Unit::getHit(int w) {
    if (!isWeapon(w)) return;
    long long newLife = life;
    long long newArmor = armor;
    if (PIERCE[w] >= armorType) {
        newLife -= DAMAGE[w];
    } else if (armorType == 1) {
        const int absorbed = static_cast<int>(DAMAGE[w] * 0.25);
        if (newArmor >= absorbed) {
            newArmor -= absorbed;
            newLife -= DAMAGE[w] - absorbed;
        } else {
            newLife -= DAMAGE[w] - newArmor;
            newArmor = 0;
        }
    }
    armor = newArmor < 0 ? 0 : clampToInt(newArmor);
    life = newLife < 0 ? 0 : clampToInt(newLife);
}

int Unit::getLifePercentage() const { return percentage(life, maxLife); }

int Unit::getArmorPercentage() const { return percentage(armor, maxArmor); }

BITMAP* Unit::getSpriteAddress(int s) const {
    return s >= 0 && s < UNIT_SPRITES ? sprites[s] : nullptr;
}

void Unit::draw(int camX, int camY) {
    BITMAP* buffer = global.buffer;
    const int screenX = getPosX() - camX;
    const int screenY = getPosY() - camY;
    if (life == 0) {
        walkCounter = 0;
        if (corpseCounter == 0) {
            corpseCounter = global.bloodMode ? 1 : CORPSE_COUNT;
        } else if (global.bloodMode) {
            circlefill(buffer, screenX, screenY, corpseCounter >> POOL_SHIFT, makecol(255, 0, 0));
            if (corpseCounter < (radius + POOL_GROWTH) * (1 << POOL_SHIFT)) corpseCounter++;
        } else {
            if (corpseCounter < 0) return;
            corpseCounter = corpseCounter == 1 ? -1 : corpseCounter - 1;
        }
        state = STATE_DEAD;
    }
    BITMAP* sprite = getSpriteAddress(state);
    if (!sprite) return;
    const int x = screenX - sprite->w / 2;
    const int y = screenY - sprite->h / 2;
    if (walkCounter > 8)
        drawRotatedSprite(buffer, sprite, x, y, direction + 128, true);
    else
        drawRotatedSprite(buffer, sprite, x, y, direction, false);
}
