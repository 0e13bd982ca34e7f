// The editor's modal questions behind one small interface, so that tests
// can answer them from a script while the program uses the graphics
// library's alert boxes and file selector.
#pragma once

#include <string>
#include <vector>

class editorDialogs {
public:
    virtual ~editorDialogs() = default;
    // Up to three lines and one to three buttons; the number (from 1) of
    // the button chosen.
    virtual int alert(const std::vector<std::string>& lines, const std::vector<std::string>& buttons) = 0;
    // A file selector of w x h pixels starting at path; true with the
    // chosen file in path, false (path unchanged) when cancelled.
    virtual bool selectFile(const std::string& title, std::string& path, const std::string& filter, int w,
                            int h) = 0;
};

// Allegro's alert boxes (each button's first letter is its shortcut) and
// file selector, with the mouse pointer shown while they are open.
class allegroDialogs : public editorDialogs {
public:
    int alert(const std::vector<std::string>& lines, const std::vector<std::string>& buttons) override;
    bool selectFile(const std::string& title, std::string& path, const std::string& filter, int w,
                    int h) override;
};
