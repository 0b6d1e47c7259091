#include "WAbout.h"

#include "debugger/app/help_text.h"
#include "debugger/app/icons.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>

namespace tarnik {

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent) {
    setWindowTitle("O programie Tarnik");
    setFixedSize(299, 215);
    auto* frame = new QFrame(this);
    frame->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    frame->setGeometry(8, 8, 283, 161);
    auto* picture = new QLabel(frame);
    picture->setGeometry(8, 8, 80, 80);
    picture->setPixmap(boardPicture(80));
    auto* TarnikLab = new QLabel(QString::fromUtf8(ABOUT_TITLE), frame);
    TarnikLab->setObjectName("TarnikLab");
    QFont big = TarnikLab->font();
    big.setPixelSize(32);
    big.setBold(true);
    TarnikLab->setFont(big);
    TarnikLab->setGeometry(104, 16, 170, 44);
    auto* VerLab = new QLabel(QString::fromUtf8(ABOUT_VERSION), frame);
    VerLab->setObjectName("VerLab");
    VerLab->setGeometry(104, 64, 170, 18);
    auto* CopyLab = new QLabel(QString::fromUtf8(ABOUT_COPYRIGHT), frame);
    CopyLab->setObjectName("CopyLab");
    CopyLab->setGeometry(8, 104, 267, 18);
    auto* WwwLab = new QLabel(QString::fromUtf8(ABOUT_WEB), frame);
    WwwLab->setObjectName("WwwLab");
    WwwLab->setGeometry(8, 128, 267, 18);
    auto* ok = new QPushButton("OK", this);
    ok->setGeometry(112, 178, 75, 27);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

} // namespace tarnik
