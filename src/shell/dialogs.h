#pragma once
// The questions a window asks the operator: file names, messages, yes/no
// questions and typed text. Windows ask through this interface only, so the
// offscreen tests can answer in place of a person.

#include <QString>
#include <QStringList>

#include <deque>
#include <optional>

class QWidget;

class Dialogs {
public:
    enum class Answer { Yes, No, Cancel };

    virtual ~Dialogs() = default;
    /// An existing file to open, or an empty string when the operator cancels.
    virtual QString OpenFileName(QWidget* parent, const QString& caption, const QString& folder,
                                 const QString& filter) = 0;
    /// A file name to save to, or an empty string when the operator cancels.
    virtual QString SaveFileName(QWidget* parent, const QString& caption, const QString& folder,
                                 const QString& filter) = 0;
    /// A message the operator acknowledges.
    virtual void Message(QWidget* parent, const QString& title, const QString& text) = 0;
    /// A question answered Yes or No (or Cancel when `withCancel`).
    virtual Answer Question(QWidget* parent, const QString& title, const QString& text,
                            bool withCancel = false) = 0;
    /// A line of text, or nothing when the operator cancels.
    virtual std::optional<QString> InputText(QWidget* parent, const QString& title,
                                             const QString& label, const QString& initial) = 0;
};

/// The real dialogs: Qt's file dialogs, message boxes and input dialog.
class QtDialogs final : public Dialogs {
public:
    QString OpenFileName(QWidget* parent, const QString& caption, const QString& folder,
                         const QString& filter) override;
    QString SaveFileName(QWidget* parent, const QString& caption, const QString& folder,
                         const QString& filter) override;
    void Message(QWidget* parent, const QString& title, const QString& text) override;
    Answer Question(QWidget* parent, const QString& title, const QString& text,
                    bool withCancel) override;
    std::optional<QString> InputText(QWidget* parent, const QString& title, const QString& label,
                                     const QString& initial) override;
};

/// Answers given in advance, for tests: each call takes the next queued answer of
/// its kind (an empty name, No, or nothing when none is left) and records what was asked.
class ScriptedDialogs final : public Dialogs {
public:
    std::deque<QString> fileNames;
    std::deque<Answer> answers;
    std::deque<std::optional<QString>> texts;
    /// "title: text" of every message and question, in order.
    QStringList asked;

    QString OpenFileName(QWidget*, const QString& caption, const QString&, const QString&) override;
    QString SaveFileName(QWidget*, const QString& caption, const QString&, const QString&) override;
    void Message(QWidget*, const QString& title, const QString& text) override;
    Answer Question(QWidget*, const QString& title, const QString& text, bool) override;
    std::optional<QString> InputText(QWidget*, const QString& title, const QString& label,
                                     const QString&) override;

private:
    QString nextName(const QString& caption);
};
