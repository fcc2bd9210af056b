// The program's own icon as the About box shows it.
#pragma once

#include <QPixmap>

namespace glyphora {

// The icon at size x size pixels: a white "G" on a blue rounded square, drawn by our own code.
QPixmap ProgramIcon(int size);

} // namespace glyphora
