// The mission description page: shown before a mission (and for a
// campaign's opening text), reviewed during it with the objectives marked.
// Showing a mission's own description fixes its objectives and writes the
// automatic savegame of slot 0.
#include <allegro.h>

#include <filesystem>

#include "app/constants.h"
#include "app/errors.h"
#include "app/globals.h"
#include "app/helpers.h"
#include "app/input.h"
#include "app/savegame.h"
#include "game/mission_variables.h"
#include "game/single_player_game.h"

namespace {

// Layout of the 800 x 600 page.
constexpr int BOX_WIDTH = 270;
constexpr int BOX_HEIGHT = 230;
constexpr int TITLE_X = 260;
constexpr int TITLE_Y = 35;
constexpr int TEXT_LEFT = 10;
constexpr int TEXT_RIGHT = 510;
constexpr int JUSTIFY_LIMIT = 150;  // wider gaps: the line stays left-aligned
constexpr int OBJECTIVES_X = 660;
constexpr int OBJECTIVES_Y = 250;
constexpr int OBJECTIVE_LINE_X = 530;
constexpr int LINE_GAP = 3;

int screenWidth() { return global.buffer->w; }
int screenHeight() { return global.buffer->h; }

// A picture centred in the picture box, cut to it.
void putPicture(BITMAP* page, BITMAP* picture) {
    const int left = screenWidth() - BOX_WIDTH;
    set_clip_rect(page, left, 0, screenWidth() - 1, BOX_HEIGHT - 1);
    blit(picture, page, 0, 0, left + (BOX_WIDTH - picture->w) / 2, (BOX_HEIGHT - picture->h) / 2, picture->w,
         picture->h);
    set_clip_rect(page, 0, 0, page->w - 1, page->h - 1);
}

bool slotPressed(int slot) {
    const int code = global.keys[slot];
    return isKeyCode(code) && keyStates[code];
}

// The page with its buttons until the player continues; Save only on a
// mission's first showing.
class descriptionScreen : public pacedScreen {
public:
    descriptionScreen(BITMAP* page, BITMAP* proceed, BITMAP* save, std::function<void()> onSave,
                      const bool& saveFailed)
        : page(page), proceed(proceed), save(save), onSave(std::move(onSave)), saveFailed(saveFailed) {}

    bool step() override {
        const int W = screenWidth();
        const int H = screenHeight();
        const bool clicked = clickEvent();
        const bool onSaveButton =
            save && mouse_x > W - save->w && mouse_y >= H - proceed->h - save->h && mouse_y < H - proceed->h;
        if (save && (keyStates[KEY_S] || (clicked && onSaveButton))) onSave();
        const bool onContinue = mouse_x >= W - proceed->w && mouse_y >= H - proceed->h;
        return !(keyStates[KEY_ENTER] || slotPressed(SLOT_USE) || (clicked && onContinue));
    }

    void draw() override {
        BITMAP* buffer = global.buffer;
        const int W = buffer->w;
        const int H = buffer->h;
        blit(page, buffer, 0, 0, 0, 0, W, H);
        if (save) {
            draw_sprite(buffer, save, W - save->w, H - proceed->h - save->h);
            if (saveFailed)
                textout_right_ex(buffer, global.textFont, "Saving failed", W - save->w - 8,
                                 H - proceed->h - (save->h + text_height(global.textFont)) / 2, makecol(200, 0, 0),
                                 -1);
        }
        draw_sprite(buffer, proceed, W - proceed->w, H - proceed->h);
        show(true, nullptr);
    }

private:
    BITMAP* page;
    BITMAP* proceed;
    BITMAP* save;
    std::function<void()> onSave;
    const bool& saveFailed;
};

}  // namespace

void singlePlayerGame::saveToSlot(int slot) {
    // A mission reached through a path (a script may name any map) can't be
    // loaded from a savegame, so none is written for it.
    if (!isPlainMapName(missionName)) {
        saveFailed = true;
        return;
    }
    std::error_code ignored;
    std::filesystem::create_directories("save", ignored);
    saveFailed = !writeSavegame(getSavegamePath(slot), savegame{missionName, healBonus, ammoBonus});
}

