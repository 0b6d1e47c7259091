// tarnik --disasm: the program view's lines of a HEX file, printed.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace tarnik {

// arguments: [--monitor MODEL:VERSION] FILE.hex [ADDR [COUNT]]; answers the exit status.
int runDisasmCommand(const std::vector<std::string>& arguments, std::ostream& out,
                     std::ostream& err);

} // namespace tarnik
