// The program's icon, drawn with QPainter so that it needs no picture file.
#include "app/gui/ProgramIcon.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>

namespace glyphora {

QPixmap ProgramIcon(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal inset = size / 16.0;
    const QRectF square(inset, inset, size - 2 * inset, size - 2 * inset);
    QLinearGradient fill(square.topLeft(), square.bottomRight());
    fill.setColorAt(0, QColor(0x3A, 0x7B, 0xD5));
    fill.setColorAt(1, QColor(0x1B, 0x4F, 0x9C));
    QPainterPath body;
    body.addRoundedRect(square, size / 5.0, size / 5.0);
    painter.fillPath(body, fill);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setBold(true);
    font.setPixelSize(qRound(size * 0.66));
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(square, Qt::AlignCenter, QStringLiteral("G"));
    return pixmap;
}

} // namespace glyphora
