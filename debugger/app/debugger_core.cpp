#include "debugger_core.h"

namespace tarnik {

const char* const NO_COMMUNICATION = "No communication with Tarnik \n- Connect, \n- Press [RESET "
                                     "ROM] in board,\n- Press 'Reset' button in this app\n";

namespace {
const char* const MAKER_WEB_ADDRESS = "www.tarnik.example";
constexpr int COM1_TO_COM4 = 0x0F;
constexpr std::uint16_t OLDEST_TRACEABLE_MONITOR = 22;
} // namespace

const char* stateName(DebugState state) {
    switch (state) {
    case DebugState::Idle: return "Idle";
    case DebugState::BoardFound: return "BoardFound";
    case DebugState::Stepping: return "Stepping";
    case DebugState::RunningToLine: return "RunningToLine";
    case DebugState::Detached: return "Detached";
    }
    return "";
}

DebuggerCore::DebuggerCore(TarnikRS& link, DebuggerInterface& ui)
    : link_(link), ui_(ui), code_(program_, monitor_), disassembler_(code_),
      sourcer_(disassembler_) {
    sourcer_.rebuild(0);
    stack_.reset();
}

// Every command that talks to the board ends in the one message when the link fails.
template <class Body> void DebuggerCore::guarded(Body body) {
    ++busy_;
    try {
        body();
    } catch (const TarnikCommErr&) {
        reportNoCommunication();
    }
    --busy_;
}

void DebuggerCore::message(const std::string& text, const std::string& caption) {
    ++busy_;
    ui_.showMessage(text, caption);
    --busy_;
}

void DebuggerCore::setState(DebugState state) {
    state_ = state;
    ui_.stateChanged();
}

void DebuggerCore::setWaitTimer(bool enabled) {
    waitTimer_ = enabled;
    ui_.setWaitTimer(enabled);
}

void DebuggerCore::setViewsEnabled(bool enabled) {
    if (viewsEnabled_ == enabled) {
        return;
    }
    viewsEnabled_ = enabled;
    ui_.setViewsEnabled(enabled);
}

void DebuggerCore::activate() {
    if (pendingFile_) {
        std::string path = *pendingFile_;
        pendingFile_.reset();
        openProgram(path);
    }
}

void DebuggerCore::openProgram(const std::string& path) {
    setState(DebugState::Idle);
    ++busy_;
    int code = loadHexFile(path, program_, ui_);
    --busy_;
    if (code != HexOk) {
        return;
    }
    sourcer_.rebuild(link_.pc);
    setState(DebugState::Detached);
    setViewsEnabled(false);
    showProgram();
    guarded([this] {
        if (connectAndLoad()) {
            refreshAll();
        }
    });
}

void DebuggerCore::open() {
    if (std::optional<std::string> path = ui_.chooseHexFile()) {
        openProgram(*path);
    }
}

bool DebuggerCore::connectAndLoad() {
    if (link_.portNumber() != 0) {
        return loadProgram();
    }
    return identifyBoard() && loadProgram();
}

bool DebuggerCore::identifyBoard() {
    if (link_.findBoard(COM1_TO_COM4) == 0) {
        reportNoCommunication();
        return false;
    }
    link_.quitToMonitor();
    BoardId id = link_.queryVersion();
    setState(DebugState::BoardFound);
    if (id.version < OLDEST_TRACEABLE_MONITOR) {
        message("Stara wersja EPROMu urządzenia.\nBrak możliwości śledzenia programu.\n",
                " Błąd ! ");
        return false;
    }
    if (!selectMonitorImage(monitor_, id.model, id.version)) {
        message(std::string("\nNieznane urządzenie rodziny Tarnik.\nUaktualnij wersję programu "
                            "tarnik.exe.\n\n     Patrz   ") +
                    MAKER_WEB_ADDRESS + "\n",
                " Błąd ! ");
        return false;
    }
    return true;
}

bool DebuggerCore::loadProgram() {
    link_.quitToMonitor();
    link_.download(program_.bytes, program_.loadedFirst, program_.loadedLast);
    link_.startStepping();
    link_.readState();
    sourcer_.rebuild(0x0000);
    stack_.reset();
    setState(DebugState::Stepping);
    return true;
}

void DebuggerCore::refreshAll() {
    link_.readRegisters();
    link_.readRam();
    setViewsEnabled(true);
    showProgram();
    showRam();
    showRegisters();
    showStack();
}

bool DebuggerCore::checkControl() {
    if (link_.queryMode() == 'M') {
        return true;
    }
    message("Reset programu", " Błąd ! ");
    reset();
    return false;
}

void DebuggerCore::reportNoCommunication() {
    message(NO_COMMUNICATION, " Error! ");
    setState(DebugState::Detached);
    setViewsEnabled(false);
}

void DebuggerCore::reset() {
    sourcer_.rebuild(link_.pc);
    setViewsEnabled(false);
    showProgram();
    guarded([this] {
        if (connectAndLoad()) {
            refreshAll();
        }
    });
}

void DebuggerCore::step() {
    guarded([this] {
        if (checkControl()) {
            link_.step();
            refreshAll();
        }
    });
}

void DebuggerCore::stepOver() {
    if (sourcer_.currentLine().isCall) {
        nextLine();
    } else {
        step();
    }
}

void DebuggerCore::stepOverTarnik() {
    const DisasmLine& line = sourcer_.currentLine();
    if (line.isCall && line.callTarget >= 0x8000) {
        nextLine();
    } else {
        step();
    }
}

void DebuggerCore::nextLine() {
    guarded([this] {
        if (!checkControl()) {
            return;
        }
        const DisasmLine& line = sourcer_.currentLine();
        link_.runTo(static_cast<std::uint16_t>(line.address + line.length));
        std::uint8_t done = 0;
        if (link_.read(1, &done) == 1) {
            link_.readState();
            refreshAll();
        } else {
            setWaitTimer(true);
            setViewsEnabled(false);
            setState(DebugState::RunningToLine);
        }
    });
}

void DebuggerCore::waitTick() {
    if (busy_ != 0 || !waitTimer_) {
        return; // a tick that falls due inside a command or a message box waits for the next
    }
    guarded([this] {
        std::uint8_t done = 0;
        if (link_.read(1, &done) == 1) {
            link_.readState();
            refreshAll();
            setState(DebugState::Stepping);
            setWaitTimer(false);
        }
    });
}

void DebuggerCore::run() {
    guarded([this] {
        if (!checkControl()) {
            return;
        }
        if (link_.pc != 0x0000) {
            // From step mode the acknowledgement may never come; that is no failure.
            try {
                link_.runFree();
            } catch (const TarnikCommErr&) {
            }
        } else {
            link_.quitToMonitor();
            link_.runFree();
        }
        setState(DebugState::Detached);
        setViewsEnabled(false);
    });
}

void DebuggerCore::showProgram() {
    sourcer_.follow(link_.pc);
    ui_.showProgram(programContents(sourcer_));
}

void DebuggerCore::showRam() {
    ui_.showRam(ramContents(link_.ram, link_.registers[REG_PSW]));
}

void DebuggerCore::showRegisters() {
    ui_.showRegisters(registerContents(link_));
}

void DebuggerCore::showStack() {
    int sp = link_.registers[REG_SP];
    bool changed = stack_.followSp(sp);
    ui_.showStack(stackContents(stack_, sp, link_.ram));
    if (changed && sp >= 0x79) {
        std::uint8_t c = stack_.warnCount;
        stack_.warnCount = static_cast<std::uint8_t>(stack_.warnCount + 1);
        if (c == 0) {
            message("Zostało niewiele miejsca na stosie.\n\nPracujący w systemie Tarnik program "
                    "monitora\nwymaga 4 bajtów powyżej wskaźnika stosu.\n\nGdy tych bajtów "
                    "zabraknie, dalsze działanie\nsystemu może być nieokreślone.\n\n",
                    " Uwaga ! ");
        }
    }
}

} // namespace tarnik
