#include "app/zarn_application.h"

#include <QMessageBox>

#include <exception>

namespace {

void ShowExceptionBox(const QString& message)
{
    QMessageBox::critical(nullptr, QStringLiteral("Zarn"), message);
}

}  // namespace

QString CurrentExceptionMessage()
{
    try {
        throw;
    } catch (const std::exception& error) {
        return QString::fromLocal8Bit(error.what());
    } catch (...) {
        return QStringLiteral("Unknown error.");
    }
}

bool DeliverCatching(const std::function<bool()>& deliver, const ExceptionSink& sink)
{
    try {
        return deliver();
    } catch (...) {
        const QString message = CurrentExceptionMessage();
        // The box runs its own event loop; a second fault inside it must not escape either.
        try {
            if (sink)
                sink(message);
            else
                ShowExceptionBox(message);
        } catch (...) {
        }
        return false;
    }
}

ZarnApplication::ZarnApplication(int& argc, char** argv) : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("Zarn"));
}

bool ZarnApplication::notify(QObject* receiver, QEvent* event)
{
    return DeliverCatching([&] { return QApplication::notify(receiver, event); }, m_sink);
}
