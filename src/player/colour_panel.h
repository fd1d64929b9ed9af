#pragma once
// One of the twelve colour-mode panels: a captioned 26 x 26 tile that sets
// the live colour mode K when clicked; the chosen panel shows a lowered bevel.

#include <QColor>
#include <QWidget>

#include <array>
#include <cstdint>

class ColourPanel : public QWidget {
    Q_OBJECT
public:
    /// GUI thread. `value` is the mode the panel stands for; `fill` its face colour.
    ColourPanel(const QString& caption, std::int32_t value, QColor fill, QWidget* parent);

    std::int32_t Value() const { return value_; }
    const QString& Caption() const { return caption_; }
    bool Lowered() const { return lowered_; }
    /// Bevel only; runs no handler.
    void SetLowered(bool lowered);
    /// The caption's colour on `fill`: black or white, whichever reads better.
    static QColor CaptionColour(const QColor& fill);

signals:
    /// A user click.
    void Clicked(std::int32_t value);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    QString caption_;
    std::int32_t value_;
    QColor fill_;
    bool lowered_ = false;
};

/// GUI thread. The twelve panels (Auto, Rnd1..Rnd3, then the eight device colours) as
/// children of `parent`, `perRow` to a row from (x, y) at a pitch of 28 x 30, each
/// named as the windows name it, the one standing for `current` lowered.
std::array<ColourPanel*, 12> MakeColourPanels(QWidget* parent, int x, int y, int perRow, std::int32_t current);
