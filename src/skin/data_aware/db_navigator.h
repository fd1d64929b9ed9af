#pragma once
// The skinned data navigator: ten themed buttons that move through a data
// set and edit it (first, prior, next, last, insert, delete, edit, post,
// cancel, refresh), enabled by where the cursor is and what the data set
// can do. Deleting asks "Delete record?" first (ConfirmDelete).

#include "dataset/data_link.h"
#include "dataset/data_source.h"
#include "skin/button.h"
#include "skin/control_align.h"
#include "skin/data_aware/data_set_operation.h"

#include <QStringList>
#include <QTimer>

#include <array>
#include <functional>

/// A set of navigator buttons, bit i for kind i.
using TButtonSet = std::uint16_t;
inline constexpr TButtonSet kAllNavButtons = 0x3FF;
constexpr TButtonSet NavBit(TNavigateBtn kind) { return TButtonSet(1u << unsigned(kind)); }

/// "FIRST" .. "REFRESH": the picture of a kind is "DBNAV_BUTTON_" + this name.
QString NavButtonKindName(TNavigateBtn kind);
/// GUI thread. The kind's glyph: the picture of its name when one is
/// compiled in, else one drawn here (black on a magenta key).
QImage NavButtonGlyph(TNavigateBtn kind);
/// The default hint of a kind ("First record" ...).
QString NavButtonDefaultHint(TNavigateBtn kind);

class TskDBNavigator;

class TskNavButton : public TskButton {
    Q_OBJECT
public:
    TskNavButton(TskDBNavigator* navigator, TNavigateBtn kind);
    TNavigateBtn Index() const { return m_kind; }
    /// PRIOR and NEXT repeat while held: the first repeat after 400 ms, then every 100 ms.
    bool Repeats() const { return m_kind == TNavigateBtn::nbPrior || m_kind == TNavigateBtn::nbNext; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void PaintFocus(QPainter&) override {}
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    TskDBNavigator* m_navigator;
    TNavigateBtn m_kind;
    QTimer m_repeat;
};

/// Tells the navigator about its data set.
class TskNavDataLink : public TDataLink {
public:
    explicit TskNavDataLink(TskDBNavigator& navigator) : m_navigator(navigator) {}

protected:
    void ActiveChanged() override;
    void EditingChanged() override;
    void DataSetChanged() override;

private:
    TskDBNavigator& m_navigator;
};

class TskDBNavigator : public QWidget, public SkinStyleHooks {
    Q_OBJECT
    Q_PROPERTY(QStringList Hints READ Hints WRITE SetHints)
    Q_PROPERTY(bool ConfirmDelete READ ConfirmDelete WRITE SetConfirmDelete)
    Q_PROPERTY(TAlign Align READ Align WRITE SetAlign)
    Q_PROPERTY(TskUIStyle UIStyle READ UIStyle WRITE SetUIStyle)
    Q_PROPERTY(bool TabStop READ TabStop WRITE SetTabStop)
public:
    /// GUI thread. 250 x 30, all ten buttons, in the look of parent's form.
    explicit TskDBNavigator(QWidget* parent = nullptr);

    TDataSource* DataSource() const { return m_dataLink.DataSource(); }
    void SetDataSource(TDataSource* source) { m_dataLink.SetDataSource(source); }
    TButtonSet VisibleButtons() const { return m_visible; }
    /// Shows the buttons of the set and lays them out again.
    void SetVisibleButtons(TButtonSet buttons);
    QStringList Hints() const { return m_hints; }
    /// Entry i replaces button i's default hint; empty entries keep it.
    void SetHints(const QStringList& hints);
    bool ConfirmDelete() const { return m_confirmDelete; }
    void SetConfirmDelete(bool on) { m_confirmDelete = on; }
    TAlign Align() const { return m_align; }
    /// An aligned navigator keeps any width; an unaligned one rounds it down
    /// to a multiple of the visible buttons.
    void SetAlign(TAlign align);
    TskUIStyle UIStyle() const { return m_uiStyle; }
    void SetUIStyle(TskUIStyle style);
    bool TabStop() const { return focusPolicy() != Qt::NoFocus; }
    void SetTabStop(bool on) { setFocusPolicy(on ? Qt::StrongFocus : Qt::NoFocus); }

    TskNavButton* Button(TNavigateBtn kind) const { return m_buttons[size_t(kind)]; }
    TNavigateBtn FocusedButton() const { return m_focusedButton; }
    /// From a button pressed with the mouse.
    void ButtonPressed(TNavigateBtn kind);

    /// Runs a button's action as a click does: BeforeAction, the data-set
    /// action (asking before a delete), then OnClick.
    void BtnClick(TNavigateBtn kind);

    /// Answers "Delete record?"; true deletes. Unset, a message box asks.
    void SetQuestionHook(std::function<bool(const QString&)> hook) { m_question = std::move(hook); }
    /// Shows why an action failed. Unset, a message box shows it.
    void SetErrorHook(std::function<void(const QString&)> hook) { m_error = std::move(hook); }

    /// Enables the buttons by the data set's position and state.
    void UpdateButtons();

    TskUIStyle UIStyleOf() const override { return m_uiStyle; }
    void ApplyContainerStyle(TskUIStyle style) override { SetUIStyle(style); }

signals:
    void BeforeAction(TNavigateBtn kind);
    void OnClick(TNavigateBtn kind);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void LayoutButtons();
    void UpdateHints();

    std::array<TskNavButton*, kNavButtonCount> m_buttons{};  // children
    TskNavDataLink m_dataLink{*this};
    TButtonSet m_visible = kAllNavButtons;
    QStringList m_hints;
    bool m_confirmDelete = true;
    TAlign m_align = TAlign::alNone;
    TskUIStyle m_uiStyle = TskUIStyle::Navy;
    TNavigateBtn m_focusedButton = TNavigateBtn::nbFirst;
    bool m_layingOut = false;
    std::function<bool(const QString&)> m_question;
    std::function<void(const QString&)> m_error;
};
