#include "editor/save_file_choice.h"

#include "model/show_folders.h"
#include "shell/dialogs.h"
#include "shell/new_file_names.h"

#include <QFileInfo>

QString ChooseSaveFile(Dialogs& dialogs, QWidget* parent, const QString& caption, const QString& folder,
                       const QString& filter, const QString& extension)
{
    QString file = dialogs.SaveFileName(parent, caption, folder, filter);
    if (file.isEmpty())
        return {};
    if (QFileInfo(file).suffix().isEmpty())
        file += QLatin1Char('.') + extension;
    // The name goes into section and sequence lines: the rule for every new file's name.
    if (const std::optional<QString> problem = NewFileNameProblem(FileNameOnly(file))) {
        dialogs.Message(parent, caption, *problem);
        return {};
    }
    if (QFileInfo::exists(file)) {
        const QString text = FileNameOnly(file) + QStringLiteral(" already exists.\nDo you want to replace it?");
        if (dialogs.Question(parent, QStringLiteral("Confirm Save As"), text) != Dialogs::Answer::Yes)
            return {};
    }
    return file;
}

QString FileNameOnly(const QString& path)
{
    return QFileInfo(path).fileName();
}
