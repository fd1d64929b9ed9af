#include "shell/new_file_names.h"

#include "shell/dialogs.h"

#include <QLabel>

std::optional<QString> NewFileNameProblem(const QString& name)
{
    if (name.isEmpty())
        return QStringLiteral("The name is empty.");
    if (name.contains(u'/') || name.contains(u'\\') || name.contains(QStringLiteral("..")))
        return QStringLiteral("The name \"%1\" may not contain \"/\", \"\\\" or \"..\".").arg(name);
    if (name.contains(u'|'))
        return QStringLiteral("The name \"%1\" may not contain \"|\".").arg(name);
    for (const QChar c : name) {
        if (c.category() == QChar::Other_Control)
            return QStringLiteral("The name may not contain line breaks or control characters.");
    }
    return std::nullopt;
}

std::optional<QString> AskNewFileName(Dialogs& dialogs, QWidget* parent, const QString& title,
                                      const QString& label, QLabel& status)
{
    const auto answer = dialogs.InputText(parent, title, label, QString());
    if (!answer || answer->trimmed().isEmpty())
        return std::nullopt;
    const QString name = answer->trimmed();
    if (const auto problem = NewFileNameProblem(name)) {
        status.setText(*problem);
        return std::nullopt;
    }
    return name;
}
