// The tool bar's eight images, drawn here: 0 Open, 1 Exit, 2 Reset, 3 Step over, 4 Step over
// Tarnik subroutines, 5 Step, 6 Next line, 7 Run; and the picture of the About box.
#pragma once

#include <QIcon>
#include <QPixmap>

namespace tarnik {

QIcon toolIcon(int index);
QPixmap boardPicture(int size);

} // namespace tarnik
