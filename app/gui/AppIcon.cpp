// The application icon: the resources under :/icons are the renderings of our SVG at the
// hicolor sizes, so Qt picks the sharpest one for each place the icon is shown.
#include "app/gui/AppIcon.h"

#include <QDirIterator>

namespace glyphora {

QIcon ApplicationIcon()
{
    QIcon icon;
    QDirIterator it(QStringLiteral(":/icons"), {QStringLiteral("glyphora-*.png")}, QDir::Files);
    while (it.hasNext())
        icon.addFile(it.next());
    return icon;
}

} // namespace glyphora
