// The help window: a fixed Polish description of the program.
#pragma once

#include <QDialog>

namespace tarnik {

class THelpWin : public QDialog {
public:
    explicit THelpWin(QWidget* parent = nullptr);
};

} // namespace tarnik
