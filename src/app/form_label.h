#pragma once
// Plain captions placed where a window's layout puts them.

#include <QLabel>
#include <QString>

/// GUI thread. A label child of `parent` named `name` showing `text` at (x, y).
inline QLabel* AddLabel(QWidget* parent, const char* name, const QString& text, int x, int y)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->move(x, y);
    return label;
}
