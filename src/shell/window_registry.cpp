#include "shell/window_registry.h"

#include "output/music_player.h"
#include "output/play_handover.h"
#include "platform/media_player_location.h"
#include "platform/registry_store.h"
#include "shell/dialogs.h"

#include <QMessageBox>

WindowRegistry::WindowRegistry(QString programFolder, MessageSink sink)
    : programFolder_(std::move(programFolder)),
      applicationTitle_(QStringLiteral("Zarn")),
      sink_(std::move(sink)),
      handOver_(std::make_unique<PlayHandOver>()),
      dialogs_(std::make_unique<QtDialogs>())
{
    if (!programFolder_.endsWith(QLatin1Char('/')))
        programFolder_ += QLatin1Char('/');
    music_ = std::make_unique<MusicPlayer>(programFolder_);
    music_->ReadPlayerLocation(RegistryStore(RegistryPath()));
    handOver_->setEndMusic([this] { music_->Stop(); });
}

WindowRegistry::~WindowRegistry()
{
    // Windows free the play lists their loops read: no loop may outlive them. A
    // loop polls the stop flag between frames and every transfer times out, so
    // within the bound it has returned, unless it ignores the flag: then the
    // windows and the hand-over are left alive for it and the program must end.
    if (!handOver_->stopAll()) {
        qWarning("a play loop did not stop; its windows are not freed");
        for (OwnedWindow& owned : created_)
            (void)owned.window.release();
        (void)handOver_.release();
        return;
    }
    // Last created first; a window going away is forgotten before the next one's
    // destructor runs, so none can reach a deleted one.
    while (!created_.empty()) {
        OwnedWindow last = std::move(created_.back());
        created_.pop_back();
        last.forget();
        last.window.reset();
    }
}

std::vector<QWidget*> WindowRegistry::Windows() const
{
    std::vector<QWidget*> windows;
    windows.reserve(created_.size());
    for (const OwnedWindow& owned : created_)
        windows.push_back(owned.window.get());
    return windows;
}

QString WindowRegistry::RegistryPath() const
{
    return programFolder_ + QLatin1String(kRegistryFileName);
}

QString WindowRegistry::SettingsPath() const
{
    return programFolder_ + QLatin1String(SettingsFile::kFileName);
}

void WindowRegistry::ShowMessage(const QString& title, const QString& text) const
{
    if (sink_) {
        sink_(title, text);
        return;
    }
    QMessageBox::warning(nullptr, title, text);
}

void WindowRegistry::SetMessageSink(MessageSink sink)
{
    sink_ = std::move(sink);
}

void WindowRegistry::SetDialogs(std::unique_ptr<Dialogs> dialogs)
{
    dialogs_ = dialogs ? std::move(dialogs) : std::make_unique<QtDialogs>();
}
