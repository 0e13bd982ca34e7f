// Map source tool: korvalt_maptool build SOURCE MAP writes the map file of a
// source (map_source.h); korvalt_maptool text MAP [SOURCE] writes the source
// of a map file (to standard output without SOURCE). Problems are printed
// as "file:line: message"; the exit status is 1 then, else 0.
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "map/map_file.h"
#include "map_source.h"

namespace {

bool readWhole(const std::string& path, std::string& bytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::ostringstream s;
    s << in.rdbuf();
    bytes = s.str();
    return true;
}

// The whole file or nothing: written beside the target, then renamed.
bool writeWhole(const std::string& path, const std::string& bytes) {
    const std::string temp = path + ".part";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.close();
        if (!out) {
            std::remove(temp.c_str());
            return false;
        }
    }
    return std::rename(temp.c_str(), path.c_str()) == 0;
}

int usage() {
    std::cerr << "usage: korvalt_maptool build SOURCE MAP | korvalt_maptool text MAP [SOURCE]\n";
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) return usage();
    const std::string command = argv[1], input = argv[2];
    std::string content;
    if (!readWhole(input, content)) {
        std::cerr << input << ":0: can't be read\n";
        return 1;
    }
    std::string result;
    try {
        if (command == "build" && argc == 4) result = buildMapFile(content);
        else if (command == "text" && argc <= 4) result = mapFileSource(content, input);
        else return usage();
    } catch (const sourceFault& fault) {
        std::cerr << input << ":" << fault.line << ": " << fault.message << "\n";
        return 1;
    } catch (const mapFault& fault) {
        std::cerr << input << ":0: " << fault.reason << "\n";
        return 1;
    }
    if (argc == 3) {
        std::cout << result;
        return 0;
    }
    if (!writeWhole(argv[3], result)) {
        std::cerr << argv[3] << ":0: can't be written\n";
        return 1;
    }
    return 0;
}
