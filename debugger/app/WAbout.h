// The About box.
#pragma once

#include <QDialog>

namespace tarnik {

class TAboutBox : public QDialog {
public:
    explicit TAboutBox(QWidget* parent = nullptr);
};

} // namespace tarnik
