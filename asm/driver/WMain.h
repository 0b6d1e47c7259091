// The report window: every paint starts a complete assembly run, whose report it appends.
#pragma once

#include <QWidget>
#include <functional>
#include <optional>

class QPlainTextEdit;

namespace tasm {

class TMainWin : public QWidget {
public:
    // sourceName empty: every run asks with the open dialog; Cancel ends the program.
    explicit TMainWin(QString sourceName, QWidget* parent = nullptr);

    // Replaces the open dialog (tests).
    std::function<std::optional<QString>()> chooseSource;
    int runsStarted() const { return runsStarted_; }
    QPlainTextEdit* report() const { return RapWin; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void FormPaint();
    void RunAssembly();
    std::optional<QString> showOpenDialog();

    QPlainTextEdit* RapWin;
    QString commandLineSource_;
    bool running_ = false;
    bool runPosted_ = false;
    bool paintedDuringRun_ = false;
    int runsStarted_ = 0;
};

// The --gui front end; answers the program's exit status.
int runReportWindow(int argc, char** argv, const char* file);

} // namespace tasm
