// Macros: a named block of stored lines that a call reads again with its arguments substituted.
#pragma once

#include "asm/output/obj_pool.h"
#include "asm/source/source.h"
#include "asm/symbols/symbol_table.h"

#include <string>
#include <vector>

namespace tasm {

struct MacLine {
    const char* text; // kept in the run's pool, so the listing can still show it
    bool hasParam;    // some formal's name occurs in the line as a substring
};

class Macro : public _String, public Source {
public:
    explicit Macro(std::string_view name) : _String(name) {}

    void addFormal(const char* name) { formals.emplace_back(name); }
    void addActual(const char* text) { actuals.emplace_back(text); }
    void appendLine(const char* rawLine, ObjPool& pool);

    bool nextLine(char* buffer, int capacity, LineInfo& info) override;
    void rewind() override;

    std::vector<std::string> formals;
    std::vector<MacLine> bodyLines;
    std::size_t currentLine = 0;
    std::vector<std::string> actuals;
};

// Replaces every whole-word occurrence of name in line by text, searching on after the
// inserted text. Answers false when the result had to be cut to the line's capacity.
bool substitute(std::string& line, const std::string& name, const std::string& text,
                std::size_t capacity);

} // namespace tasm
