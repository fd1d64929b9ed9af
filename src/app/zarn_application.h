#pragma once
// The application object. Qt does not let an exception cross its event loop,
// so every event delivery is guarded here: an exception that escapes a
// handler is shown to the operator and the program goes on with the next
// event, as the operator expects from a program that reports an error in a box.

#include <QApplication>
#include <QString>

#include <functional>

/// Shows the message of an exception that escaped a handler.
using ExceptionSink = std::function<void(const QString& message)>;

/// Runs one delivery; an exception escaping it goes to `sink` (a message box when empty) and counts as handled (false).
bool DeliverCatching(const std::function<bool()>& deliver, const ExceptionSink& sink);

/// The text shown for an exception in flight: its what(), or a fixed text for other types. Call only inside a catch block.
QString CurrentExceptionMessage();

/// GUI thread.
class ZarnApplication : public QApplication {
    Q_OBJECT
public:
    /// The program's application object; the title is "Zarn".
    ZarnApplication(int& argc, char** argv);

    /// Replaces how an escaped exception is shown (an empty sink restores the message box).
    void SetExceptionSink(ExceptionSink sink) { m_sink = std::move(sink); }

    /// Delivers as QApplication does, catching what escapes.
    bool notify(QObject* receiver, QEvent* event) override;

private:
    ExceptionSink m_sink;
};
