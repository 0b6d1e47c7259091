// The 8051 code space as the debugger sees it: the user's program below 8000H, the monitor's
// EPROM from 8000H.
#pragma once

#include "debugger/app/program_image.h"
#include "debugger/link/monitor_image.h"

#include <cstdint>

namespace tarnik {

class CodeSpace {
public:
    CodeSpace(const ProgramImage& program, const MonitorImage& monitor)
        : program_(program), monitor_(monitor) {}
    std::uint8_t codeByte(std::uint16_t address) const {
        return address < 0x8000 ? program_.bytes[address] : monitor_.bytes[address - 0x8000U];
    }

private:
    const ProgramImage& program_;
    const MonitorImage& monitor_;
};

} // namespace tarnik
