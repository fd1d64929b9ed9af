#pragma once
// What an operator would see wrong in a window's layout: controls on top of
// each other, controls running past their window's edge, and texts that do
// not fit where they are shown.

#include <QAbstractScrollArea>
#include <QFontMetrics>
#include <QLabel>
#include <QRegion>
#include <QTextLayout>
#include <QWidget>

#include <string>
#include <vector>

namespace layout_checks {

inline std::string Describe(const QWidget* w)
{
    QString name = w->objectName();
    if (const auto* label = qobject_cast<const QLabel*>(w); label && name.isEmpty())
        name = '"' + label->text() + '"';
    const QRect g = w->geometry();
    return QStringLiteral("%1 %2 (%3,%4 %5x%6)")
        .arg(QString::fromLatin1(w->metaObject()->className()), name)
        .arg(g.x())
        .arg(g.y())
        .arg(g.width())
        .arg(g.height())
        .toStdString();
}

/// Widgets that only hold other controls: their children are checked instead.
inline bool IsHolder(const QWidget* w)
{
    const QByteArray kind = w->metaObject()->className();
    return kind == "QWidget" || kind == "LivePlayControls" || kind == "TskForm" || kind == "DrawPlayPanel";
}

/// The area a control covers in its parent: a holder covers only its controls.
inline QRegion Footprint(const QWidget* w)
{
    if (!IsHolder(w))
        return QRegion(w->geometry());
    QRegion covered;
    for (const QObject* child : w->children())
        if (const auto* c = qobject_cast<const QWidget*>(child); c && !c->isWindow() && c->isVisibleTo(w))
            covered += Footprint(c).translated(w->pos());
    return covered;
}

inline void CollectFaults(const QWidget* holder, std::vector<std::string>& faults)
{
    std::vector<const QWidget*> controls;
    for (const QObject* child : holder->children()) {
        const auto* w = qobject_cast<const QWidget*>(child);
        if (!w || w->isWindow() || !w->isVisibleTo(holder))
            continue;
        controls.push_back(w);
    }
    for (std::size_t i = 0; i < controls.size(); ++i) {
        const QRect a = controls[i]->geometry();
        if (!holder->rect().contains(a))
            faults.push_back(Describe(controls[i]) + " runs outside " + Describe(holder));
        for (std::size_t j = i + 1; j < controls.size(); ++j)
            if (Footprint(controls[i]).intersects(Footprint(controls[j])))
                faults.push_back(Describe(controls[i]) + " overlaps " + Describe(controls[j]));
        if (IsHolder(controls[i]))
            CollectFaults(controls[i], faults);
    }
}

/// Every pair of visible controls that overlap and every control that runs
/// outside the widget holding it, in `window` (shown or laid out).
inline std::vector<std::string> LayoutFaults(const QWidget& window)
{
    std::vector<std::string> faults;
    CollectFaults(&window, faults);
    return faults;
}

/// Every visible label of `window` whose text is wider or taller than the label.
inline std::vector<std::string> ClippedLabels(const QWidget& window)
{
    std::vector<std::string> faults;
    for (const QLabel* label : window.findChildren<QLabel*>()) {
        // A label that cuts its text with "..." shows the rest in its tool tip.
        if (!label->isVisibleTo(&window) || label->text().isEmpty() || label->wordWrap() ||
            label->textFormat() == Qt::RichText || label->inherits("ElidingLabel"))
            continue;
        const QFontMetrics metrics(label->font());
        const QRect room = label->contentsRect().marginsRemoved(QMargins(label->margin(), label->margin(),
                                                                          label->margin(), label->margin()));
        const QSize need = metrics.size(0, label->text());
        if (need.width() > room.width() || need.height() > room.height())
            faults.push_back(Describe(label) + " needs " + std::to_string(need.width()) + "x" +
                             std::to_string(need.height()));
    }
    return faults;
}

/// Whether `label` shows its whole present text with `spare` pixels left on
/// each side: on one line, or over its lines when it wraps.
inline bool ShowsWhole(const QLabel& label, int spare = 2)
{
    const QRect room = label.contentsRect().marginsRemoved(
        QMargins(label.margin(), label.margin(), label.margin(), label.margin()));
    const int width = room.width() - 2 * spare;
    const QFontMetrics metrics(label.font());
    if (!label.wordWrap()) {
        const QSize need = metrics.size(0, label.text());
        return need.width() <= width && need.height() <= room.height();
    }
    // Wrapped at blanks, and anywhere in a word longer than a line (a path).
    QString text = label.text();
    text.replace(QLatin1Char('\n'), QChar::LineSeparator);
    QTextLayout layout(text, label.font());
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    int lines = 0;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        ++lines;
    }
    layout.endLayout();
    return lines * metrics.lineSpacing() <= room.height();
}

}  // namespace layout_checks
