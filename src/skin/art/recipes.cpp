// One painter per kind of theme picture. Shapes are drawn antialiased on a
// transparent canvas, then laid over the look's background; pixels the shape
// does not touch at all become the picture's key colour where it has one.

#include "skin/art/recipes.h"

#include "skin/art/extra_recipes.h"

#include "skin/art/art_palette.h"
#include "skin/art/program_emblem.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <algorithm>
#include <cmath>
#include <functional>

namespace {

constexpr QRgb kMagenta = qRgb(255, 0, 255);

enum class State { Normal, Hover, Down, Disabled };

using Recipe = std::function<void(QPainter&, const QSize&)>;

QImage Draw(const QSize& size, const Recipe& recipe)
{
    QImage art(size, QImage::Format_ARGB32_Premultiplied);
    art.fill(Qt::transparent);
    QPainter p(&art);
    p.setRenderHint(QPainter::Antialiasing);
    recipe(p, size);
    return art;
}

// Lays the art over `back`. Untouched pixels become the key colour (magenta or
// white) or `back`; no drawn pixel may come out equal to a key colour.
QImage Finish(const QImage& art, const QColor& back, PictureKey key)
{
    const bool magentaKey = key == PictureKey::MagentaCorners || key == PictureKey::TopLeftMagenta;
    const QRgb bg = back.rgb();
    const QRgb outside = magentaKey ? kMagenta : key == PictureKey::White ? qRgb(255, 255, 255) : bg;
    QImage out(art.size(), QImage::Format_RGB32);
    for (int y = 0; y < art.height(); ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(art.constScanLine(y));
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < art.width(); ++x) {
            const QRgb s = in[x];
            const int a = qAlpha(s);
            if (a == 0) {
                line[x] = outside;
                continue;
            }
            auto over = [a](int src, int dst) { return std::min(255, src + dst * (255 - a) / 255); };
            QRgb c = qRgb(over(qRed(s), qRed(bg)), over(qGreen(s), qGreen(bg)), over(qBlue(s), qBlue(bg)));
            const bool collides = c == kMagenta || (key == PictureKey::TopLeftColor && c == bg && a > 0);
            if (collides)
                c = qRgb(qRed(c), qGreen(c), qBlue(c) > 0 ? qBlue(c) - 1 : 1);
            line[x] = c;
        }
    }
    if (key == PictureKey::TopLeftMagenta && !out.isNull())
        out.setPixel(0, 0, kMagenta);
    if (key == PictureKey::TopLeftColor && !out.isNull())
        out.setPixel(0, 0, bg);
    return out;
}

QLinearGradient Vertical(qreal top, qreal bottom, const QColor& a, const QColor& b)
{
    QLinearGradient g(0, top, 0, bottom);
    g.setColorAt(0, a);
    g.setColorAt(1, b);
    return g;
}

QLinearGradient Horizontal(qreal left, qreal right, const QColor& a, const QColor& b)
{
    QLinearGradient g(left, 0, right, 0);
    g.setColorAt(0, a);
    g.setColorAt(1, b);
    return g;
}

QPainterPath Rounded(const QRectF& r, qreal radius)
{
    QPainterPath path;
    path.addRoundedRect(r, radius, radius);
    return path;
}

QColor WithAlpha(QColor c, int alpha)
{
    c.setAlpha(alpha);
    return c;
}

const QColor kWhite(255, 255, 255);
const QColor kBlack(0, 0, 0);

// --- faces -------------------------------------------------------------------

