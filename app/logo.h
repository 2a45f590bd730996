// The program's logo, drawn in code: the window icon and the picture that opens the About box.
#pragma once

#include <QPixmap>
#include <QSize>

namespace lorvan {

// The logo drawn to fill size.
QPixmap DrawLogo(QSize size);

}  // namespace lorvan
