// The MCS-51 mnemonics, in the order they enter the mnemonic table.
#pragma once

#include <span>

namespace tasm {

class Mnemonik;

std::span<Mnemonik* const> mnemonicTable();

} // namespace tasm
