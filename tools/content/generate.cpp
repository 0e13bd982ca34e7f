// Content generator: korvalt_content GAME_DIR writes every generated asset
// of the game into GAME_DIR.
#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s GAME_DIR\n", argv[0]);
        return 1;
    }
    return 0;
}
