#include "script/virtual_machine.h"

#include <allegro.h>

#include <cstdint>
#include <cstdio>

#include "app/errors.h"
#include "app/globals.h"
#include "app/input.h"
#include "script/instruction_reader.h"
#include "ui/message.h"

namespace {

constexpr int CENTRE_PAN = 127;
constexpr int NORMAL_FREQUENCY = 1000;

// Arithmetic wraps in 32-bit two's complement.
int wrap(int64_t value) { return static_cast<int>(static_cast<uint32_t>(static_cast<uint64_t>(value))); }

// The message box shown before "Unknown command"; without a windowing
// system the text goes to standard error only.
void showNotice(const std::string& text) {
    std::fprintf(stderr, "%s\n", text.c_str());
    std::fflush(stderr);
    if (system_driver != nullptr && system_driver->id != SYSTEM_NONE) allegro_message("%s", text.c_str());
}

}  // namespace

VirtualMachine::VirtualMachine() { variables[VAR_TRUE] = 1; }

void VirtualMachine::mapSetup(int width, int height, char* graphics) {
    mapWidth = width;
    mapHeight = height;
    mapGraphics = graphics;
}

void VirtualMachine::setObjectives(int n) {
    objectiveCount = n < 0 ? 0 : (n > MAX_OBJECTIVES ? MAX_OBJECTIVES : n);
}

void VirtualMachine::compute(bytecode& code) {
    scriptFault fault = run(code);
    if (fault.text.empty()) return;
    if (!fault.notice.empty()) showNotice(fault.notice);
    errors::scriptError(fault.text);
}

scriptFault VirtualMachine::run(bytecode& code) {
    if (code.getLength() == 0) return {};
    current = &code;
    code.reset();
    int openBlocks = 0;
    bool running = true;
    try {
        // A skip that ran off the end of the code ends the run there.
        while (running && code.getPos() < code.getLength()) execute(code.readByte(), openBlocks, running);
    } catch (const scriptFault& fault) {
        return fault;
    }
    variables[VAR_MISSIONSOLVED] = 1;
    for (int i = 0; i < objectiveCount; ++i) {
        if (variables[VAR_OBJECTIVE1 + i] == 0) {
            variables[VAR_MISSIONSOLVED] = 0;
            break;
        }
    }
    return {};
}

int* VirtualMachine::variable(int index, bool write) {
    if (index < 0 || index >= VARIABLE_COUNT) throw scriptFault{"Illegal 'read' operation on protected memory!", ""};
    if (write && index < PROTECTED_VARIABLES) throw scriptFault{"Illegal 'write' operation on protected memory!", ""};
    return &variables[index];
}

int* VirtualMachine::getVar(int index, bool write) {
    try {
        return variable(index, write);
    } catch (const scriptFault& fault) {
        errors::scriptError(fault.text);
    }
}

int VirtualMachine::getVarPar() {
    if (!current->isVar()) throw scriptFault{"Unexpected constant value!", ""};
    return current->getVarPar();
}

int VirtualMachine::getPar(bool variableOnly) {
    if (current->isVar()) return *variable(current->getVarPar(), false);
    if (variableOnly) throw scriptFault{"Unexpected constant value!", ""};
    return current->getConstPar();
}

// A zero divisor leaves the variable as it is, without a message: a script
// that runs every logic step would otherwise bring up a box 32 times a
// second. The most negative number divided by -1 also stays as it is, which
// is the wrapped quotient.
void VirtualMachine::divide(int* var, int divisor) {
    if (divisor == 0 || (divisor == -1 && *var == INT32_MIN)) return;
    *var /= divisor;
}

// For playsound, deletesound and stopsound a slot outside 0 to 15 means 0.
int VirtualMachine::soundSlot() {
    int slot = getPar(true);
    return slot >= 0 && slot < SOUND_SLOTS ? slot : 0;
}

