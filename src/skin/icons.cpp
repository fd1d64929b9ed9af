#include "skin/icons.h"

#include <QFile>
#include <QHash>
#include <QPainter>
#include <QPixmap>

// The rendered icons live in a resource file linked into this static library;
// registering it here pulls it into every program that asks for an icon.
static void RegisterIconResources()
{
    static const bool registered = [] {
        Q_INIT_RESOURCE(skin_icons);
        return true;
    }();
    (void)registered;
}

namespace {

QString IconPath(const QString& name, bool twice)
{
    return (twice ? QStringLiteral(":/icons/2x/") : QStringLiteral(":/icons/")) + name + QStringLiteral(".png");
}

bool ValidName(const QString& name)
{
    return !name.isEmpty() && !name.contains(QLatin1Char('/')) && name != QLatin1String("index.txt");
}

// The name's first letter on a grey tile: plainly a stand-in, never blank.
QIcon Placeholder(const QString& name)
{
    QIcon icon;
    for (int size : {22, 44}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setBrush(QColor(0x90, 0x90, 0x90));
        painter.setPen(Qt::NoPen);
        const qreal k = size / 22.0;
        painter.drawRoundedRect(QRectF(1 * k, 1 * k, 20 * k, 20 * k), 4 * k, 4 * k);
        QFont font = painter.font();
        font.setPixelSize(int(13 * k));
        font.setBold(true);
        painter.setFont(font);
        painter.setPen(Qt::black);
        painter.drawText(pixmap.rect(), Qt::AlignCenter, name.isEmpty() ? QStringLiteral("?") : name.left(1).toUpper());
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

}  // namespace

bool SkinIconExists(const QString& name)
{
    RegisterIconResources();
    return ValidName(name) && QFile::exists(IconPath(name, false));
}

QIcon SkinIcon(const QString& name)
{
    static QHash<QString, QIcon> cache;
    const auto found = cache.constFind(name);
    if (found != cache.constEnd())
        return *found;
    QIcon icon;
    if (SkinIconExists(name)) {
        icon.addFile(IconPath(name, false), QSize(22, 22));
        icon.addFile(IconPath(name, true), QSize(44, 44));
    } else {
        icon = Placeholder(name);
    }
    cache.insert(name, icon);
    return icon;
}

std::vector<QString> SkinIconNames()
{
    RegisterIconResources();
    std::vector<QString> names;
    QFile index(QStringLiteral(":/icons/index.txt"));
    if (!index.open(QIODevice::ReadOnly | QIODevice::Text))
        return names;
    for (const QByteArray& line : index.readAll().split('\n')) {
        const QString name = QString::fromUtf8(line).trimmed();
        if (!name.isEmpty())
            names.push_back(name);
    }
    return names;
}

QIcon ProgramIcon()
{
    RegisterIconResources();
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        const QString path = QStringLiteral(":/icons/program/%1.png").arg(size);
        if (QFile::exists(path))
            icon.addFile(path, QSize(size, size));
    }
    return icon.isNull() ? SkinIcon(QStringLiteral("zarn-program")) : icon;
}
