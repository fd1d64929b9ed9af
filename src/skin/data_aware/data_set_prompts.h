#pragma once
// How the data-aware controls ask before an operation and tell why one
// failed: through the hook their owner set, else in a message box. GUI thread.

#include <QString>

#include <functional>

class QWidget;

using QuestionHook = std::function<bool(const QString&)>;
using ErrorHook = std::function<void(const QString&)>;

/// Asks `question` under "Confirm" with OK and Cancel; true for OK. A set hook answers instead.
bool AskToConfirm(QWidget* parent, const QuestionHook& hook, const QString& question);

/// Shows why an operation failed in a critical message box; a set hook is told instead.
void ShowDataSetError(QWidget* parent, const ErrorHook& hook, const QString& text);
