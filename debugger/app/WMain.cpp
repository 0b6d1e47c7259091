#include "WMain.h"

#include "debugger/app/WAbout.h"
#include "debugger/app/WOpis.h"
#include "debugger/app/icons.h"

#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QFontDatabase>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QListWidget>
#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

namespace tarnik {

namespace {

QString text(const std::string& s) {
    return QString::fromUtf8(s.data(), static_cast<int>(s.size()));
}

QFont courier() {
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPixelSize(13);
    font.setBold(true);
    return font;
}

struct ActionDesign {
    const char* name;
    const char* caption; // trailing blanks as designed
    const char* hint;
    const char* shortcut;
    int image;
};

const ActionDesign actionDesigns[] = {
    {"FilOpenAct", "&Open  ", "Otwórz plik", "", 0},
    {"ResetAct", "&Reset", "Reset", "F6", 2},
    {"StepOverAct", "Step &over                ", "Step out                 ", "F8", 3},
    {"StepOverTarnikAct", "Step over Tarnik subroutines     ", "Step over Tarnik subroutines    ",
     "F7", 4},
    {"TraceIntoAct", "&Step", "Krok", "Ctrl+F7", 5},
    {"TraceNextLineAct", "&Next line     ", "Do następnej linii", "Shift+F7", 6},
    {"RunAct", "&Run    ", "Uruchom", "F9", 7},
    {"FilExitAct", "&Exit  ", "Koniec", "", 1},
    {"HlpHlpAct", "&Help         ", "Opis programu", "", -1},
    {"HlpAboutAct", "Ab&out      ", "O programie", "", -1},
};

QListWidget* listIn(QGroupBox* box, const QFont& font) {
    auto* list = new QListWidget(box);
    list->setGeometry(0, 14, box->width(), box->height() - 14);
    list->setFont(font);
    list->setUniformItemSizes(true);
    list->setFocusPolicy(Qt::NoFocus);
    return list;
}

void fill(QListWidget* list, const ListContents& contents) {
    list->setUpdatesEnabled(false); // one repaint for the whole list
    list->clear();
    for (const auto& item : contents.items) {
        auto* row = new QListWidgetItem(text(item), list);
        row->setSizeHint(QSize(0, 16));
    }
    if (contents.selected >= 0 && contents.selected < list->count()) {
        list->setCurrentRow(contents.selected);
    }
    list->setUpdatesEnabled(true);
}

} // namespace

TMainWin::TMainWin(TarnikRS& link, const std::string& commandLineFile, QWidget* parent)
    : QMainWindow(parent), core_(link, *this) {
    setWindowTitle("Tarnik");
    setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint | Qt::WindowTitleHint);
    if (!commandLineFile.empty()) {
        core_.setCommandLineFile(commandLineFile);
    }
    buildActions();
    auto* client = new QWidget(this);
    client->setFixedSize(688, 434);
    setCentralWidget(client);
    buildPanels(client);
    WaitACK = new QTimer(this);
    WaitACK->setInterval(200);
    connect(WaitACK, &QTimer::timeout, this, [this] { core_.waitTick(); });
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    updateActions();
}

QAction* TMainWin::action(const char* name) const {
    return actions_.at(name);
}

void TMainWin::buildActions() {
    for (const auto& d : actionDesigns) {
        auto* a = new QAction(QString::fromUtf8(d.caption), this);
        a->setObjectName(d.name);
        a->setStatusTip(QString::fromUtf8(d.hint));
        a->setToolTip(QString::fromUtf8(d.hint));
        if (d.shortcut[0] != '\0') {
            a->setShortcut(QKeySequence(d.shortcut));
        }
        if (d.image >= 0) {
            a->setIcon(toolIcon(d.image));
        }
        actions_[d.name] = a;
    }
    auto on = [this](const char* name, void (DebuggerCore::*command)()) {
        connect(actions_[name], &QAction::triggered, this, [this, command] { (core_.*command)(); });
    };
    on("FilOpenAct", &DebuggerCore::open);
    on("ResetAct", &DebuggerCore::reset);
    on("StepOverAct", &DebuggerCore::stepOver);
    on("StepOverTarnikAct", &DebuggerCore::stepOverTarnik);
    on("TraceIntoAct", &DebuggerCore::step);
    on("TraceNextLineAct", &DebuggerCore::nextLine);
    on("RunAct", &DebuggerCore::run);
    on("FilExitAct", &DebuggerCore::exit);
    on("HlpHlpAct", &DebuggerCore::help);
    on("HlpAboutAct", &DebuggerCore::about);

    QMenu* file = menuBar()->addMenu("&File");
    file->addAction(actions_["FilOpenAct"]);
    file->addAction(actions_["FilExitAct"]);
    QMenu* run = menuBar()->addMenu("&Run    ");
    for (const char* name : {"ResetAct", "StepOverAct", "StepOverTarnikAct", "TraceIntoAct",
                             "TraceNextLineAct", "RunAct"}) {
        run->addAction(actions_[name]);
    }
    QMenu* help = menuBar()->addMenu("H&elp ");
    help->addAction(actions_["HlpHlpAct"]);
    help->addAction(actions_["HlpAboutAct"]);
}

