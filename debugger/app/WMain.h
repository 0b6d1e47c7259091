// The debugger's main window: menu, tool bar, the five panels and the WaitACK timer. A thin
// skin over DebuggerCore.
#pragma once

#include "debugger/app/debugger_core.h"

#include <QMainWindow>
#include <map>
#include <string>

class QAction;
class QLabel;
class QListWidget;
class QTimer;

namespace tarnik {

class TMainWin : public QMainWindow, public DebuggerInterface {
public:
    TMainWin(TarnikRS& link, const std::string& commandLineFile, QWidget* parent = nullptr);

    DebuggerCore& core() { return core_; }
    QAction* action(const char* name) const;
    QListWidget* programView() const { return ViewDAss; }
    QListWidget* ramView() const { return ViewRam; }
    QListWidget* stackView() const { return ViewStack; }
    QLabel* valueBox(const std::string& name) const { return values_.at(name); }
    bool messageBoxesEnabled = true; // tests record messages instead of showing boxes
    std::vector<std::string> messages;

    void showMessage(const std::string& text, const std::string& caption) override;
    void showProgram(const ListContents& lines) override;
    void showRam(const ListContents& rows) override;
    void showRegisters(const RegisterTexts& values) override;
    void showStack(const ListContents& lines) override;
    void setViewsEnabled(bool enabled) override;
    void setWaitTimer(bool enabled) override;
    std::optional<std::string> chooseHexFile() override;
    void showHelp() override;
    void showAbout() override;
    void closeWindow() override;
    void stateChanged() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildActions();
    void buildPanels(QWidget* client);
    void updateActions();

    DebuggerCore core_;
    std::map<std::string, QAction*> actions_;
    std::map<std::string, QLabel*> values_;
    QListWidget* ViewDAss = nullptr;
    QListWidget* ViewRam = nullptr;
    QListWidget* ViewStack = nullptr;
    QTimer* WaitACK = nullptr;
    bool activated_ = false;
};

// The window front end; answers the program's exit status.
int runMainWindow(int argc, char** argv, TarnikRS& link, const std::string& file);

} // namespace tarnik
