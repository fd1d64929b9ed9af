#pragma once
// A label of fixed width for texts that may be longer than its room (status
// lines, file names): a text that does not fit is shown cut with "..." and
// whole in the label's tool tip. text() is always the whole text.

#include <QLabel>

class ElidingLabel : public QLabel {
    Q_OBJECT
public:
    /// GUI thread.
    explicit ElidingLabel(const QString& text = QString(), QWidget* parent = nullptr);

    /// Whether the whole text fits the label's room.
    bool TextFits() const;
    /// The text as painted: whole, or cut with "..." to the room.
    QString ShownText() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;
};

/// GUI thread. An ElidingLabel child of `parent` named `name` at (x, y), `width` wide.
ElidingLabel* AddElidingLabel(QWidget* parent, const char* name, const QString& text, int x, int y, int width);
