#pragma once
// Start-up creation of the program's windows.

#include "shell/window_registry.h"

#include <QString>
#include <QStringList>

/// The message for a window that could not be created: its caption and why.
QString WindowNotCreatedText(const QString& caption, const QString& reason);

/// Inside a catch block: why the creation failed, in the operator's words.
QString CreationFailureReason();

/// Creates the window of class W unless it exists. When its creation throws,
/// nothing is created, the message naming the window (by `caption`) is added
/// to `failures` and the result is null; a later call tries again.
template <class W>
W* CreateOrExplain(WindowRegistry& windows, const QString& caption, QStringList& failures)
{
    try {
        return windows.Create<W>();
    } catch (...) {
        failures << WindowNotCreatedText(caption, CreationFailureReason());
        return nullptr;
    }
}

/// Creates the twelve windows in start-up order: main, Draw, settings, plotter import,
/// device selection, rotation, text, Section, Play, Sequence, show timer, FILE.
/// A window whose creation throws is left out and named in one message; the
/// ones after it are created all the same.
void CreateWindows(WindowRegistry& windows);

/// Start-up as the program runs it: creates the main window, to be shown by
/// the caller; the other eleven are created as CreateWindows does, in the same
/// order, once the main window has painted (or at the latest a second after
/// the event loop starts), or at once when something asks for them earlier
/// (the registry's CreatePendingWindows).
void StartWindows(WindowRegistry& windows);
