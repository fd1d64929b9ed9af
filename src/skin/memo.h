#pragma once
// The skinned memo: Qt's plain-text editor without its native frame, framed by
// a BorderColor ring, its scroll bars drawn in a theme's colours. Windows also
// use hidden memos as line stores, so the line operations below are exact.

#include "skin/scroll_bar_binding.h"
#include "skin/themes.h"

#include <QPlainTextEdit>
#include <QStringList>

#include <cstdint>

enum class TScrollStyle : std::uint8_t { ssNone = 0, ssHorizontal = 1, ssVertical = 2, ssBoth = 3 };

class TskMemo : public QPlainTextEdit, public SkinStyleHooks {
    Q_OBJECT
    Q_PROPERTY(TColor BorderColor READ BorderColor WRITE SetBorderColor)
    Q_PROPERTY(TColor Color READ Color WRITE SetColor)
    Q_PROPERTY(bool WordWrap READ WordWrap WRITE SetWordWrap)
public:
    /// GUI thread. Word wrap on, no scroll bars, BorderColor from the frame
    /// of parent's form (black without one), scroll bars in the form's look.
    explicit TskMemo(QWidget* parent = nullptr);

    TColor BorderColor() const { return m_borderColor; }
    /// Stores, repaints.
    void SetBorderColor(TColor color);
    TColor Color() const { return m_color; }
    /// Background colour; stores, repaints.
    void SetColor(TColor color);
    TScrollStyle ScrollBars() const { return m_scrollBars; }
    /// Which scroll bars are shown (always, disabled while the text fits).
    void SetScrollBars(TScrollStyle bars);
    bool WordWrap() const { return m_wordWrap; }
    /// Stores; with wrapping off long lines scroll sideways.
    void SetWordWrap(bool wrap);
    TskUIStyle ScrollBarLook() const { return m_scrollLook; }
    /// Draws the scroll bars in that look's colours (Custom keeps the current look).
    void SetScrollBarLook(TskUIStyle look);

    /// The external vertical bar; null when none is bound (or it was deleted).
    TskScrollBar* VScrollBar() const { return m_vBar.Bar(); }
    /// Hands vertical scrolling to an external bar (a sibling placed over the
    /// right edge; null releases it). ScrollBars follows the bound bars.
    void SetVScrollBar(TskScrollBar* bar);
    /// The external horizontal bar; null when none is bound (or it was deleted).
    TskScrollBar* HScrollBar() const { return m_hBar.Bar(); }
    /// As SetVScrollBar, along the bottom edge.
    void SetHScrollBar(TskScrollBar* bar);
    /// Places the external bars over the memo's edges, then mirrors the scroll state.
    void UpdateScrollBarsPos();
    /// Copies the scroll state into the external bars (never scrolls back).
    void UpdateScrollBars();

    /// The whole text, lines separated by "\n".
    QString Text() const { return toPlainText(); }
    /// Replaces the text; raises no OnChange.
    void SetText(const QString& text);
    /// The lines. A final line break ends the last line and starts no new one:
    /// "a\n" is one line, "" none.
    QStringList Lines() const;
    /// Number of Lines().
    int LineCount() const;
    /// Line i; empty outside 0..LineCount()-1.
    QString Line(int i) const;
    /// Replaces the lines, each ended by a line break; raises no OnChange.
    void SetLines(const QStringList& lines);
    /// Replaces line i; an index past the end first adds empty lines up to
    /// it, so the value is kept. A negative index is ignored.
    void SetLine(int i, const QString& line);
    /// Appends a line.
    void AddLine(const QString& line);
    /// Removes line i; ignored outside 0..LineCount()-1.
    void DeleteLine(int i);
    /// Removes every line.
    void ClearLines() { SetText(QString()); }

    TskUIStyle UIStyleOf() const override { return m_scrollLook; }
    /// A built-in look gives BorderColor its theme colour 8 and the scroll bars its colours.
    void ApplyContainerStyle(TskUIStyle style) override;

signals:
    /// The user changed the text (never raised by the setters above).
    void OnChange();
    /// The memo got the keyboard focus.
    void OnEnter();
    /// A double click in the text.
    void OnDblClick();

protected:
    bool event(QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void UpdateScrollBarPolicy();
    void BarsChanged();

    TColor m_borderColor = clBlack;
    TColor m_color = clWindow;
    TScrollStyle m_scrollBars = TScrollStyle::ssNone;
    bool m_wordWrap = true;
    TskUIStyle m_scrollLook = TskUIStyle::Navy;
    int m_settingFromCode = 0;
    ScrollBarBinding m_vBar{*this, Qt::Vertical, IdleScrollBar::HideThumb};
    ScrollBarBinding m_hBar{*this, Qt::Horizontal, IdleScrollBar::HideThumb};
};
