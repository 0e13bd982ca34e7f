#include "catalogue.h"

#include <filesystem>
#include <stdexcept>
#include <utility>

Catalogue::Catalogue(std::string game, std::string staging) : gameDir(std::move(game)), stagingDir(std::move(staging)) {
    std::filesystem::create_directories(stagingDir);
    for (const char* dir : {"data", "gfx", "sfx"}) std::filesystem::create_directories(gameDir + "/" + dir);
}

std::string Catalogue::gamePath(const std::string& relative) const { return gameDir + "/" + relative; }

std::string Catalogue::stagingPath(const std::string& relative) const { return stagingDir + "/" + relative; }

void Catalogue::savePicture(const std::string& relative, const Canvas& canvas, Transparency mode) {
    std::filesystem::create_directories(std::filesystem::path(gamePath(relative)).parent_path());
    writeTga(gamePath(relative), canvas, mode);
    record(relative, canvas, mode);
}

void Catalogue::stagePicture(const std::string& file, const std::string& label, const Canvas& canvas,
                             Transparency mode) {
    writeTga(stagingPath(file), canvas, mode);
    if (!label.empty()) record(label, canvas, mode);
}

void Catalogue::record(const std::string& label, const Canvas& canvas, Transparency mode) {
    shown.push_back({label, canvas, mode});
}

const Canvas& Catalogue::find(const std::string& labelPrefix) const {
    for (const Entry& e : shown)
        if (e.label.compare(0, labelPrefix.size(), labelPrefix) == 0) return e.canvas;
    throw std::runtime_error("no picture " + labelPrefix);
}
