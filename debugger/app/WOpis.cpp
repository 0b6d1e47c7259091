#include "WOpis.h"

#include "debugger/app/help_text.h"

#include <QPlainTextEdit>

namespace tarnik {

THelpWin::THelpWin(QWidget* parent) : QDialog(parent) {
    setWindowTitle("Help         ");
    setFixedSize(688, 453);
    auto* Opis = new QPlainTextEdit(this);
    Opis->setObjectName("Opis");
    Opis->setGeometry(0, 0, 688, 453);
    Opis->setReadOnly(true);
    Opis->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QFont font = Opis->font();
    font.setPixelSize(13);
    Opis->setFont(font);
    Opis->setPlainText(QString::fromUtf8(HELP_TEXT));
}

} // namespace tarnik
