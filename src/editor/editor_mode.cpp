#include "editor/editor_mode.h"

#include <allegro.h>

#include <string>

#include "app/globals.h"
#include "app/helpers.h"
#include "editor/editor_dialogs.h"
#include "editor/map_editor.h"

int runEditorMode() {
    font = global.textFont;
    allegroDialogs dialogs;
    std::string path = "maps/";
    if (dialogs.selectFile("Choose map file to open.", path, "kvm", SCREEN_W, SCREEN_H)) {
        mapEditor editor(path, dialogs);
        editor();
    }
    global.unload();
    remove_int(timerCounterUpdater);
    return 0;
}
