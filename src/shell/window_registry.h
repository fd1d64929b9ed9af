#pragma once
// The program's windows and the parts they share.
//
// The registry sits below every window library: it knows the window classes
// by name only, and the application creates them (app/create_windows.h).
//
// Each window class has exactly one instance, created once at start-up in a
// fixed order and living until the registry ends; a window reaches the others
// through the registry, never through globals. The order matters: a window's
// constructor is its creation handler and may read what an earlier one set up
// (the settings lines loaded by the main window, the main window's device list).
//
// Every window constructor takes the registry: `explicit TFormN(WindowRegistry& windows)`,
// and the window is top-level (no parent). Headers: main window "app/main_window.h",
// output settings "app/output_settings_window.h", device selection
// "app/device_select_window.h", show timer "app/show_timer_window.h",
// Draw "editor/draw_window.h", plotter import "editor/plot_import_window.h",
// rotation "editor/rotation_window.h", text "editor/text_window.h",
// Section "player/section_window.h", Play "player/play_window.h",
// Sequence "sequencer/sequence_window.h", FILE "sequencer/file_window.h".

#include "shell/settings_file.h"

#include <QString>
#include <QStringList>
#include <QWidget>

#include <functional>
#include <memory>
#include <tuple>
#include <vector>

class TForm15;  // main window "Zarn"
class TForm1;   // "Draw"
class TForm13;  // "settings"
class TForm17;  // "Import Plt"
class TForm19;  // "Select  Device"
class TForm3;   // "Rotation setting"
class TForm6;   // "Text"
class TForm5;   // "Section "
class TForm4;   // "Play"
class TForm8;   // "Sequence"
class TForm2;   // "Setting timer"
class TForm9;   // "FILE"
class PlayHandOver;
class MusicPlayer;
class Dialogs;

/// Shows a message to the operator: window title and text. Tests replace it to read what was shown.
using MessageSink = std::function<void(const QString& title, const QString& text)>;

/// GUI thread only.
class WindowRegistry {
public:
    /// `programFolder` ends with "/" (added when missing); an empty sink shows a QMessageBox.
    explicit WindowRegistry(QString programFolder, MessageSink sink = {});
    /// Stops and joins every worker, then deletes the windows, last created first. When a worker
    /// does not stop within the hand-over's bound, nothing it may read is freed (the program must end).
    ~WindowRegistry();
    WindowRegistry(const WindowRegistry&) = delete;
    WindowRegistry& operator=(const WindowRegistry&) = delete;

    /// Creates the one window of class W (constructed with this registry) unless it exists; returns it.
    template <class W>
    W* Create()
    {
        W*& slot = std::get<W*>(windows_);
        if (!slot) {
            auto window = std::make_unique<W>(*this);
            slot = window.get();
            created_.push_back({std::move(window), [this] { std::get<W*>(windows_) = nullptr; }});
            creationOrder_ << QString::fromLatin1(slot->metaObject()->className());
        }
        return slot;
    }

    /// The window of class W, or nullptr before it is created.
    template <class W>
    W* Get() const { return std::get<W*>(windows_); }

    TForm15* Form15() const { return Get<TForm15>(); }
    TForm1* Form1() const { return Get<TForm1>(); }
    TForm13* Form13() const { return Get<TForm13>(); }
    TForm17* Form17() const { return Get<TForm17>(); }
    TForm19* Form19() const { return Get<TForm19>(); }
    TForm3* Form3() const { return Get<TForm3>(); }
    TForm6* Form6() const { return Get<TForm6>(); }
    TForm5* Form5() const { return Get<TForm5>(); }
    TForm4* Form4() const { return Get<TForm4>(); }
    TForm8* Form8() const { return Get<TForm8>(); }
    TForm2* Form2() const { return Get<TForm2>(); }
    TForm9* Form9() const { return Get<TForm9>(); }

    /// Start-up leaves the windows not shown at first to `create`, run once by CreatePendingWindows.
    void SetPendingWindows(std::function<void()> create) { pendingWindows_ = std::move(create); }
    /// Creates the windows start-up left for later, if any. Whatever is about to
    /// reach a window that may not exist yet calls this first.
    void CreatePendingWindows()
    {
        if (auto create = std::move(pendingWindows_)) {
            pendingWindows_ = {};
            create();
        }
    }

    /// Class names of the windows in the order they were created.
    const QStringList& CreationOrder() const { return creationOrder_; }
    /// The windows in the order they were created.
    std::vector<QWidget*> Windows() const;

    /// The program's folder with a trailing "/": base of "Vorla.ini" and the show folders.
    const QString& ProgramFolder() const { return programFolder_; }
    /// ProgramFolder() + "Vorla.ini".
    QString SettingsPath() const;
    /// The settings lines; the main window loads them at its creation, before any other window reads them.
    SettingsFile& Settings() { return settings_; }
    const SettingsFile& Settings() const { return settings_; }

    /// The application title ("Zarn", or "Zarn-" and the master's index). Kept here,
    /// not as Qt's display name, which Qt would append to every window's caption.
    const QString& ApplicationTitle() const { return applicationTitle_; }
    void SetApplicationTitle(const QString& title) { applicationTitle_ = title; }

    /// The one way plays start and stop.
    PlayHandOver& HandOver() { return *handOver_; }

    /// The sequence music, its player read from RegistryPath() (else mpv on PATH) when the
    /// registry is made; every start and stop of the hand-over ends it.
    MusicPlayer& Music() { return *music_; }
    /// ProgramFolder() + "Registry.ini": the registry stand-in that may name the media player.
    QString RegistryPath() const;

    /// The dialogs every window asks the operator through (Qt's own unless replaced).
    Dialogs& Dialog() { return *dialogs_; }
    /// Replaces the dialogs (tests answer in place of the operator); null restores Qt's.
    void SetDialogs(std::unique_ptr<Dialogs> dialogs);

    /// Shows a message through the sink.
    void ShowMessage(const QString& title, const QString& text) const;
    /// Replaces the sink (an empty one restores the message box).
    void SetMessageSink(MessageSink sink);

private:
    QString programFolder_;
    QString applicationTitle_;
    SettingsFile settings_;
    MessageSink sink_;
    // Before the hand-over, whose music hook reaches it.
    std::unique_ptr<MusicPlayer> music_;
    std::unique_ptr<PlayHandOver> handOver_;
    std::unique_ptr<Dialogs> dialogs_;
    std::tuple<TForm15*, TForm1*, TForm13*, TForm17*, TForm19*, TForm3*, TForm6*, TForm5*, TForm4*,
               TForm8*, TForm2*, TForm9*>
        windows_{};
    struct OwnedWindow {
        std::unique_ptr<QWidget> window;
        std::function<void()> forget;  // clears the window's slot
    };
    // Owns the windows in creation order.
    std::vector<OwnedWindow> created_;
    QStringList creationOrder_;
    std::function<void()> pendingWindows_;
};
