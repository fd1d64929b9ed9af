#include "skin/art/extra_recipes.h"

#include <QPainter>
#include <QPainterPath>

namespace {

constexpr QRgb kMagenta = qRgb(255, 0, 255);

// Paints on a transparent canvas, then flattens: untouched pixels become the
// key colour, drawn ones are laid over `back` and never equal the key.
template <typename Recipe>
QImage Paint(const ThemePictureEntry& entry, const QColor& back, Recipe recipe)
{
    QImage art(entry.size, QImage::Format_ARGB32_Premultiplied);
    art.fill(Qt::transparent);
    {
        QPainter p(&art);
        p.setRenderHint(QPainter::Antialiasing);
        recipe(p, QSizeF(entry.size));
    }
    const bool keyed = entry.key == PictureKey::TopLeftMagenta;
    QImage out(entry.size, QImage::Format_RGB32);
    const QRgb bg = back.rgb();
    for (int y = 0; y < art.height(); ++y) {
        for (int x = 0; x < art.width(); ++x) {
            const QRgb s = art.pixel(x, y);
            const int a = qAlpha(s);
            if (a < 40 && keyed) {
                out.setPixel(x, y, kMagenta);
                continue;
            }
            auto over = [a](int src, int dst) { return std::min(255, src + dst * (255 - a) / 255); };
            QRgb c = qRgb(over(qRed(s), qRed(bg)), over(qGreen(s), qGreen(bg)), over(qBlue(s), qBlue(bg)));
            if (c == kMagenta)
                c = qRgb(255, 0, 254);
            out.setPixel(x, y, c);
        }
    }
    if (keyed)
        out.setPixel(0, 0, kMagenta);
    return out;
}

// Marks drawn as shapes: the generator runs without any font.
void Mark(QPainter& p, const QRectF& r, const QString& kind, const QColor& colour)
{
    const qreal cx = r.center().x();
    const qreal w = r.width();
    const qreal h = r.height();
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    if (kind == QLatin1String("WARNING")) {
        p.drawRoundedRect(QRectF(cx - w * 0.06, r.top() + h * 0.30, w * 0.12, h * 0.36), 1.5, 1.5);
        p.drawEllipse(QPointF(cx, r.top() + h * 0.80), w * 0.07, w * 0.07);
    } else if (kind == QLatin1String("ERROR")) {
        QPen pen(colour, w * 0.13, Qt::SolidLine, Qt::RoundCap);
        p.setPen(pen);
        const qreal d = w * 0.2;
        p.drawLine(QPointF(cx - d, r.center().y() - d), QPointF(cx + d, r.center().y() + d));
        p.drawLine(QPointF(cx - d, r.center().y() + d), QPointF(cx + d, r.center().y() - d));
    } else if (kind == QLatin1String("INFORMATION")) {
        p.drawEllipse(QPointF(cx, r.top() + h * 0.27), w * 0.08, w * 0.08);
        p.drawRoundedRect(QRectF(cx - w * 0.07, r.top() + h * 0.42, w * 0.14, h * 0.38), 1.5, 1.5);
    } else {
        QPen pen(colour, w * 0.11, Qt::SolidLine, Qt::RoundCap);
        p.setPen(pen);
        p.setBrush(Qt::NoBrush);
        QPainterPath q;
        const QRectF arc(cx - w * 0.17, r.top() + h * 0.2, w * 0.34, h * 0.3);
        q.arcMoveTo(arc, 160);
        q.arcTo(arc, 160, -250);
        q.lineTo(cx, r.top() + h * 0.64);
        p.drawPath(q);
        p.setPen(Qt::NoPen);
        p.setBrush(colour);
        p.drawEllipse(QPointF(cx, r.top() + h * 0.8), w * 0.07, w * 0.07);
    }
}

// A capital T of stroke `t` in the box.
void LetterT(QPainter& p, const QRectF& box, qreal t, const QColor& colour)
{
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawRect(QRectF(box.left(), box.top(), box.width(), t));
    p.drawRect(QRectF(box.center().x() - t / 2, box.top(), t, box.height()));
}

QImage MessageIcon(const ThemePictureEntry& entry, const QString& kind)
{
    const QColor white(255, 255, 255);
    return Paint(entry, white, [&](QPainter& p, const QSizeF& s) {
        const QRectF r(1, 1, s.width() - 2, s.height() - 2);
        if (kind == QLatin1String("WARNING")) {
            QPainterPath tri;
            tri.moveTo(r.center().x(), r.top());
            tri.lineTo(r.right(), r.bottom() - 1);
            tri.lineTo(r.left(), r.bottom() - 1);
            tri.closeSubpath();
            p.setPen(QPen(QColor(120, 80, 0), 1.5));
            p.setBrush(QColor(250, 200, 30));
            p.drawPath(tri);
            Mark(p, r.adjusted(0, 3, 0, 0), kind, QColor(20, 20, 20));
            return;
        }
        QColor fill = QColor(200, 30, 30);
        if (kind == QLatin1String("INFORMATION"))
            fill = QColor(30, 90, 200);
        else if (kind == QLatin1String("QUESTION"))
            fill = QColor(40, 120, 200);
        QRadialGradient g(r.center() - QPointF(5, 5), r.width() * 0.7);
        g.setColorAt(0, fill.lighter(150));
        g.setColorAt(1, fill);
        p.setPen(QPen(fill.darker(160), 1.5));
        p.setBrush(g);
        p.drawEllipse(r);
        Mark(p, r, kind, white);
    });
}

QImage FontMark(const ThemePictureEntry& entry, bool trueType)
{
    return Paint(entry, QColor(255, 255, 255), [&](QPainter& p, const QSizeF& s) {
        if (trueType) {
            LetterT(p, QRectF(1, 1, 8, 8), 2, QColor(110, 110, 110));
            LetterT(p, QRectF(6, 3, 8, 8), 2, QColor(20, 60, 180));
        } else {
            p.setPen(QPen(QColor(60, 60, 60), 1));
            p.setBrush(QColor(220, 220, 220));
            // A printer: the device a device font belongs to.
            p.drawRect(QRectF(2.5, 4.5, s.width() - 5, s.height() - 8));
            p.setBrush(QColor(255, 255, 255));
            p.drawRect(QRectF(4.5, 1.5, s.width() - 9, 3));
            p.drawRect(QRectF(4.5, s.height() - 4.5, s.width() - 9, 3));
        }
    });
}

QImage Pin(const ThemePictureEntry& entry, bool down)
{
    return Paint(entry, QColor(255, 255, 255), [&](QPainter& p, const QSizeF& s) {
        p.setPen(QPen(QColor(40, 40, 40), 1.2));
        p.setBrush(QColor(200, 40, 40));
        if (down) {
            // The pin pushed in, seen from above.
            const QPointF c(s.width() / 2, s.height() / 2);
            p.drawEllipse(c, 4.5, 4.5);
            p.setBrush(QColor(250, 220, 220));
            p.drawEllipse(c, 1.5, 1.5);
        } else {
            // The pin lying on its side, pointing left.
            const qreal y = s.height() / 2;
            p.drawLine(QPointF(1.5, y), QPointF(7, y));
            p.drawRect(QRectF(7, y - 2.5, 5, 5));
            p.drawRect(QRectF(12, y - 4.5, 2, 9));
        }
    });
}

QImage SideBar(const ThemePictureEntry& entry, bool hot)
{
    const QColor base = hot ? QColor(120, 160, 225) : QColor(170, 180, 200);
    return Paint(entry, base, [&](QPainter& p, const QSizeF& s) {
        QLinearGradient g(0, 0, s.width(), 0);
        g.setColorAt(0, base.lighter(125));
        g.setColorAt(1, base.darker(115));
        p.fillRect(QRectF(0, 0, s.width(), s.height()), g);
        p.setPen(base.darker(150));
        p.drawRect(QRectF(0.5, 0.5, s.width() - 1, s.height() - 1));
        // Grip dots and an arrow pointing out of the bar.
        p.setPen(Qt::NoPen);
        p.setBrush(base.darker(180));
        const qreal cx = s.width() / 2;
        for (int i = -2; i <= 2; ++i)
            p.drawEllipse(QPointF(cx, s.height() / 2 + i * 6), 1.2, 1.2);
        const QPointF arrow[] = {{cx - 2, 8}, {cx + 2, 12}, {cx - 2, 16}};
        p.drawPolygon(arrow, 3);
    });
}

}  // namespace

QImage PaintExtraPicture(const ThemePictureEntry& entry)
{
    const QString& n = entry.name;
    if (n.startsWith(QLatin1String("MSGDLG_")))
        return MessageIcon(entry, n.mid(7));
    if (n == QLatin1String("FONTCOMBO_TRUETYPE_FNT"))
        return FontMark(entry, true);
    if (n == QLatin1String("FONTCOMBO_DEVICE_FNT"))
        return FontMark(entry, false);
    if (n == QLatin1String("SIDECHANNEL_BTN_NOONTOP"))
        return Pin(entry, false);
    if (n == QLatin1String("SIDECHANNEL_BTN_ONTOP"))
        return Pin(entry, true);
    if (n == QLatin1String("SIDECHANNEL_BAR_NORMAL"))
        return SideBar(entry, false);
    if (n == QLatin1String("SIDECHANNEL_BAR_MOUSEON"))
        return SideBar(entry, true);
    return {};
}