// A bevelled face: 1-pixel outline, vertical gradient, inner highlight.
void PaintFace(QPainter& p, const QRectF& area, const ArtPalette& pal, State state, qreal radius)
{
    QColor top = pal.faceTop;
    QColor bottom = pal.faceBottom;
    QColor edge = pal.border;
    switch (state) {
    case State::Hover:
        top = Mix(top, pal.hot, 0.06);
        bottom = Mix(bottom, pal.hot, 0.18);
        break;
    case State::Down:
        top = Mix(pal.faceBottom, kBlack, 0.10);
        bottom = Mix(pal.faceTop, pal.faceBottom, 0.35);
        break;
    case State::Disabled:
        top = Mix(pal.faceTop, pal.back, 0.5);
        bottom = Mix(pal.faceBottom, pal.back, 0.6);
        edge = Mix(pal.border, pal.back, 0.6);
        break;
    case State::Normal:
        break;
    }
    const QRectF outer = area.adjusted(0.5, 0.5, -0.5, -0.5);
    p.setPen(Qt::NoPen);
    p.setBrush(Vertical(area.top(), area.bottom(), top, bottom));
    p.drawPath(Rounded(outer, radius));
    if (pal.glossy && state != State::Down) {
        const QRectF gloss(area.left() + 1, area.top() + 1, area.width() - 2, std::floor(area.height() / 2) - 1);
        p.setBrush(Vertical(gloss.top(), gloss.bottom(), WithAlpha(kWhite, 200), WithAlpha(kWhite, 70)));
        p.drawPath(Rounded(gloss, std::max<qreal>(radius - 1, 0)));
    }
    p.setBrush(Qt::NoBrush);
    if (state == State::Down) {
        p.setPen(QPen(WithAlpha(kBlack, 40), 1));
        p.drawLine(QPointF(area.left() + radius, area.top() + 1.5), QPointF(area.right() - radius, area.top() + 1.5));
    } else {
        p.setPen(QPen(WithAlpha(kWhite, 150), 1));
        p.drawPath(Rounded(outer.adjusted(1, 1, -1, -1), std::max<qreal>(radius - 1, 0)));
    }
    if (state == State::Hover) {
        p.setPen(QPen(WithAlpha(pal.hot, 150), 1.2));
        p.drawPath(Rounded(outer.adjusted(1, 1, -1, -1), std::max<qreal>(radius - 1, 0)));
    }
    p.setPen(QPen(state == State::Hover ? Mix(edge, pal.hot, 0.35) : edge, 1));
    p.drawPath(Rounded(outer, radius));
}

