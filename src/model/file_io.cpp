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

bool SaveWholeFile(const QString& path, const QByteArray& bytes)
{
    if (path.isEmpty() || HasControlCharacter(path))
        return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}
