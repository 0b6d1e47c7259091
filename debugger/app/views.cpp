#include "views.h"

#include <cstdio>

namespace tarnik {

const char* const sfrGrid[4][6] = {
    {"ACC", "R0", "R4", "P1", "IE", "TMOD"},
    {"B", "R1", "R5", "P2", "IP", "TCON"},
    {"DPH", "R2", "R6", "P3", "TH0", "PCON"},
    {"DPL", "R3", "R7", "SP", "TL0", "PC"},
};
const char* const pswBits[8] = {"CY", "AC", "F0", "RS1", "RS0", "OV", "F1", "P"};

Sourcer::Sourcer(Disassembler& disassembler) : disassembler_(disassembler) {
    for (std::size_t i = 0; i < records_.size(); ++i) {
        lines_[i] = &records_[i];
    }
}

void Sourcer::rebuild(std::uint16_t address) {
    for (DisasmLine* line : lines_) {
        address = disassembler_.disassembleLine(*line, address);
    }
    current_ = 0;
}

void Sourcer::scrollOne() {
    DisasmLine* first = lines_[0];
    for (int i = 0; i + 1 < LINES; ++i) {
        lines_[static_cast<std::size_t>(i)] = lines_[static_cast<std::size_t>(i + 1)];
    }
    lines_[LINES - 1] = first;
    const DisasmLine& before = *lines_[LINES - 2];
    disassembler_.disassembleLine(*first,
                                  static_cast<std::uint16_t>(before.address + before.length));
    --current_;
}

void Sourcer::follow(std::uint16_t pc) {
    if (current_ + 1 < LINES && pc == line(current_ + 1).address) {
        ++current_;
        if (LINES - current_ < 3) {
            scrollOne();
        }
        return;
    }
    for (int i = 0; i < LINES; ++i) {
        if (line(i).address == pc) {
            current_ = i;
            for (int n = 0; n < 2 && LINES - current_ < 3 && current_ > 0; ++n) {
                scrollOne();
            }
            return;
        }
    }
    rebuild(pc);
}

void StackWindow::reset() {
    lastSp = 7;
    spLine = rows - 2;
    warnCount = 0;
}

bool StackWindow::followSp(int sp) {
    int diff = sp - lastSp;
    if (diff == 0) {
        return false;
    }
    if (diff >= 10 || diff <= -10) {
        spLine = sp >= 1 ? rows - 2 : rows - 1 - sp;
        if (sp + spLine > 255) {
            spLine = 255 - sp;
        }
    } else {
        spLine -= diff;
        spLine = spLine > rows - 1 ? rows - 1 : spLine < 0 ? 0 : spLine;
    }
    lastSp = sp;
    return true;
}

namespace {
std::string hex2(unsigned v) {
    char text[4];
    std::snprintf(text, sizeof text, "%2.2X", v & 0xFF);
    return text;
}
} // namespace

ListContents programContents(const Sourcer& sourcer) {
    ListContents c;
    for (int i = 0; i < sourcer.count(); ++i) {
        c.items.emplace_back(sourcer.line(i).text);
    }
    c.selected = sourcer.current();
    return c;
}

ListContents ramContents(const std::array<std::uint8_t, 128>& ram, std::uint8_t psw) {
    ListContents c;
    for (unsigned r = 0; r < 16; ++r) {
        std::string row = hex2(8 * r) + ":";
        for (unsigned j = 0; j < 8; ++j) {
            row += " " + hex2(ram[8 * r + j]);
        }
        c.items.push_back(row);
    }
    c.selected = (psw >> 3) & 3;
    return c;
}

ListContents stackContents(const StackWindow& window, int sp,
                           const std::array<std::uint8_t, 128>& ram) {
    ListContents c;
    for (int i = 0; i < window.rows; ++i) {
        int a = sp + window.spLine - i;
        std::string line = i == window.spLine ? "> " : "  ";
        line += hex2(static_cast<unsigned>(a)) + ":";
        // The four bytes above SP belong to the monitor's step handler.
        bool masked = a < 0 || a >= 0x80 || (a > sp && a <= sp + 4);
        line += masked ? "XX" : hex2(ram[static_cast<std::size_t>(a)]);
        c.items.push_back(line);
    }
    c.selected = window.spLine;
    return c;
}

const std::string& RegisterTexts::operator[](const std::string& name) const {
    static const std::string none;
    for (const auto& [label, value] : values) {
        if (label == name) {
            return value;
        }
    }
    return none;
}

RegisterTexts registerContents(const TarnikRS& link) {
    RegisterTexts t;
    const auto& r = link.registers;
    const std::pair<const char*, int> sfrs[] = {
        {"ACC", REG_ACC},   {"B", REG_B},       {"DPH", REG_DPH},   {"DPL", REG_DPL},
        {"P1", REG_P1},     {"P2", REG_P2},     {"P3", REG_P3},     {"SP", REG_SP},
        {"IE", REG_IE},     {"IP", REG_IP},     {"TH0", REG_TH0},   {"TL0", REG_TL0},
        {"TMOD", REG_TMOD}, {"TCON", REG_TCON}, {"PCON", REG_PCON},
    };
    for (const auto& [name, index] : sfrs) {
        t.values.emplace_back(name, hex2(r[static_cast<std::size_t>(index)]));
    }
    std::uint8_t psw = r[REG_PSW];
    for (int n = 0; n < 8; ++n) {
        t.values.emplace_back("R" + std::to_string(n),
                              hex2(link.ram[static_cast<std::size_t>((psw & 0x18) + n)]));
    }
    char pc[8];
    std::snprintf(pc, sizeof pc, "%4.4X", link.pc);
    t.values.emplace_back("PC", pc);
    for (int n = 0; n < 8; ++n) {
        t.values.emplace_back(pswBits[n], ((psw >> (7 - n)) & 1) != 0 ? "1" : "0");
    }
    return t;
}

} // namespace tarnik
