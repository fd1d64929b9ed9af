#pragma once
// A label of fixed size for texts that may be longer than its room (status
// lines, file names): a text that does not fit is shown cut with "..." and
// whole in the label's tool tip. With word wrap on, the text runs over the
// lines the label is tall enough for, broken at blanks (or inside a word
// longer than a line, such as a path), and only the last line is cut.
// text() is always the whole text.

#include <QLabel>
#include <QStringList>

class ElidingLabel : public QLabel {
    Q_OBJECT
public:
    /// GUI thread.
    explicit ElidingLabel(const QString& text = QString(), QWidget* parent = nullptr);

    /// Whether the whole text fits the label's room.
    bool TextFits() const;
    /// The text as painted: whole, or cut with "..." to the room (its lines
    /// joined by line breaks when it wraps).
    QString ShownText() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;

private:
    QRect Room() const;
    /// The lines the text takes at the room's width when wrapped.
    QStringList WrappedLines() const;
    /// How many lines the room is tall enough for (at least one).
    int RoomLines() const;
    QStringList ShownLines() const;
};

/// GUI thread. An ElidingLabel child of `parent` named `name` at (x, y), `width` wide.
ElidingLabel* AddElidingLabel(QWidget* parent, const char* name, const QString& text, int x, int y, int width);