void singlePlayerGame::showMissionDescription(std::string name, bool campaign) {
    objectiveCount = 0;
    const std::string path = "maps/" + name + ".kvd";
    missionDescription text;
    std::string reason;
    if (!readMissionDescription(path, campaign, text, reason)) errors::mapLoadError(path, reason);

    BITMAP* proceed = loadBitmap("gfx/buttonContinue.tga");
    BITMAP* save = campaign ? nullptr : loadBitmap("gfx/buttonSave.tga");
    BITMAP* sheet = createBitmap(screenWidth(), screenHeight());
    BITMAP* background = loadBitmap("gfx/missionscreen.tga");
    clear_bitmap(sheet);
    blit(background, sheet, 0, 0, 0, 0, background->w, background->h);
    destroy_bitmap(background);
    if (campaign) {
        BITMAP* picture = loadBitmap("gfx/" + name + ".tga");
        putPicture(sheet, picture);
        destroy_bitmap(picture);
    } else {
        putPicture(sheet, map.getMapPreview(BOX_WIDTH, BOX_HEIGHT));
    }

    FONT* menuFont = global.menuFont;
    FONT* textFont = global.textFont;
    const int lineHeight = text_height(textFont) + LINE_GAP;
    if (!campaign) {
        textout_centre_ex(sheet, menuFont, "Objectives", OBJECTIVES_X, OBJECTIVES_Y, 0, -1);
        objectiveLineY = text_height(menuFont) + OBJECTIVES_Y + 6;
        for (std::size_t i = 0; i < text.objectives.size(); ++i)
            textout_ex(sheet, textFont, text.objectives[i].c_str(), OBJECTIVE_LINE_X,
                       objectiveLineY + static_cast<int>(i) * lineHeight, 0, -1);
        objectiveCount = static_cast<int>(text.objectives.size());
        objectives = text.positions;
        machine.setObjectives(objectiveCount);
    }
    textout_centre_ex(sheet, menuFont, text.title.c_str(), TITLE_X, TITLE_Y, 0, -1);
    int y = text_height(menuFont) + TITLE_Y + 6;
    for (const std::string& line : text.briefing) {
        textout_justify_ex(sheet, textFont, line.c_str(), TEXT_LEFT, TEXT_RIGHT, y, JUSTIFY_LIMIT, 0, -1);
        y += lineHeight;
    }
    if (!campaign) saveToSlot(0);

    descriptionScreen screen(sheet, proceed, save, [this] {
        const int slot = hooks.chooseSlot();
        if (slot >= 0) saveToSlot(slot);
    }, saveFailed);
    hooks.runScreen(screen);
    destroy_bitmap(proceed);
    if (save) destroy_bitmap(save);
    if (campaign) {
        destroy_bitmap(sheet);
    } else {
        if (page) destroy_bitmap(page);
        page = sheet;
    }
}

void singlePlayerGame::reviewMissionDescription() {
    if (!page) return;
    BITMAP* preview = map.getMapPreview(BOX_WIDTH, BOX_HEIGHT);
    BITMAP* marked = createBitmap(preview->w, preview->h);
    blit(preview, marked, 0, 0, 0, 0, preview->w, preview->h);
    const int size = map.getSmallSize();
    for (int i = 0; i < objectiveCount; ++i) {
        const bool done = machine.variables[MV_OBJECTIVE1 + i] != 0;
        circlefill(marked, objectives[i].column * size, objectives[i].row * size, size,
                   done ? makecol(0, 0, 255) : makecol(255, 0, 0));
    }
    circlefill(marked, player.getPosX() / TILESIZE * size, player.getPosY() / TILESIZE * size, size,
               makecol(0, 255, 0));
    putPicture(page, marked);
    destroy_bitmap(marked);
    const int lineHeight = text_height(global.textFont) + LINE_GAP;
    for (int i = 0; i < objectiveCount; ++i)
        if (machine.variables[MV_OBJECTIVE1 + i] != 0)
            textout_right_ex(page, global.textFont, "Success!", screenWidth(), objectiveLineY + i * lineHeight,
                             makecol(0, 170, 0), -1);

    BITMAP* proceed = loadBitmap("gfx/buttonContinue.tga");
    descriptionScreen screen(page, proceed, nullptr, [] {}, saveFailed);
    hooks.runScreen(screen);
    destroy_bitmap(proceed);
}