void TMainWin::buildPanels(QWidget* client) {
    auto* ToolBar = new QToolBar(client);
    ToolBar->setGeometry(0, 0, 688, 29);
    ToolBar->setIconSize(QSize(22, 22));
    ToolBar->addSeparator();
    ToolBar->addAction(actions_["FilOpenAct"]);
    ToolBar->addSeparator();
    for (const char* name :
         {"ResetAct", "StepOverAct", "StepOverTarnikAct", "TraceIntoAct", "TraceNextLineAct"}) {
        ToolBar->addAction(actions_[name]);
    }
    ToolBar->addSeparator();
    ToolBar->addAction(actions_["RunAct"]);
    auto* bevel = new QFrame(client);
    bevel->setFrameStyle(QFrame::HLine | QFrame::Sunken);
    bevel->setGeometry(0, 29, 688, 2);

    auto box = [client](const char* caption, int x, int y, int w, int h) {
        auto* b = new QGroupBox(QString::fromUtf8(caption), client);
        b->setGeometry(x, y, w, h);
        return b;
    };
    QFont fixed = courier();
    ViewDAss = listIn(box(" Program ", 8, 32, 289, 377), fixed);
    ViewDAss->setObjectName("ViewDAss");
    QGroupBox* sfr = box(" SFR ", 304, 32, 377, 89);
    QGroupBox* psw = box(" PSW ", 304, 128, 57, 281);
    ViewStack = listIn(box(" Stack", 368, 128, 73, 281), client->font());
    ViewStack->setObjectName("ViewStack");
    ViewRam = listIn(box(" 8051 RAM ", 448, 128, 233, 281), fixed);
    ViewRam->setObjectName("ViewRam");

    auto valueBox = [this](QWidget* parent, const std::string& name, int x, int y, int w) {
        auto* label = new QLabel(QString::fromStdString(name), parent);
        label->setObjectName(QString::fromStdString("Lab" + name));
        label->setFont(courier());
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        label->setGeometry(x, y, 34, 18);
        auto* value = new QLabel(parent);
        value->setObjectName(QString::fromStdString("Val" + name));
        value->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        value->setAlignment(Qt::AlignCenter);
        value->setGeometry(x + 36, y, w, 18);
        values_[name] = value;
    };
    const int tops[4] = {16, 32, 48, 64};
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 6; ++column) {
            std::string name = sfrGrid[row][column];
            valueBox(sfr, name, 2 + column * 60, tops[row], name == "PC" ? 36 : 20);
        }
    }
    for (int i = 0; i < 8; ++i) {
        valueBox(psw, pswBits[i], 0, 16 + i * 32, 12);
    }
    for (QGroupBox* b : {sfr, psw}) {
        b->setFlat(false);
    }
    auto* StatusBar = new QStatusBar(client);
    StatusBar->setGeometry(0, 415, 688, 19);
    StatusBar->setSizeGripEnabled(false);
}

void TMainWin::updateActions() {
    action("ResetAct")->setEnabled(core_.resetEnabled());
    for (const char* name :
         {"StepOverAct", "StepOverTarnikAct", "TraceIntoAct", "TraceNextLineAct", "RunAct"}) {
        action(name)->setEnabled(core_.traceEnabled());
    }
}

void TMainWin::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!activated_) {
        activated_ = true;
        // The window is drawn before the blocking work of opening the file begins.
        QTimer::singleShot(0, this, [this] {
            repaint();
            core_.activate();
        });
    }
}

void TMainWin::showMessage(const std::string& message, const std::string& caption) {
    messages.push_back(caption + "|" + message);
    if (!messageBoxesEnabled) {
        return;
    }
    QMessageBox box(QMessageBox::NoIcon, text(caption), text(message), QMessageBox::Ok, this);
    box.exec();
}

void TMainWin::showProgram(const ListContents& lines) {
    fill(ViewDAss, lines);
}
void TMainWin::showRam(const ListContents& rows) {
    fill(ViewRam, rows);
}
void TMainWin::showStack(const ListContents& lines) {
    fill(ViewStack, lines);
}

void TMainWin::showRegisters(const RegisterTexts& values) {
    for (const auto& [name, value] : values.values) {
        values_.at(name)->setText(text(value));
    }
}

void TMainWin::setViewsEnabled(bool enabled) {
    for (QWidget* w : {static_cast<QWidget*>(ViewDAss), static_cast<QWidget*>(ViewRam),
                       static_cast<QWidget*>(ViewStack)}) {
        w->setEnabled(enabled);
    }
    for (const auto& [name, box] : values_) {
        box->setEnabled(enabled);
    }
}

void TMainWin::setWaitTimer(bool enabled) {
    if (enabled) {
        WaitACK->start();
    } else {
        WaitACK->stop();
    }
}

std::optional<std::string> TMainWin::chooseHexFile() {
    QFileDialog FilOpenDlg(this);
    FilOpenDlg.setObjectName("FilOpenDlg");
    FilOpenDlg.setFileMode(QFileDialog::ExistingFile);
    FilOpenDlg.setNameFilters({"Hex Files (*.hex)", "All Files (*.*)"});
    if (FilOpenDlg.exec() != QDialog::Accepted || FilOpenDlg.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return FilOpenDlg.selectedFiles().front().toStdString();
}

void TMainWin::showHelp() {
    THelpWin help(this);
    help.exec();
}

void TMainWin::showAbout() {
    TAboutBox about(this);
    about.exec();
}

void TMainWin::closeWindow() {
    close();
}

void TMainWin::stateChanged() {
    updateActions();
}

int runMainWindow(int argc, char** argv, TarnikRS& link, const std::string& file) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Tarnik");
    TMainWin window(link, file);
    window.show();
    window.move(window.screen()->availableGeometry().center() - window.rect().center());
    return QApplication::exec();
}

} // namespace tarnik
