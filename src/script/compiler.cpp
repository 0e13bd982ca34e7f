#include "script/compiler.h"

#include <sys/stat.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "script/compiler_code.h"
#include "script/source_reader.h"

std::string consts[VARIABLE_COUNT];
compileFailure lastCompileFailure;

namespace {

// Beyond these limits the compilation stops with a fatal error of its own.
constexpr int JUMP_POINT_SLOTS = 64;
constexpr int JUMP_REFERENCE_LIMIT = 64;

enum scriptKind { KIND_UNKNOWN, KIND_TILE, KIND_UNIT };

struct jumpPoint {
    std::string name;  // "" while the slot is free
    int position = -1;
};

void loadNames() {
    for (int i = 0; i < VARIABLE_COUNT; ++i) consts[i] = i < STDCONST_COUNT ? STDCONSTS[i] : "";
}

void clearNames() {
    for (std::string& name : consts) name.clear();
}

// True when both names lead to one file, so that writing the target would
// destroy the source before it is read.
std::string tooBig(const std::string& file) {
    return "The file " + file + " is too big (at most " + std::to_string(SCRIPT_SOURCE_LIMIT) + " bytes)";
}

bool sameFile(const std::string& a, const std::string& b) {
    if (a == b) return true;
    struct stat sa, sb;
    if (stat(a.c_str(), &sa) != 0 || stat(b.c_str(), &sb) != 0) return false;
    return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

// One compilation: the single pass over the source words, writing
// instructions as it reads them.
class compilation {
public:
    compilation(std::ofstream& log, sourceReader& source) : log(log), in(&source) {}

    // Reads the whole source; false after a fatal error has been logged.
    bool run();

    compilerCode output;
    bool backup = false;

private:
    bool fail(const std::string& message) {
        lastCompileFailure.file = in->fileName();
        lastCompileFailure.line = in->line();
        return compileError(log, message);
    }
    void warn(const std::string& text);
    bool word(std::string& w);
    void writeInt(int32_t value);

    bool statement(const std::string& w);
    bool eventStatement();
    bool endStatement();
    bool endifStatement();
    bool jumpPointStatement(const std::string& w);
    bool jumpStatement(unsigned char opcode, const std::string& keyword);
    bool ifStatement(unsigned char opcode, const std::string& keyword, const std::string& warning);
    bool msgendlStatement();
    bool textOperand();
    bool defStatement();
    bool includeStatement();
    bool commandStatement(int command, const std::string& keyword);
    bool variableOperand(bool writable);
    bool valueOperand();

    int findJumpPoint(const std::string& name) const;
    int freeJumpPoint() const;

    std::ofstream& log;
    sourceReader* in;
    int event = 0;       // open event, 0 outside
    int eventStart = 0;  // output position after the open event's header
    bool seen[EVENT_COUNT + 1] = {};
    scriptKind kind = KIND_UNKNOWN;
    std::vector<int> blockStarts;  // output positions after each open block's header
    jumpPoint jumpPoints[JUMP_POINT_SLOTS];
    std::vector<int> jumpReferences;
};

void compilation::warn(const std::string& text) {
    log << text;
    if (text.empty() || text.back() != '\n') log << '\n';
}

// A missing word inside a statement means the source ended too early.
bool compilation::word(std::string& w) {
    if (in->nextWord(w)) return true;
    return fail("Unexpected end of file");
}

void compilation::writeInt(int32_t value) {
    uint32_t u = static_cast<uint32_t>(value);
    const char bytes[4] = {static_cast<char>(u & 0xFF), static_cast<char>((u >> 8) & 0xFF),
                           static_cast<char>((u >> 16) & 0xFF), static_cast<char>(u >> 24)};
    output.write(bytes, 4);
}

bool compilation::run() {
    std::string w;
    while (in->nextWord(w)) {
        if (!statement(w)) return false;
    }
    if (event != 0 || !blockStarts.empty()) return fail("Unexpected end of file");
    output.writeByte(SCRIPT_END);
    log << "Successfully finished compiling.\n\n" << "Beginning to write compiled data.\n";
    return true;
}

// The statement rows, tested in this order.
bool compilation::statement(const std::string& w) {
    if (w[0] == ';') {
        in->skipLine();
        return true;
    }
    if (w == "event") return eventStatement();
    if (w == "end") return endStatement();
    if (w == "endif") return endifStatement();
    if (w[0] == ':') return jumpPointStatement(w);
    if (w == "jmpif") return jumpStatement(OP_JMPIF, w);
    if (w == "jmpifn") return jumpStatement(OP_JMPIFN, w);
    if (w == "if") return ifStatement(OP_IF, w, "Warning! if is deprecated, use jmpifn instead!");
    if (w == "ifn") return ifStatement(OP_IFN, w, "Warning! if is deprecated, use jmpif instead!");
    if (w == "msgendl") return msgendlStatement();
    if (w == "def") return defStatement();
    if (w == "include") return includeStatement();
    if (w == "debugMsg") {
        log << "DEBUG MESSAGE: " << in->restOfLine() << '\n';
        return true;
    }
    if (w == "logbackup") {
        backup = true;
        return true;
    }
    for (int c = 0; c < COMMAND_COUNT; ++c) {
        if (w == parse_name[c]) return commandStatement(c, w);
    }
    return fail("Unknown command " + w);
}

bool compilation::eventStatement() {
    std::string name;
    if (!word(name)) return false;
    int number = 0;
    for (int i = 0; i < EVENT_COUNT; ++i) {
        if (name == EVENT_NAMES[i]) number = i + 1;
    }
    if (number == 0) return fail("Unknown event " + name);
    if (number <= 4) {
        if (kind == KIND_UNIT) return fail("The event " + name + " is illegal in a script for units");
        kind = KIND_TILE;
    } else if (number == 5 || number == 8) {
        if (kind == KIND_TILE) return fail("The event " + name + " is illegal in a script for tiles");
        kind = KIND_UNIT;
    }
    if (seen[number]) return fail("The event " + name + " is defined multiple times");
    seen[number] = true;
    log << "Compiling event " << name << "..." << '\n';
    output.writeByte(EVENT_MARKER);
    output.writeByte(static_cast<unsigned char>(number));
    if (event != 0) return fail("Illegal event " + name + " inside of event");
    event = number;
    eventStart = output.getPos();
    return true;
}

bool compilation::endStatement() {
    if (event == 0) return fail("Illegal end outside of event");
    // Open blocks would otherwise carry over into the next event, whose run
    // then fails at its first block end.
    if (!blockStarts.empty()) return fail("Missing endif before end of event");
    if (output.getPos() == eventStart) {
        output.backspace(2);
        warn("WARNING: Empty event!");
    } else {
        output.writeByte(EVENT_END);
    }
    log << "Successfully compiled the event.\n" << '\n';
    event = 0;
    return true;
}

bool compilation::endifStatement() {
    if (event == 0) return fail("Illegal endif outside of event");
    if (blockStarts.empty()) return fail("Unexpected endif!");
    int start = blockStarts.back();
    blockStarts.pop_back();
    if (output.getPos() == start) {
        output.backspace(3);
        warn("WARNING: Empty if or ifn instruction!");
    } else {
        output.writeByte(BLOCK_END);
    }
    return true;
}

int compilation::findJumpPoint(const std::string& name) const {
    for (int i = 0; i < JUMP_POINT_SLOTS; ++i) {
        if (jumpPoints[i].name == name) return i;
    }
    return -1;
}

int compilation::freeJumpPoint() const { return findJumpPoint(""); }

bool compilation::jumpPointStatement(const std::string& w) {
    if (event == 0) return fail("Illegal jumping point outside of event");
    if (w.size() == 1) return fail("Empty ':' found!");
    std::string name = w.substr(1);
    int slot = findJumpPoint(name);
    if (slot >= 0) {
        if (jumpPoints[slot].position != -1) return fail("Multiple definition of jumping point " + name);
        jumpPoints[slot].position = output.getPos();
        return true;
    }
    slot = freeJumpPoint();
    if (slot < 0) return fail("Too many jumping points (at most 64)");
    jumpPoints[slot].name = name;
    jumpPoints[slot].position = output.getPos();
    return true;
}

bool compilation::jumpStatement(unsigned char opcode, const std::string& keyword) {
    if (event == 0) return fail("Illegal " + keyword + " outside of event");
    std::string var, point;
    int index;
    if (!word(var)) return false;
    if (!const2int(var, index)) return fail("Unknown variable name " + var);
    if (!word(point)) return false;
    int slot = findJumpPoint(point);
    if (slot < 0) {
        slot = freeJumpPoint();
        if (slot < 0) return fail("Too many jumping points (at most 64)");
        jumpPoints[slot].name = point;
    }
    if (static_cast<int>(jumpReferences.size()) == JUMP_REFERENCE_LIMIT) {
        return fail("Too many jmpif and jmpifn instructions (at most 64)");
    }
    output.writeByte(opcode);
    output.writeByte(VAR_TAG);
    output.writeByte(static_cast<unsigned char>(index));
    jumpReferences.push_back(output.getPos());
    output.writeByte(static_cast<unsigned char>(slot & 0xFF));
    output.writeByte(static_cast<unsigned char>(slot >> 8));
    return true;
}

bool compilation::ifStatement(unsigned char opcode, const std::string& keyword,
                              const std::string& warning) {
    warn(warning);
    if (event == 0) return fail("Illegal " + keyword + " outside of event");
    std::string var;
    int index;
    if (!word(var)) return false;
    if (!const2int(var, index)) return fail("Unknown variable name " + var);
    if (index == VAR_FALSE || index == VAR_TRUE) {
        warn("WARNING: Use of constant TRUE or FALSE in an if statement\n");
    }
    output.writeByte(opcode);
    output.writeByte(VAR_TAG);
    output.writeByte(static_cast<unsigned char>(index));
    blockStarts.push_back(output.getPos());
    return true;
}

bool compilation::msgendlStatement() {
    if (event == 0) return fail("Illegal msgendl outside of event");
    output.writeByte(OP_MSG);
    if (!textOperand()) return false;
    output.writeByte(OP_ENDL);
    return true;
}

// The rest of the line as a text and its closing 0x00.
bool compilation::textOperand() {
    const std::string text = in->restOfLine();
    const std::string line = std::to_string(in->textLine());
    if (text.size() > static_cast<std::size_t>(SCRIPT_TEXT_LIMIT))
        return fail("Text too long on line " + line + " (at most " + std::to_string(SCRIPT_TEXT_LIMIT) + " characters)");
    if (text.find('\0') != std::string::npos) return fail("NUL character in the text on line " + line);
    output.write(text.c_str(), static_cast<int>(text.size()) + 1);
    return true;
}

bool compilation::defStatement() {
    std::string var, name;
    int index, existing;
    if (!word(var) || !word(name)) return false;
    if (event != 0) return fail("Defining the constant " + name + " in an event is illegal.");
    if (!const2int(var, index)) return fail("Unknown variable name " + var);
    if (const2int(name, existing)) return fail("The constant " + name + " is already defined");
    consts[index] = name;
    if (index < STDCONST_COUNT) warn("WARNING: Assigning new definition to constant variable!\n");
    return true;
}

// An included file holds only comments and definitions.
bool compilation::includeStatement() {
    std::string file = in->restOfLine();
    if (event != 0) return fail("Including the file " + file + " in an event is illegal");
    log << "Including external file " << file << ".\n";
    sourceReader included;
    const sourceOpen opened = included.open(file, SCRIPT_SOURCE_LIMIT);
    if (opened == sourceOpen::tooBig) return fail(tooBig(file));
    if (opened != sourceOpen::opened) return fail("Opening the file " + file + " failed");
    sourceReader* outer = in;
    in = &included;
    std::string w;
    bool ok = true;
    while (ok && in->nextWord(w)) {
        if (w[0] == ';') {
            in->skipLine();
        } else if (w == "def") {
            ok = defStatement();
        } else {
            ok = fail("An included file must not contain a " + w);
        }
    }
    in = outer;
    if (ok) log << '\n';
    return ok;
}

bool compilation::commandStatement(int command, const std::string& keyword) {
    if (event == 0) return fail("Illegal " + keyword + " outside of event");
    output.writeByte(parse_bytecode[command]);
    for (int p = 0; p < 3; ++p) {
        switch (parse_params[p][command]) {
        case PARAM_NONE:
            return true;
        case PARAM_READ_VAR:
            if (!variableOperand(false)) return false;
            break;
        case PARAM_WRITE_VAR:
            if (!variableOperand(true)) return false;
            break;
        case PARAM_VALUE:
            if (!valueOperand()) return false;
            break;
        case PARAM_TEXT:
            return textOperand();
        }
    }
    return true;
}

bool compilation::variableOperand(bool writable) {
    std::string var;
    int index;
    if (!word(var)) return false;
    if (!const2int(var, index)) return fail("Unknown variable name " + var);
    if (writable && index < PROTECTED_VARIABLES) return fail("Access to " + var + " denied");
    output.writeByte(VAR_TAG);
    output.writeByte(static_cast<unsigned char>(index));
    return true;
}

bool compilation::valueOperand() {
    std::string w;
    int value;
    if (!word(w)) return false;
    if (string2int(w, value)) {
        output.writeByte(CONST_TAG);
        writeInt(value);
    } else if (const2int(w, value)) {
        output.writeByte(VAR_TAG);
        output.writeByte(static_cast<unsigned char>(value));
    } else {
        return fail("Unknown variable name " + w);
    }
    return true;
}

}  // namespace

bool compileError(std::ofstream& log, std::string message) {
    lastCompileFailure.message = message;
    log << "FATAL ERROR: " << message << "\n\nAn error occured during compilation.\n"
        << "Not writing compiled data.\n";
    log.close();
    return false;
}

bool string2int(std::string word, int& value) {
    std::size_t i = 0;
    while (i < word.size() && (word[i] == ' ' || (word[i] >= '\t' && word[i] <= '\r'))) ++i;
    bool negative = false;
    if (i < word.size() && (word[i] == '+' || word[i] == '-')) negative = word[i++] == '-';
    if (i >= word.size() || word[i] < '0' || word[i] > '9') return false;
    int64_t n = 0;
    for (; i < word.size() && word[i] >= '0' && word[i] <= '9'; ++i) {
        n = n * 10 + (word[i] - '0');
        if (n > int64_t(INT32_MAX) + 1) return false;
    }
    if (negative) n = -n;
    if (n > INT32_MAX) return false;
    value = static_cast<int>(n);
    return true;
}

// "%-1" names no variable: read literally it would store the index byte
// 0xFF, the script end marker.
bool const2int(std::string word, int& index) {
    if (!word.empty() && word[0] == '%') {
        int n;
        if (!string2int(word.substr(1), n) || n < 0 || n >= VARIABLE_COUNT) return false;
        index = n;
        return true;
    }
    for (int i = 0; i < VARIABLE_COUNT; ++i) {
        if (!consts[i].empty() && consts[i] == word) {
            index = i;
            return true;
        }
    }
    return false;
}

namespace {

bool compileFile(std::ofstream& log, const std::string& source, const std::string& target, unsigned char* buffer,
                 int* size) {
    log << "Reading from " << source << " and writing to " << target << ".\n\n";
    sourceReader in;
    const sourceOpen opened = in.open(source, SCRIPT_SOURCE_LIMIT);
    if (opened == sourceOpen::tooBig) return compileError(log, tooBig(source));
    if (opened != sourceOpen::opened) return compileError(log, "Failed to open file " + source);
    // Opening the target truncates it: refuse before the source is lost.
    if (!target.empty() && sameFile(source, target)) {
        return compileError(log, "The target file " + target + " is the source file");
    }
    if (!target.empty()) {
        std::ofstream out(target, std::ios::binary | std::ios::trunc);
        if (!out) return compileError(log, "Failed to open file " + target);
        out.put('\0');
    }
    compilation c(log, in);
    log << "Beginning to read and compile.\n" << '\n';
    loadNames();
    if (!c.run()) return false;
    if (!target.empty() && !c.output.output(target)) {
        return compileError(log, "Outputting bytecode failed!");
    }
    if (buffer != nullptr) {
        if (size == nullptr || *size < c.output.getPos()) {
            return compileError(log, "Buffer for script data is not big enough");
        }
        std::memcpy(buffer, c.output.bytes(), c.output.getPos());
        *size = c.output.getPos();
    }
    log << "Finished." << '\n';
    log.close();
    if (c.backup) {
        std::ifstream copyFrom("compiler.log");
        std::ofstream copyTo("backup.log", std::ios::trunc);
        std::string line;
        while (std::getline(copyFrom, line)) copyTo << line << '\n';
        copyTo << '\n';
    }
    clearNames();
    return true;
}

}  // namespace

// Whatever goes wrong below (memory running out, say) ends in the log as a
// fatal error instead of ending the mode that called the compiler.
bool compile(std::string source, std::string target, unsigned char* buffer, int* size) {
    std::ofstream log("compiler.log", std::ios::trunc);
    lastCompileFailure = compileFailure{source, 0, ""};
    try {
        return compileFile(log, source, target, buffer, size);
    } catch (const std::exception& e) {
        if (!log.is_open()) log.open("compiler.log", std::ios::app);
        return compileError(log, std::string("Compilation failed: ") + e.what());
    }
}