void PaintTick(QPainter& p, const QRectF& box, const QColor& colour)
{
    QPainterPath tick;
    tick.moveTo(box.left() + box.width() * 0.22, box.top() + box.height() * 0.52);
    tick.lineTo(box.left() + box.width() * 0.42, box.top() + box.height() * 0.72);
    tick.lineTo(box.left() + box.width() * 0.78, box.top() + box.height() * 0.28);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(colour, std::max<qreal>(1.6, box.width() / 7.0), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(tick);
}

QImage CheckBox(const ThemePictureEntry& entry, const ArtPalette& pal, bool checked, State state)
{
    const QImage art = Draw(entry.size, [&](QPainter& p, const QSize& size) {
        const int side = std::min(size.width(), size.height());
        const QRect box((size.width() - side) / 2, (size.height() - side) / 2, side, side);
        QColor edge = state == State::Disabled ? Mix(pal.border, pal.back, 0.55) : pal.border;
        QColor top = kWhite;
        QColor bottom = Mix(pal.faceBottom, kWhite, 0.35);
        if (state == State::Down) {
            top = Mix(pal.faceBottom, kBlack, 0.08);
            bottom = Mix(pal.faceBottom, kWhite, 0.2);
        } else if (state == State::Disabled) {
            top = bottom = Mix(pal.back, kWhite, 0.4);
        }
        p.setRenderHint(QPainter::Antialiasing, false);
        p.fillRect(box, Vertical(box.top(), box.bottom(), top, bottom));
        if (state == State::Hover) {
            p.setPen(QPen(WithAlpha(pal.hot, 200), 2));
            p.drawRect(QRectF(box).adjusted(1.5, 1.5, -1.5, -1.5));
        }
        p.setPen(edge);
        p.drawRect(box.adjusted(0, 0, -1, -1));
        p.setRenderHint(QPainter::Antialiasing, true);
        if (checked)
            PaintTick(p, QRectF(box).adjusted(1, 1, -1, -1),
                      state == State::Disabled ? Mix(pal.mark, pal.back, 0.6) : pal.mark);
    });
    return Finish(art, pal.back, entry.key);
}

QImage RadioButton(const ThemePictureEntry& entry, const ArtPalette& pal, bool checked, State state)
{
    const QImage art = Draw(entry.size, [&](QPainter& p, const QSize& size) {
        const qreal side = std::min(size.width(), size.height());
        const QRectF disc((size.width() - side) / 2 + 0.5, (size.height() - side) / 2 + 0.5, side - 1, side - 1);
        QColor edge = state == State::Disabled ? Mix(pal.border, pal.back, 0.55) : pal.border;
        QColor top = kWhite;
        QColor bottom = Mix(pal.faceBottom, kWhite, 0.3);
        if (state == State::Down)
            top = Mix(pal.faceBottom, kBlack, 0.08);
        if (state == State::Disabled)
            top = bottom = Mix(pal.back, kWhite, 0.4);
        p.setPen(QPen(state == State::Hover ? Mix(edge, pal.hot, 0.5) : edge, 1));
        p.setBrush(Vertical(disc.top(), disc.bottom(), top, bottom));
        p.drawEllipse(disc);
        if (state == State::Hover) {
            p.setBrush(Qt::NoBrush);
            p.setPen(QPen(WithAlpha(pal.hot, 170), 1.4));
            p.drawEllipse(disc.adjusted(1.3, 1.3, -1.3, -1.3));
        }
        if (checked) {
            const QColor mark = state == State::Disabled ? Mix(pal.mark, pal.back, 0.6) : pal.mark;
            const qreal r = side * 0.2;
            const QPointF c = disc.center();
            QRadialGradient g(c - QPointF(r * 0.4, r * 0.4), r * 1.6);
            g.setColorAt(0, Mix(mark, kWhite, 0.45));
            g.setColorAt(1, mark);
            p.setPen(Qt::NoPen);
            p.setBrush(g);
            p.drawEllipse(c, r, r);
        }
    });
    return Finish(art, pal.back, entry.key);
}

// --- bars and strips -----------------------------------------------------------

QImage ProgressFill(const ThemePictureEntry& entry, const ArtPalette& pal, bool vertical)
{
    const QImage art = Draw(entry.size, [&](QPainter& p, const QSize& size) {
        const qreal across = vertical ? size.width() : size.height();
        QLinearGradient g = vertical ? Horizontal(0, across, {}, {}) : Vertical(0, across, {}, {});
        g.setColorAt(0, Mix(pal.accent, kWhite, 0.6));
        g.setColorAt(0.45, Mix(pal.accent, kWhite, 0.15));
        g.setColorAt(0.55, pal.accent);
        g.setColorAt(1, Mix(pal.accent, kBlack, 0.2));
        p.fillRect(QRect(QPoint(0, 0), size), g);
    });
    return Finish(art, pal.back, entry.key);
}

enum class TitlePart { Left, Client, Right };

void PaintTitleBand(QPainter& p, const QRectF& area, const ArtPalette& pal, int titleHeight)
{
    QLinearGradient g = Vertical(area.top(), area.top() + titleHeight, pal.titleTop, pal.titleBottom);
    if (pal.glossy) {
        g.setColorAt(0.5, Mix(pal.titleTop, pal.titleBottom, 0.35));
        g.setColorAt(0.52, Mix(pal.titleTop, pal.titleBottom, 0.7));
    }
    p.fillRect(area, g);
}

QImage TitleSection(const ThemePictureEntry& entry, TskUIStyle style, const ArtPalette& pal, TitlePart part)
{
    const QImage art = Draw(entry.size, [&](QPainter& p, const QSize& size) {
        p.setRenderHint(QPainter::Antialiasing, false);
        const int w = size.width();
        const int h = size.height();
        PaintTitleBand(p, QRectF(0, 0, w, h), pal, h);
        if (style == TskUIStyle::Ivory && part == TitlePart::Left) {
            // The long left section fades from the accent into the bar colour.
            QLinearGradient fade = Horizontal(0, w, WithAlpha(pal.accent, 190), WithAlpha(pal.accent, 0));
            fade.setColorAt(0.35, WithAlpha(pal.accent, 90));
            p.fillRect(QRect(0, 0, w, h), fade);
        }
        p.fillRect(QRect(0, 1, w, 1), WithAlpha(kWhite, 70));
        p.fillRect(QRect(0, 0, w, 1), Mix(pal.titleTop, kWhite, 0.25));
        p.fillRect(QRect(0, h - 1, w, 1), pal.titleEdge);
        // No edge at the ends: the frame's border draws it, and a caption
        // button over one end would cut it into a stray line.
    });
    return Finish(art, pal.titleBottom, entry.key);
}

enum class Glyph { Close, Max, Min, Help, ControlBox, Restore };

void PaintGlyph(QPainter& p, Glyph glyph, const QRectF& r, const QColor& colour, const ArtPalette& pal)
{
    const qreal s = r.width();
    const qreal m = std::round(s * 0.28);
    const QRectF in = r.adjusted(m, m, -m, -m);
    const qreal pen = std::max<qreal>(1.5, s / 9.0);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(colour, pen, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    switch (glyph) {
    case Glyph::Close:
        p.setPen(QPen(colour, pen * 1.15, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(in.topLeft(), in.bottomRight());
        p.drawLine(in.topRight(), in.bottomLeft());
        break;
    case Glyph::Max:
        p.drawRect(in);
        p.fillRect(QRectF(in.left(), in.top(), in.width(), pen * 1.2), colour);
        break;
    case Glyph::Min:
        p.fillRect(QRectF(in.left(), in.bottom() - pen * 1.2, in.width() * 0.75, pen * 1.4), colour);
        break;
    case Glyph::Restore: {
        const qreal d = std::round(in.width() * 0.32);
        const QRectF back(in.left() + d, in.top(), in.width() - d, in.height() - d);
        const QRectF front(in.left(), in.top() + d, in.width() - d, in.height() - d);
        p.drawRect(back);
        p.setBrush(Qt::NoBrush);
        p.fillRect(front, Qt::transparent);
        p.drawRect(front);
        p.fillRect(QRectF(front.left(), front.top(), front.width(), pen), colour);
        break;
    }
    case Glyph::Help: {
        QPainterPath q;
        const qreal cx = in.center().x();
        q.moveTo(in.left() + in.width() * 0.1, in.top() + in.height() * 0.3);
        q.cubicTo(in.left() + in.width() * 0.1, in.top() - in.height() * 0.05, in.right() - in.width() * 0.05,
                  in.top() - in.height() * 0.05, in.right() - in.width() * 0.1, in.top() + in.height() * 0.3);
        q.cubicTo(in.right() - in.width() * 0.15, in.top() + in.height() * 0.5, cx, in.top() + in.height() * 0.45,
                  cx, in.top() + in.height() * 0.72);
        p.setPen(QPen(colour, pen, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPath(q);
        p.setPen(Qt::NoPen);
        p.setBrush(colour);
        p.drawEllipse(QPointF(cx, in.bottom() + pen * 0.3), pen * 0.75, pen * 0.75);
        break;
    }
    case Glyph::ControlBox: {
        // The program's own mark, as on its windows' icon.
        const qreal side = std::min<qreal>(16, s - 2);
        PaintProgramEmblem(p, QRectF(r.center().x() - side / 2, r.center().y() - side / 2, side, side));
        break;
    }
    }
}

QImage TitleButton(const ThemePictureEntry& entry, TskUIStyle style, const ArtPalette& pal, Glyph glyph, State state)
{
    const bool keyed = entry.key != PictureKey::Opaque;
    // Opaque buttons show the caption bar behind them, as it is where they sit.
    const int titleHeight = ThemePictureInventory().empty() ? 23 : [&] {
        for (const ThemePictureEntry& s : ThemePictureInventory()) {
            if (s.style == style && s.name.endsWith(QLatin1String("_TITLE_CLIENT")))
                return s.size.height();
        }
        return 23;
    }();
    const int top = std::max(0, GetThemeInt(style, 69));
    const QImage art = Draw(entry.size, [&](QPainter& p, const QSize& size) {
        const QRectF area(0, 0, size.width(), size.height());
        if (!keyed) {
            p.save();
            p.translate(0, -top);
            PaintTitleBand(p, QRectF(0, 0, size.width(), titleHeight), pal, titleHeight);
            p.restore();
        }
        const bool light = pal.titleGlyph.lightness() < 128;  // light caption bar, dark symbols
        const bool ownFace = glyph == Glyph::Close && (style == TskUIStyle::Azure || state != State::Normal);
        const bool face = !(glyph == Glyph::ControlBox && state == State::Normal);
        const QRectF shape = area.adjusted(0.5, 0.5, -0.5, -0.5);
        const qreal radius = std::max<qreal>(2, pal.radius);
        if (face) {
            QColor base = ownFace ? pal.closeFace : light ? pal.faceTop : Mix(pal.titleTop, kWhite, 0.25);
            if (state == State::Hover)
                base = Mix(base, kWhite, 0.22);
            if (state == State::Down)
                base = Mix(base, kBlack, 0.25);
            QColor lower = ownFace ? Mix(base, kBlack, 0.25) : light ? pal.faceBottom : Mix(pal.titleBottom, base, 0.3);
            QColor edge = ownFace ? Mix(pal.closeFace, kBlack, 0.45) : light ? pal.border : WithAlpha(kWhite, 170);
            // A light face is already near white: under the mouse it takes the
            // look's hot colour instead of lightening further.
            if (light && !ownFace && state == State::Hover) {
                lower = Mix(pal.faceBottom, pal.hot, 0.3);
                edge = pal.hot;
            }
            if (state == State::Down)
                std::swap(base, lower);
            p.setPen(QPen(edge, 1));
            p.setBrush(Vertical(0, size.height(), base, lower));
            p.drawPath(Rounded(shape, radius));
            if (pal.glossy && state != State::Down) {
                p.setPen(Qt::NoPen);
                p.setBrush(Vertical(1, size.height() / 2.0, WithAlpha(kWhite, 150), WithAlpha(kWhite, 40)));
                p.drawPath(Rounded(QRectF(1.5, 1.5, size.width() - 3, size.height() / 2.0 - 1), radius - 1));
            }
        } else if (keyed) {
            // The emblem alone still needs a body so the key colour stays outside.
            p.setPen(Qt::NoPen);
            p.setBrush(WithAlpha(pal.titleBottom, 255));
            p.drawPath(Rounded(shape, radius));
        }
        const QColor symbol = ownFace ? kWhite : pal.titleGlyph;
        PaintGlyph(p, glyph, area.translated(state == State::Down ? 0.5 : 0, state == State::Down ? 0.5 : 0), symbol,
                   pal);
    });
    return Finish(art, pal.titleBottom, entry.key);
}

// Tab strips: left cap, middle and right cap, each a third of the width.
QImage Tab(const ThemePictureEntry& entry, const ArtPalette& pal, bool active)
{
    const QImage art = Draw(entry.size, [&](QPainter& p, const QSize& size) {
        const int third = size.width() / 3;
        const qreal w = third * 3;
        const qreal h = size.height();
        const qreal radius = std::min<qreal>(3, third);
        QPainterPath shape;
        const QRectF r(0.5, 0.5, w - 1, h + radius);  // open at the bottom
        shape.addRoundedRect(r, radius, radius);
        const QColor top = active ? kWhite : Mix(pal.back, kWhite, 0.35);
        const QColor bottom = active ? pal.back : Mix(pal.back, kBlack, 0.07);
        p.setClipRect(QRectF(0, 0, w, h));
        p.setPen(QPen(active ? pal.border : Mix(pal.border, pal.back, 0.4), 1));
        p.setBrush(Vertical(0, h, top, bottom));
        p.drawPath(shape);
        if (active && h >= 6) {
            p.setPen(Qt::NoPen);
            p.setBrush(pal.hot);
            p.setClipPath(shape);
            p.drawRect(QRectF(0, 0, w, 2.5));
        }
    });
    return Finish(art, pal.back, entry.key);
}

QImage TabLine(const ThemePictureEntry& entry, const ArtPalette& pal)
{
    const QImage art = Draw(entry.size, [&](QPainter& p, const QSize& size) {
        p.setRenderHint(QPainter::Antialiasing, false);
        p.fillRect(QRect(QPoint(0, 0), size), pal.back);
        p.fillRect(QRect(0, 0, size.width(), 1), pal.border);
        if (size.height() > 2)
            p.fillRect(QRect(0, 1, size.width(), 1), kWhite);
    });
    return Finish(art, pal.back, entry.key);
}

QImage TrackGroove(const ThemePictureEntry& entry, const ArtPalette& pal)
{
    const QImage art = Draw(entry.size, [&](QPainter& p, const QSize& size) {
        const qreal h = size.height();
        const QRectF groove(1.5, 0.5, size.width() - 3, h - 1);
        p.setPen(QPen(Mix(pal.border, pal.track, 0.25), 1));
        p.setBrush(Vertical(0, h, Mix(pal.border, pal.track, 0.45), Mix(kWhite, pal.track, 0.3)));
        p.drawPath(Rounded(groove, std::min<qreal>(2, h / 2)));
        if (h >= 6) {
            p.setPen(QPen(WithAlpha(pal.accent, 150), 1));
            p.drawLine(QPointF(4, h / 2), QPointF(size.width() - 4, h / 2));
        }
    });
    return Finish(art, pal.track, entry.key);
}

// A pointed thumb: the point goes down (upright) or right (vertical bars).
QImage TrackThumb(const ThemePictureEntry& entry, const ArtPalette& pal, bool pointsRight)
{
    const QImage art = Draw(entry.size, [&](QPainter& p, const QSize& size) {
        const qreal w = size.width();
        const qreal h = size.height();
        QPainterPath shape;
        if (!pointsRight) {
            const qreal tip = std::round(w / 2);
            shape.moveTo(0.5, 2);
            shape.quadTo(0.5, 0.5, 2, 0.5);
            shape.lineTo(w - 2, 0.5);
            shape.quadTo(w - 0.5, 0.5, w - 0.5, 2);
            shape.lineTo(w - 0.5, h - tip);
            shape.lineTo(w / 2, h - 0.5);
            shape.lineTo(0.5, h - tip);
            shape.closeSubpath();
            p.setBrush(Horizontal(0, w, pal.faceTop, pal.faceBottom));
        } else {
            const qreal tip = std::round(h / 2);
            shape.moveTo(2, 0.5);
            shape.lineTo(w - tip, 0.5);
            shape.lineTo(w - 0.5, h / 2);
            shape.lineTo(w - tip, h - 0.5);
            shape.lineTo(2, h - 0.5);
            shape.quadTo(0.5, h - 0.5, 0.5, h - 2);
            shape.lineTo(0.5, 2);
            shape.quadTo(0.5, 0.5, 2, 0.5);
            shape.closeSubpath();
            p.setBrush(Vertical(0, h, pal.faceTop, pal.faceBottom));
        }
        p.setPen(QPen(pal.border, 1));
        p.drawPath(shape);
        p.setPen(Qt::NoPen);
        p.setBrush(pal.hot);
        p.setClipPath(shape);
        if (!pointsRight)
            p.drawRect(QRectF(1, 1, w - 2, 2));
        else
            p.drawRect(QRectF(1, 1, 2, h - 2));
    });
    return Finish(art, pal.track, entry.key);
}

QImage ScrollButton(const ThemePictureEntry& entry, const ArtPalette& pal, bool up, State state)
{
    const QImage art = Draw(entry.size, [&](QPainter& p, const QSize& size) {
        ArtPalette face = pal;
        face.faceTop = Mix(pal.faceTop, pal.accent, 0.06);
        face.faceBottom = Mix(pal.faceBottom, pal.accent, 0.22);
        face.border = Mix(pal.border, pal.scroll, 0.3);
        // Crisp corners: the pixels outside become the key colour, and a
        // half-covered corner pixel would show the guessed track colour as a
        // light speck over whatever the bar sits on.
        p.setRenderHint(QPainter::Antialiasing, false);
        PaintFace(p, QRectF(0, 0, size.width(), size.height()), face, state, std::min<qreal>(pal.radius, 2));
        p.setRenderHint(QPainter::Antialiasing, true);
        const QPointF c(size.width() / 2.0 + (state == State::Down ? 0.5 : 0),
                        size.height() / 2.0 + (state == State::Down ? 0.5 : 0));
        const qreal a = std::min(size.width(), size.height()) * 0.24;
        QPainterPath arrow;
        const qreal dir = up ? -1 : 1;
        arrow.moveTo(c.x() - a, c.y() - dir * a * 0.45);
        arrow.lineTo(c.x(), c.y() + dir * a * 0.55);
        arrow.lineTo(c.x() + a, c.y() - dir * a * 0.45);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(state == State::Hover ? Mix(pal.mark, pal.hot, 0.4) : pal.mark, 2, Qt::SolidLine, Qt::RoundCap,
                      Qt::RoundJoin));
        p.drawPath(arrow);
    });
    return Finish(art, pal.scroll, entry.key);
}

// The scroll bar thumb: top cap, middle and bottom cap stacked, a third each.
QImage ScrollThumb(const ThemePictureEntry& entry, const ArtPalette& pal)
{
    const QImage art = Draw(entry.size, [&](QPainter& p, const QSize& size) {
        const qreal w = size.width();
        const QRectF body(1.5, 0.5, w - 3, size.height() - 1);
        p.setPen(QPen(Mix(pal.border, pal.scroll, 0.3), 1));
        p.setBrush(Horizontal(0, w, Mix(pal.faceTop, pal.accent, 0.08), Mix(pal.faceBottom, pal.accent, 0.25)));
        p.drawPath(Rounded(body, std::min<qreal>(3, pal.radius)));
        p.setPen(QPen(WithAlpha(kWhite, 160), 1));
        p.drawLine(QPointF(3, 3), QPointF(3, size.height() - 3));
    });
    return Finish(art, pal.scroll, entry.key);
}

QImage MenuChecked(const ThemePictureEntry& entry)
{
    const QImage art = Draw(entry.size, [&](QPainter& p, const QSize& size) {
        PaintTick(p, QRectF(2, 2, size.width() - 4, size.height() - 4), QColor(16, 16, 16));
    });
    return Finish(art, kWhite, entry.key);
}

QImage Gradient(const ThemePictureEntry& entry, const QColor& top, const QColor& bottom)
{
    const QImage art = Draw(entry.size, [&](QPainter& p, const QSize& size) {
        p.fillRect(QRect(QPoint(0, 0), size), Vertical(0, size.height(), top, bottom));
    });
    return Finish(art, top, entry.key);
}

// A quiet woven tile within two levels of the form colour.
QImage FormTexture(const ThemePictureEntry& entry, const QColor& base)
{
    QImage out(entry.size, QImage::Format_RGB32);
    for (int y = 0; y < out.height(); ++y) {
        for (int x = 0; x < out.width(); ++x) {
            int d = 0;
            if ((x + y) % 4 == 0)
                d = -2;
            else if ((x - y + 8) % 4 == 2)
                d = 1;
            auto c = [d](int v) { return std::clamp(v + d, 0, 255); };
            out.setPixel(x, y, qRgb(c(base.red()), c(base.green()), c(base.blue())));
        }
    }
    return out;
}

State StateOf(const QString& part)
{
    if (part.contains(QLatin1String("DISABLE")))
        return State::Disabled;
    if (part.contains(QLatin1String("MOUSEON")))
        return State::Hover;
    if (part.contains(QLatin1String("MOUSEDOWN")))
        return State::Down;
    return State::Normal;
}

Glyph GlyphOf(const QString& part)
{
    if (part.contains(QLatin1String("CLOSE")))
        return Glyph::Close;
    if (part.contains(QLatin1String("_MAX_")))
        return Glyph::Max;
    if (part.contains(QLatin1String("_MIN_")))
        return Glyph::Min;
    if (part.contains(QLatin1String("HELP")))
        return Glyph::Help;
    if (part.contains(QLatin1String("RST")))
        return Glyph::Restore;
    return Glyph::ControlBox;
}

// Azure's check boxes and radio buttons share one check-box look under the
// mouse and pressed; the other looks have only the plain and disabled states.
QImage PaintStyled(const ThemePictureEntry& entry, const QString& part)
{
    const TskUIStyle style = entry.style;
    const ArtPalette pal = PaletteOf(style);
    const State state = StateOf(part);
    const auto starts = [&part](const char* prefix) { return part.startsWith(QLatin1String(prefix)); };
    if (starts("BUTTON_")) {
        const QImage art = Draw(entry.size, [&](QPainter& p, const QSize& size) {
            PaintFace(p, QRectF(0, 0, size.width(), size.height()), pal, state, pal.radius);
        });
        return Finish(art, pal.back, entry.key);
    }
    if (starts("CHECKBOX_"))
        return CheckBox(entry, pal, !part.endsWith(QLatin1String("UNCHECK")), state);
    if (starts("RADIOBUTTON_"))
        return RadioButton(entry, pal, !part.endsWith(QLatin1String("UNCHECK")), state);
    if (part == QLatin1String("PROGRESSBAR"))
        return ProgressFill(entry, pal, false);
    if (part == QLatin1String("PROGRESSBAR_V"))
        return ProgressFill(entry, pal, true);
    if (part == QLatin1String("TITLE_LEFT"))
        return TitleSection(entry, style, pal, TitlePart::Left);
    if (part == QLatin1String("TITLE_CLIENT"))
        return TitleSection(entry, style, pal, TitlePart::Client);
    if (part == QLatin1String("TITLE_RIGHT"))
        return TitleSection(entry, style, pal, TitlePart::Right);
    if (starts("TITLEBTN_"))
        return TitleButton(entry, style, pal, GlyphOf(part), state);
    if (part == QLatin1String("TAB_ACTIVE"))
        return Tab(entry, pal, true);
    if (part == QLatin1String("TAB_INACTIVE"))
        return Tab(entry, pal, false);
    if (part == QLatin1String("TAB_LINE"))
        return TabLine(entry, pal);
    if (part == QLatin1String("TRACKBAR_BAR"))
        return TrackGroove(entry, pal);
    if (part == QLatin1String("TRACKBAR_SLIDER"))
        return TrackThumb(entry, pal, false);
    if (part == QLatin1String("TRACKBAR_SLIDER_V"))
        return TrackThumb(entry, pal, true);
    if (starts("SCROLLBAR_TOPBUTTON_"))
        return ScrollButton(entry, pal, true, state);
    if (starts("SCROLLBAR_BTMBUTTON_"))
        return ScrollButton(entry, pal, false, state);
    if (part == QLatin1String("SCROLLBAR_TRACK"))
        return ScrollThumb(entry, pal);
    if (part == QLatin1String("COMBOBOX_BUTTON")) {
        const QImage art = Draw(entry.size, [&](QPainter& p, const QSize& size) {
            PaintFace(p, QRectF(0, 0, size.width(), size.height()), pal, State::Normal, 2);
        });
        return Finish(art, pal.back, entry.key);
    }
    if (part == QLatin1String("MENU_BAR"))
        return Gradient(entry, QColor(252, 252, 252), QColor(220, 221, 224));
    if (part == QLatin1String("MENU_SELECT"))
        return Gradient(entry, Mix(pal.accent, kWhite, 0.25), Mix(pal.accent, kBlack, 0.15));
    if (part == QLatin1String("FORM_BACKGROUND"))
        return FormTexture(entry, ThemeQColor(style, 3));
    return {};
}

}  // namespace

QImage PaintThemePicture(const ThemePictureEntry& entry)
{
    if (entry.name == QLatin1String("MENU_CHECKED"))
        return MenuChecked(entry);
    if (QImage extra = PaintExtraPicture(entry); !extra.isNull())
        return extra;
    const QString prefix = ThemeStylePrefix(entry.style) + QLatin1Char('_');
    if (prefix.size() < 2 || !entry.name.startsWith(prefix))
        return {};
    const QImage picture = PaintStyled(entry, entry.name.mid(prefix.size()));
    return picture.size() == entry.size ? picture : QImage();
}
