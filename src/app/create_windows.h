#pragma once
// Start-up creation of the program's windows.

class WindowRegistry;

/// Creates the twelve windows in start-up order: main, Draw, settings, plotter import,
/// device selection, rotation, text, Section, Play, Sequence, show timer, FILE.
void CreateWindows(WindowRegistry& windows);
