// The script virtual machine: the 128 variables of a mission, 16 sound
// slots for script-loaded sounds, and the links to the map's tile graphics
// and the mission's message queue. compute runs one extracted event.
#pragma once

#include <string>

#include "script/bytecode.h"
#include "script/command_tables.h"
#include "ui/sound.h"

class messageClass;

constexpr int SOUND_SLOTS = 16;
constexpr int MAX_OBJECTIVES = 5;

class VirtualMachine {
public:
    int variables[VARIABLE_COUNT] = {};
    int mapWidth = 0;
    int mapHeight = 0;
    char* mapGraphics = nullptr;
    std::string nextMap;
    bool nextMapRequested = false;
    messageClass* messages = nullptr;
    int objectiveCount = 0;
    Sound sounds[SOUND_SLOTS];
    bytecode* current = nullptr;

    VirtualMachine();
    VirtualMachine(const VirtualMachine&) = delete;
    VirtualMachine& operator=(const VirtualMachine&) = delete;

    void mapSetup(int width, int height, char* graphics);
    void setMessageClass(messageClass* m) { messages = m; }
    // Kept within 0 to 5, the objective variables that exist.
    void setObjectives(int n);

    // Runs one event; a script error ends the program.
    void compute(bytecode& code);
    // Runs one event like compute but hands a script error back instead of
    // reporting it (the fault text is empty after a clean run).
    scriptFault run(bytecode& code);

    bool needNextMap() const { return nextMapRequested; }
    std::string getMapString() const { return nextMap; }
    void pollSounds();
    void updateSoundVol();

    // The variable at index; outside 0 to 127, or a write to 0 to 15, is a
    // script error that ends the program.
    int* getVar(int index, bool write);
    int getVarPar();
    int getPar(bool variableOnly);

private:
    int* variable(int index, bool write);
    void execute(int opcode, int& openBlocks, bool& running);
    void divide(int* var, int divisor);
    int soundSlot();
};
