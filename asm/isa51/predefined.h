// The names a program may use without defining them, in their order of insertion.
#pragma once

#include "asm/symbols/symbol_table.h"

#include <cstdint>
#include <span>

namespace tasm {

struct PredefinedSymbol {
    const char* name;
    std::uint16_t value;
    SymKind kind;
};

std::span<const PredefinedSymbol> boardSymbols(); // peripheral selects, LCD, monitor routines
std::span<const PredefinedSymbol> sfrSymbols();   // the 21 SFRs of the 8051
std::span<const PredefinedSymbol> bitSymbols();   // the 42 named bits

} // namespace tasm
