#include "model/file_io.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

bool HasControlCharacter(const QString& text)
{
    for (const QChar c : text) {
        if (c.category() == QChar::Other_Control)
            return true;
    }
    return false;
}

QString CannotOpenMessage(const QString& path, const QString& reason)
{
    const QString sentence = QStringLiteral("Cannot open file \"%1\".").arg(path);
    return reason.isEmpty() ? sentence : sentence + u' ' + reason;
}

FileBytes ReadFileBytes(const QString& path)
{
    FileBytes out;
    if (path.isEmpty())
        return out;
    if (HasControlCharacter(path)) {
        out.state = FileBytes::State::Unreadable;
        out.reason = QStringLiteral("The name holds a control character.");
        return out;
    }
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return out;
    out.state = FileBytes::State::Unreadable;
    if (info.isDir()) {
        out.reason = QStringLiteral("Is a directory.");
        return out;
    }
    if (!info.isFile()) {
        out.reason = info.isSymLink() ? QStringLiteral("The link leads nowhere.")
                                      : QStringLiteral("Not a regular file.");
        return out;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        out.reason = file.errorString();
        return out;
    }
    out.bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        out.reason = file.errorString();
        out.bytes.clear();
        return out;
    }
    out.state = FileBytes::State::Read;
    return out;
}

std::optional<QByteArray> ReadWholeFile(const QString& path)
{
    FileBytes file = ReadFileBytes(path);
    if (!file.read())
        return std::nullopt;
    return std::move(file.bytes);
}

QString SaveFailedMessage(const QString& path, const QString& reason)
{
    const QString sentence = QStringLiteral("Cannot save file \"%1\".").arg(path);
    return reason.isEmpty() ? sentence : sentence + u' ' + reason;
}

FileResult SaveWholeFile(const QString& path, const QByteArray& bytes)
{
    if (path.isEmpty())
        return FileResult::Failure(SaveFailedMessage(path, QStringLiteral("The name is empty.")));
    if (HasControlCharacter(path))
        return FileResult::Failure(SaveFailedMessage(path, QStringLiteral("The name holds a control character.")));
    QSaveFile file(path);
    // Unbuffered: a buffered small write only fails in the flush inside commit(),
    // which renames the short file over the old one all the same.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return FileResult::Failure(SaveFailedMessage(path, file.errorString()));
    // A disk that fills up takes part of a write without an error; the next
    // write of the rest fails and carries the system's reason.
    qsizetype done = 0;
    while (done < bytes.size()) {
        const qint64 n = file.write(bytes.constData() + done, bytes.size() - done);
        if (n <= 0)
            break;
        done += qsizetype(n);
    }
    if (done != bytes.size() || !file.flush() || file.error() != QFileDevice::NoError) {
        const QString reason = file.error() != QFileDevice::NoError ? file.errorString()
                                                                   : QStringLiteral("Not every byte was written.");
        file.cancelWriting();
        return FileResult::Failure(SaveFailedMessage(path, reason));
    }
    if (!file.commit())
        return FileResult::Failure(SaveFailedMessage(path, file.errorString()));
    return FileResult::Success();
}
