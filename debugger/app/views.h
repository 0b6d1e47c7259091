// The contents of the five panels: the program window that follows the PC, the RAM rows, the
// register value texts and the stack window. No toolkit: the window and the console show them.
#pragma once

#include "debugger/disasm/disassembler.h"
#include "debugger/link/tarnik_rs.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace tarnik {

// 22 disassembled lines round the program counter; scrolling rotates the references.
class Sourcer {
public:
    static constexpr int LINES = 22;

    explicit Sourcer(Disassembler& disassembler);
    void rebuild(std::uint16_t address);
    void scrollOne();
    void follow(std::uint16_t pc);

    int current() const { return current_; }
    int count() const { return LINES; }
    const DisasmLine& line(int i) const { return *lines_[static_cast<std::size_t>(i)]; }
    const DisasmLine& currentLine() const { return line(current_); }

private:
    Disassembler& disassembler_;
    std::array<DisasmLine, LINES> records_{};
    std::array<DisasmLine*, LINES> lines_{};
    int current_ = 0;
};

// The stack panel's scrolling state.
struct StackWindow {
    int rows = 16;
    int lastSp = 7;
    int spLine = 14;
    std::uint8_t warnCount = 0;

    void reset();
    // Moves the window for the new SP; false when SP did not change.
    bool followSp(int sp);
};

struct ListContents {
    std::vector<std::string> items;
    int selected = -1;
};

ListContents programContents(const Sourcer& sourcer);
// 16 rows of 8 bytes; the row of the current register bank is selected.
ListContents ramContents(const std::array<std::uint8_t, 128>& ram, std::uint8_t psw);
// The 16 stack lines for the window as it stands (followSp already applied).
ListContents stackContents(const StackWindow& window, int sp,
                           const std::array<std::uint8_t, 128>& ram);

// The value boxes of the SFR and PSW panels, by the names of their labels.
struct RegisterTexts {
    std::vector<std::pair<std::string, std::string>> values;
    const std::string& operator[](const std::string& name) const;
};
RegisterTexts registerContents(const TarnikRS& link);

// The order of the SFR grid, row by row, and of the PSW column.
extern const char* const sfrGrid[4][6];
extern const char* const pswBits[8];

} // namespace tarnik
