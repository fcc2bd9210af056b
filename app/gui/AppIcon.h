// Glyphora's application icon for its windows, from the PNG sizes compiled in as resources.
#pragma once

#include <QIcon>
#include <QString>

namespace glyphora {

// The desktop entry's name without ".desktop": how a Wayland desktop matches the window to
// its menu entry and icon.
inline const QString kDesktopFileName = QStringLiteral("com.marrowfield.Glyphora");

// Every size of the icon (16 to 256 pixels) in one QIcon.
QIcon ApplicationIcon();

} // namespace glyphora
