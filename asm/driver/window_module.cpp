// The entry point tarnikasm looks up when it loads the report window for --gui.
#include "asm/driver/WMain.h"

extern "C" __attribute__((visibility("default"))) int tarnikasmWindowMain(int argc, char** argv,
                                                                          const char* file) {
    return tasm::runReportWindow(argc, argv, file);
}
