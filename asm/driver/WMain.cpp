#include "WMain.h"

#include "asm/driver/run.h"

#include <QApplication>
#include <QFileDialog>
#include <QPaintEvent>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTimer>

namespace tasm {

namespace {

class MemoReport : public ReportSink {
public:
    explicit MemoReport(QPlainTextEdit* memo) : memo_(memo) {}
    void addLine(const std::string& text) override {
        memo_->appendPlainText(QString::fromLocal8Bit(text.data(), static_cast<int>(text.size())));
    }
    void appendToLastLine(const std::string& text) override {
        QTextCursor cursor(memo_->document());
        cursor.movePosition(QTextCursor::End);
        cursor.insertText(QString::fromLocal8Bit(text.data(), static_cast<int>(text.size())));
    }

private:
    QPlainTextEdit* memo_;
};

} // namespace

TMainWin::TMainWin(QString sourceName, QWidget* parent)
    : QWidget(parent), RapWin(new QPlainTextEdit(this)), commandLineSource_(std::move(sourceName)) {
    setWindowTitle("TarnikAsm v2.1");
    setFixedSize(569, 524);
    RapWin->setObjectName("RapWin");
    RapWin->setGeometry(16, 16, 529, 457);
    RapWin->setReadOnly(true);
    RapWin->setLineWrapMode(QPlainTextEdit::NoWrap);
    RapWin->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    RapWin->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    RapWin->setTabStopDistance(RapWin->fontMetrics().horizontalAdvance(' ') * 8);
    chooseSource = [this] { return showOpenDialog(); };
}

void TMainWin::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
    // Repaints of the memo's own area (text appended, scrolling) are the memo's business, as
    // with a control that has a window of its own; they would otherwise start run after run.
    if (!event->region().subtracted(RapWin->geometry()).isEmpty()) {
        FormPaint();
    }
}

void TMainWin::FormPaint() {
    // The run is posted out of the paint handler; a paint during a run asks for one more after it.
    if (running_) {
        paintedDuringRun_ = true;
        return;
    }
    if (runPosted_) {
        return;
    }
    runPosted_ = true;
    QTimer::singleShot(0, this, [this] {
        runPosted_ = false;
        RunAssembly();
    });
}

std::optional<QString> TMainWin::showOpenDialog() {
    QFileDialog dialog(this);
    dialog.setObjectName("FilOpenDlg");
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters({"Pliki źródłowe (*.asm)", "Wszystkie pliki (*.*)"});
    dialog.setDefaultSuffix("asm");
    dialog.setDirectory(QDir::currentPath());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return dialog.selectedFiles().front();
}

void TMainWin::RunAssembly() {
    running_ = true;
    paintedDuringRun_ = false;
    ++runsStarted_;
    QString source = commandLineSource_;
    if (source.isEmpty()) {
        std::optional<QString> chosen = chooseSource();
        if (!chosen) {
            running_ = false;
            QApplication::exit(0);
            return;
        }
        source = *chosen;
    }
    MemoReport report(RapWin);
    runAssembly(source.toLocal8Bit().toStdString(), report);
    running_ = false;
    if (paintedDuringRun_) {
        FormPaint();
    }
}

int runReportWindow(int argc, char** argv, const char* file) {
    QApplication app(argc, argv);
    TMainWin window(file != nullptr ? QString::fromLocal8Bit(file) : QString());
    window.move(window.screen()->availableGeometry().center() - window.rect().center());
    window.show();
    return QApplication::exec();
}

} // namespace tasm
