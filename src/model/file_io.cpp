#include "model/file_io.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>

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

FileBytes ReadFileBytes(const QString& path, qint64 maxBytes)
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
    // Refused by its size alone: a huge (or sparse) file is never opened.
    if (info.size() > maxBytes) {
        out.reason = TooLargeReason(maxBytes);
        return out;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        out.reason = file.errorString();
        return out;
    }
    if (file.size() > maxBytes) {
        out.reason = TooLargeReason(maxBytes);
        return out;
    }
    // Exactly the stated size first; a file that grows (or states no size,
    // as some system files do) is read on in growing steps up to one byte
    // past the limit.
    constexpr qsizetype kStep = qsizetype{1} << 16;
    QByteArray bytes(qsizetype(std::max<qint64>(file.size(), 0)), Qt::Uninitialized);
    qsizetype done = 0;
    for (;;) {
        if (done == bytes.size()) {
            char probe[1];
            const qint64 n = file.read(probe, 1);
            if (n <= 0) {
                if (n < 0)
                    done = -1;
                break;
            }
            if (done + 1 > maxBytes) {
                out.reason = TooLargeReason(maxBytes);
                return out;
            }
            bytes.resize(std::min<qint64>(maxBytes + 1, qint64(done) + 1 + std::max<qint64>(done, kStep)));
            bytes[done++] = probe[0];
            continue;
        }
        const qint64 n = file.read(bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            done = -1;
            break;
        }
        if (n == 0)
            break;
        done += qsizetype(n);
        if (done > maxBytes) {
            out.reason = TooLargeReason(maxBytes);
            return out;
        }
    }
    if (done < 0 || file.error() != QFileDevice::NoError) {
        out.reason = file.errorString();
        return out;
    }
    bytes.truncate(done);
    out.bytes = std::move(bytes);
    out.state = FileBytes::State::Read;
    return out;
}

QString TooLargeReason(qint64 maxBytes)
{
    return QStringLiteral("It is larger than %1 bytes, the most a file of its kind may hold.").arg(maxBytes);
}

std::optional<QByteArray> ReadWholeFile(const QString& path, qint64 maxBytes)
{
    FileBytes file = ReadFileBytes(path, maxBytes);
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
