#include "editor/editor_dialogs.h"

#include <allegro.h>

#include <cctype>

#include "app/helpers.h"

namespace {

const char* lineAt(const std::vector<std::string>& v, std::size_t i) {
    return i < v.size() ? v[i].c_str() : nullptr;
}

int shortcut(const std::vector<std::string>& buttons, std::size_t i) {
    if (i >= buttons.size() || buttons[i].empty()) return 0;
    return std::tolower(static_cast<unsigned char>(buttons[i][0]));
}

// The pointer is drawn by Allegro only while a dialogue is open. The
// editor reads the key array, not the key buffer, so the buffer holds every
// key typed while editing: it is emptied first so that none of them
// answers the dialogue, and again afterwards.
class pointerShown {
public:
    pointerShown() {
        clear_keybuf();
        show_mouse(screen);
    }
    ~pointerShown() {
        show_mouse(nullptr);
        clear_keybuf();
    }
};

}  // namespace

int allegroDialogs::alert(const std::vector<std::string>& lines, const std::vector<std::string>& buttons) {
    pointerShown pointer;
    if (buttons.size() >= 3)
        return alert3(lineAt(lines, 0), lineAt(lines, 1), lineAt(lines, 2), lineAt(buttons, 0), lineAt(buttons, 1),
                      lineAt(buttons, 2), shortcut(buttons, 0), shortcut(buttons, 1), shortcut(buttons, 2));
    return ::alert(lineAt(lines, 0), lineAt(lines, 1), lineAt(lines, 2), lineAt(buttons, 0), lineAt(buttons, 1),
                   shortcut(buttons, 0), shortcut(buttons, 1));
}

bool allegroDialogs::selectFile(const std::string& title, std::string& path, const std::string& filter, int w,
                                int h) {
    pointerShown pointer;
    return fileSelect(title, path, filter, w, h);
}
