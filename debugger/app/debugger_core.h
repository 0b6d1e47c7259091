// The debugger's state and commands, behind an abstract user interface: the Qt window, the
// console and the tests each implement it.
#pragma once

#include "debugger/app/code_space.h"
#include "debugger/app/program_image.h"
#include "debugger/app/user_messages.h"
#include "debugger/app/views.h"
#include "debugger/disasm/disassembler.h"
#include "debugger/link/monitor_image.h"
#include "debugger/link/tarnik_rs.h"

#include <cstdint>
#include <optional>
#include <string>

namespace tarnik {

enum class DebugState : std::uint8_t { Idle, BoardFound, Stepping, RunningToLine, Detached };

const char* stateName(DebugState state);

class DebuggerInterface : public UserMessages {
public:
    virtual void showProgram(const ListContents& lines) = 0;
    virtual void showRam(const ListContents& rows) = 0;
    virtual void showRegisters(const RegisterTexts& values) = 0;
    virtual void showStack(const ListContents& lines) = 0;
    virtual void setViewsEnabled(bool enabled) = 0;
    virtual void setWaitTimer(bool enabled) = 0;
    // The open dialog with the filter of HEX files; none when cancelled.
    virtual std::optional<std::string> chooseHexFile() = 0;
    virtual void showHelp() = 0;
    virtual void showAbout() = 0;
    virtual void closeWindow() = 0;
    // After every change of state: the window enables its actions anew.
    virtual void stateChanged() = 0;
};

extern const char* const NO_COMMUNICATION;

class DebuggerCore {
public:
    DebuggerCore(TarnikRS& link, DebuggerInterface& ui);

    // The window was activated; the first time it opens the command line's file.
    void activate();
    void setCommandLineFile(std::string path) { pendingFile_ = std::move(path); }

    void openProgram(const std::string& path);
    void open();
    void reset();
    void step();
    void stepOver();
    void stepOverTarnik();
    void nextLine();
    void waitTick();
    void run();
    void exit() { ui_.closeWindow(); }
    void help() { ui_.showHelp(); }
    void about() { ui_.showAbout(); }

    bool resetEnabled() const { return state_ != DebugState::Idle; }
    bool traceEnabled() const { return state_ == DebugState::Stepping; }
    DebugState state() const { return state_; }
    bool waitTimerEnabled() const { return waitTimer_; }
    bool viewsEnabled() const { return viewsEnabled_; }
    const Sourcer& sourcer() const { return sourcer_; }
    const ProgramImage& program() const { return program_; }
    const MonitorImage& monitor() const { return monitor_; }
    const StackWindow& stackWindow() const { return stack_; }

    // Redraws (the window repaints its panels from the link's copies).
    void showProgram();
    void showRam();
    void showRegisters();
    void showStack();

private:
    bool connectAndLoad();
    bool identifyBoard();
    bool loadProgram();
    void refreshAll();
    bool checkControl();
    void reportNoCommunication();
    void setViewsEnabled(bool enabled);
    void setState(DebugState state);
    void setWaitTimer(bool enabled);
    void message(const std::string& text, const std::string& caption);
    template <class Body> void guarded(Body body);

    TarnikRS& link_;
    DebuggerInterface& ui_;
    ProgramImage program_;
    MonitorImage monitor_;
    CodeSpace code_;
    Disassembler disassembler_;
    Sourcer sourcer_;
    StackWindow stack_;
    DebugState state_ = DebugState::Idle;
    std::optional<std::string> pendingFile_;
    bool viewsEnabled_ = true;
    bool waitTimer_ = false;
    int busy_ = 0; // a command or message is in progress: timer ticks wait for it
};

} // namespace tarnik