void VirtualMachine::execute(int opcode, int& openBlocks, bool& running) {
    bytecode& code = *current;
    switch (opcode) {
    case OP_SET: {
        int index = getVarPar();
        int value = getPar(false);
        *variable(index, true) = value;
        break;
    }
    case OP_INC: {
        int* var = variable(getVarPar(), true);
        *var = wrap(int64_t(*var) + 1);
        break;
    }
    case OP_DEC: {
        int* var = variable(getVarPar(), true);
        *var = wrap(int64_t(*var) - 1);
        break;
    }
    case OP_ADD:
    case OP_SUB:
    case OP_MUL:
    case OP_DIV: {
        int index = getVarPar();
        int value = getPar(false);
        int* var = variable(index, true);
        if (opcode == OP_ADD) *var = wrap(int64_t(*var) + value);
        if (opcode == OP_SUB) *var = wrap(int64_t(*var) - value);
        if (opcode == OP_MUL) *var = wrap(int64_t(value) * *var);
        if (opcode == OP_DIV) divide(var, value);
        break;
    }
    case OP_EQUAL: {
        int a = getPar(true);
        variables[VAR_ZFLAG] = a == getPar(false);
        break;
    }
    case OP_SMALLER: {
        int a = getPar(false);
        variables[VAR_ZFLAG] = a < getPar(false);
        break;
    }
    case OP_IF:
    case OP_IFN: {
        bool set = getPar(true) != 0;
        if (set == (opcode == OP_IF)) {
            ++openBlocks;
        } else {
            code.setPos(skipBlock(code.data(), code.getLength(), code.getPos()));
        }
        break;
    }
    case BLOCK_END:
        if (--openBlocks < 0) throw scriptFault{"Too many ends in script!", ""};
        break;
    case OP_QUIT:
        if (getPar(true) != 0) running = false;
        break;
    case OP_QUITN:
        if (getPar(true) == 0) running = false;
        break;
    case OP_QUITA:
    case SCRIPT_END:
        running = false;
        break;
    case OP_MSG: {
        std::string text = code.getString(0);
        if (messages) messages->sendText(text);
        break;
    }
    case OP_ENDL:
        if (messages) messages->output();
        break;
    case OP_MSGVAR: {
        int value = getPar(true);
        if (messages) messages->sendInt(value);
        break;
    }
    case OP_MSGKEY: {
        int slot = getPar(false);
        if (slot < 0 || slot >= KEY_SLOTS) throw scriptFault{"msgkey value out of range!", ""};
        // keyName gives "" for a bound code outside the name table.
        if (messages) messages->sendText(keyName(global.keys[slot]));
        break;
    }
    case OP_GRAPHIC: {
        int column = getPar(false);
        int row = getPar(false);
        int graphic = getPar(false);
        // A position outside the map is ignored.
        if (mapGraphics && column >= 0 && column < mapWidth && row >= 0 && row < mapHeight) {
            mapGraphics[row * mapWidth + column] = static_cast<char>(graphic & 0xFF);
        }
        break;
    }
    case OP_GOTO:
        nextMap = code.getString(0);
        nextMapRequested = true;
        break;
    case OP_LOADSOUND: {
        int* var = variable(getVarPar(), true);
        std::string file = code.getString(0);
        int slot = 0;
        while (slot < SOUND_SLOTS && sounds[slot].isActive() != 0) ++slot;
        if (slot == SOUND_SLOTS) throw scriptFault{"Sound buffer is full!", ""};
        sounds[slot].load(file, true);
        *var = slot;
        break;
    }
    case OP_PLAYSOUND: {
        int slot = soundSlot();
        int loop = getPar(false);
        bool music = getPar(false) != 0;
        sounds[slot].play(loop, music ? global.musicVolume : global.sfxVolume, CENTRE_PAN, NORMAL_FREQUENCY);
        break;
    }
    case OP_DELETESOUND:
        sounds[soundSlot()].destroy();
        break;
    case OP_STOPSOUND:
        sounds[soundSlot()].stop();
        break;
    default: {
        char notice[96];
        std::snprintf(notice, sizeof notice, "Command %i at position %i, missing %i ends", opcode, code.getPos(),
                      openBlocks);
        throw scriptFault{"Unknown command", notice};
    }
    }
}

void VirtualMachine::pollSounds() {
    for (Sound& s : sounds) s.poll();
}

void VirtualMachine::updateSoundVol() {
    for (Sound& s : sounds) s.musicUpdate();
}
