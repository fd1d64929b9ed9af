#include "skin/icons.h"

#include <QFile>
#include <QPainter>
#include <QPixmap>

QIcon SkinIcon(const QString& name)
{
    const QString path = QStringLiteral(":/icons/") + name + QStringLiteral(".png");
    if (QFile::exists(path))
        return QIcon(path);
    // Placeholder until the icon is listed: the name's first letter on a grey tile.
    QPixmap pixmap(22, 22);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setBrush(QColor(0x90, 0x90, 0x90));
    painter.setPen(Qt::NoPen);
    painter.drawRoundedRect(QRectF(1, 1, 20, 20), 4, 4);
    painter.setPen(Qt::black);
    painter.drawText(pixmap.rect(), Qt::AlignCenter, name.isEmpty() ? QStringLiteral("?") : name.left(1).toUpper());
    return QIcon(pixmap);
}
