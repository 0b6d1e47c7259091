// tarnik --console: the debugger driven by commands on standard input, for terminals,
// scripts and tests. After each command it prints the state and the five panels.
#pragma once

#include "debugger/app/debugger_core.h"

#include <istream>
#include <ostream>
#include <string>

namespace tarnik {

class ConsoleFrontEnd : public DebuggerInterface {
public:
    ConsoleFrontEnd(TarnikRS& link, std::istream& in, std::ostream& out);
    // Runs until quit or the end of the input; answers the exit status.
    int run(const std::string& commandLineFile);

    void showMessage(const std::string& text, const std::string& caption) override;
    void showProgram(const ListContents& lines) override { program_ = lines; }
    void showRam(const ListContents& rows) override { ram_ = rows; }
    void showRegisters(const RegisterTexts& values) override { registers_ = values; }
    void showStack(const ListContents& lines) override { stack_ = lines; }
    void setViewsEnabled(bool enabled) override { viewsEnabled_ = enabled; }
    void setWaitTimer(bool) override {}
    std::optional<std::string> chooseHexFile() override;
    void showHelp() override;
    void showAbout() override;
    void closeWindow() override { quit_ = true; }
    void stateChanged() override {}

private:
    void execute(const std::string& line);
    void printViews();
    void printList(const char* title, const ListContents& list);

    std::istream& in_;
    std::ostream& out_;
    DebuggerCore core_;
    ListContents program_;
    ListContents ram_;
    ListContents stack_;
    RegisterTexts registers_;
    bool viewsEnabled_ = true;
    bool quit_ = false;
    std::string openArgument_;
};

} // namespace tarnik
