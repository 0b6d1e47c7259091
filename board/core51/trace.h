// One line of the core's trace, as other simulators are compared with it:
// PC=XXXX A=XX B=XX PSW=XX SP=XX DPTR=XXXX R0..R7=XXXXXXXXXXXXXXXX IRAM=XXXXXXXX CYC=n
#pragma once

#include "board/core51/cpu51.h"

#include <string>

namespace core51 {

std::string traceLine(const Cpu51& cpu);

} // namespace core51
