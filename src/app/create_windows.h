#pragma once
// Start-up creation of the program's windows.

class WindowRegistry;

/// Creates the twelve windows in start-up order: main, Draw, settings, plotter import,
/// device selection, rotation, text, Section, Play, Sequence, show timer, FILE.
void CreateWindows(WindowRegistry& windows);

/// Start-up as the program runs it: creates the main window, to be shown by
/// the caller; the other eleven are created as CreateWindows does, in the same
/// order, once the main window has painted (or at the latest a second after
/// the event loop starts), or at once when something asks for them earlier
/// (the registry's CreatePendingWindows).
void StartWindows(WindowRegistry& windows);
