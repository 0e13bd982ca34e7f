#include <allegro.h>

#include "app/modes.h"

int main(int argc, char** argv) { return runProgram(argc, argv); }
END_OF_MAIN()
