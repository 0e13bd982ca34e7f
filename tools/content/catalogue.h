// Where generated files go and what the contact sheet shows: every picture
// is saved through the catalogue, which keeps a copy with its label so
// that the contact sheet can show the whole set at the end.
#pragma once
#include <string>
#include <vector>

#include "canvas.h"
#include "image_files.h"

class Catalogue {
public:
    Catalogue(std::string gameDir, std::string stagingDir);

    std::string gamePath(const std::string& relative) const;
    std::string stagingPath(const std::string& relative) const;
    const std::string& staging() const { return stagingDir; }

    // Writes gfx pictures into the game folder (TGA) and records them.
    void savePicture(const std::string& relative, const Canvas& canvas, Transparency mode);
    // Writes a datafile source picture into the staging directory and
    // records it under the label (e.g. "data/intro.dat #3"); an empty
    // label leaves it off the contact sheet.
    void stagePicture(const std::string& file, const std::string& label, const Canvas& canvas, Transparency mode);
    // Records a picture that is shown on the sheet only.
    void record(const std::string& label, const Canvas& canvas, Transparency mode);

    struct Entry {
        std::string label;
        Canvas canvas;
        Transparency mode;
    };
    const std::vector<Entry>& entries() const { return shown; }
    // The recorded picture whose label starts with the prefix; throws if none.
    const Canvas& find(const std::string& labelPrefix) const;

private:
    std::string gameDir, stagingDir;
    std::vector<Entry> shown;
};
