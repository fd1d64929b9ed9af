#include "sequencer/file_conversions.h"

#include "model/drawing_file.h"
#include "model/file_io.h"
#include "model/ilda_file.h"
#include "model/section_file.h"
#include "model/show_folders.h"
#include "model/show_model.h"
#include "model/show_text.h"
#include "player/section_grid.h"
#include "shell/new_file_names.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace {

// Fields B..R of the two row kinds. The list rows and the frame rows differ
// in B (speed) and P (send speed): keep them apart.
constexpr char kListRowTail[] = "0|0|0|0|0|0|0|0|0|257|20|0|30|0|85|0|0";
constexpr char kFrameRowTail[] = "100|0|0|0|0|0|0|0|0|257|20|0|30|0|100|0|0";

constexpr char kSectionExistsQuestion[] = "This section have already exists,replace it?";
constexpr char kListIldaExistsQuestion[] = "This ILDAimage have already exists,replace it?";
constexpr char kSectionIldaExistsQuestion[] = "This ILDAimage have already exists,replace?";

QString Join(const QString& folder, const QString& name)
{
    return folder.endsWith(u'/') ? folder + name : folder + u'/' + name;
}

QByteArray SectionText(const QStringList& names, const QString& playTime, const char* tail)
{
    QByteArray text;
    for (const QString& name : names) {
        text += name.toUtf8();
        text += '|';
        text += playTime.toUtf8();
        text += '|';
        text += tail;
        text += "\r\n";
    }
    return text;
}

// The name steps shared by the four conversions: the target name, its checks
// and the replace question. Returns the path to write, or the result to end with.
struct Target {
    QString path;
    ConversionResult end;
    bool go = false;
};

// The file a new name lands on: the name itself, or an existing file whose
// name differs only in case (show folders treat such names as one file).
QString LandingPath(const QString& folder, const QString& name)
{
    const QString exact = Join(folder, name);
    if (IsRegularFile(exact))
        return exact;
    const QStringList entries = QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    for (const QString& entry : entries) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0 && IsRegularFile(Join(folder, entry)))
            return Join(folder, entry);
    }
    return exact;
}

Target PrepareTarget(const QString& folder, const QString& typedName, const QString& extension,
                     const QString* playTime, const char* question, ConversionPrompter& prompter)
{
    Target target;
    const QString name = TargetFileName(typedName, extension);
    target.end.fileName = name;
    if (name.isEmpty()) {
        target.end.status = ConversionStatus::Skipped;
        return target;
    }
    if (const std::optional<QString> problem = NewFileNameProblem(typedName.trimmed())) {
        prompter.ShowMessage(*problem);
        target.end.status = ConversionStatus::Refused;
        return target;
    }
    if (playTime) {
        if (const std::optional<QString> problem = PlayTimeProblem(*playTime)) {
            prompter.ShowMessage(*problem);
            target.end.status = ConversionStatus::Refused;
            return target;
        }
    }
    target.path = LandingPath(folder, name);
    // What follows (the list's selection, D's drawing names) goes by the file actually written.
    target.end.fileName = QFileInfo(target.path).fileName();
    if (IsRegularFile(target.path) && !prompter.ConfirmReplace(QString::fromLatin1(question))) {
        target.end.status = ConversionStatus::Declined;
        return target;
    }
    target.go = true;
    return target;
}

// PrepareTarget for a conversion that reads one source file first.
Target PrepareTargetFor(const QString& sourcePath, const QString& folder, const QString& typedName,
                        const QString& extension, const QString* playTime, const char* question,
                        ConversionPrompter& prompter)
{
    if (!IsRegularFile(sourcePath)) {
        Target missing;
        missing.end = {ConversionStatus::SourceMissing, QString()};
        return missing;
    }
    return PrepareTarget(folder, typedName, extension, playTime, question, prompter);
}

// An unreadable source: the operator sees why and nothing is written.
ConversionResult ReadFailed(const Target& target, const FileResult& read, ConversionPrompter& prompter)
{
    prompter.ShowMessage(read.message);
    return {ConversionStatus::Failed, target.end.fileName};
}

void AppendFrameOf(TILDAimage& image, const Drawing& drawing)
{
    TILDAframe frame;
    DrawingToFrame(drawing, frame);
    image.Frames.push_back(std::move(frame));
}

ConversionResult Finish(const Target& target, bool ok, ConversionPrompter& prompter, const QString& message)
{
    ConversionResult result = target.end;
    if (ok) {
        result.status = ConversionStatus::Written;
    } else {
        prompter.ShowMessage(message.isEmpty() ? QStringLiteral("Could not write %1.").arg(target.path) : message);
        result.status = ConversionStatus::Failed;
    }
    return result;
}

// How many drawings an image was written without, and why (the first few).
QString LeftOutMessage(const QStringList& reasons, qsizetype listed, const QString& fileName)
{
    constexpr qsizetype kReasonsShown = 10;
    QStringList lines{QStringLiteral("%1 of %2 drawings could not be read and were left out of %3:")
                          .arg(reasons.size())
                          .arg(listed)
                          .arg(fileName)};
    lines += reasons.mid(0, kReasonsShown);
    if (reasons.size() > kReasonsShown)
        lines << QStringLiteral("...");
    return lines.join(u'\n');
}

ConversionResult WriteImage(const Target& target, const TILDAimage& image, ConversionPrompter& prompter)
{
    const FileResult written = WriteIldaFile(target.path, image);
    return Finish(target, written.ok, prompter, written.message);
}

}  // namespace

QString TargetFileName(const QString& typed, const QString& extension)
{
    const QString name = typed.trimmed();
    if (name.isEmpty())
        return QString();
    const qsizetype dot = name.lastIndexOf(u'.');
    const QString own = dot >= 0 ? name.mid(dot).toLower() : QString();
    const QString wanted = extension.toLower();
    return own == wanted ? name : name + wanted;
}

QString FrameDrawingPrefix(const QString& sectionFileName)
{
    return sectionFileName.left(std::max<qsizetype>(0, sectionFileName.size() - 4)) + QStringLiteral("_sec_");
}

QString FrameNumberText(int number)
{
    return QString::number(number).rightJustified(5, u'0');
}

std::optional<QString> PlayTimeProblem(const QString& playTime)
{
    static const QRegularExpression decimal(QStringLiteral("^[+-]?[0-9]+$"));
    const QString text = playTime.trimmed();
    if (decimal.match(text).hasMatch() && ParseInt32(text))
        return std::nullopt;
    return QStringLiteral("The play time \"%1\" is not a whole number.").arg(ElidedForMessage(playTime));
}

QByteArray ListSectionText(const QStringList& drawingNames, const QString& playTime)
{
    return SectionText(drawingNames, playTime, kListRowTail);
}

QByteArray FrameSectionText(const QStringList& drawingNames, const QString& playTime)
{
    return SectionText(drawingNames, playTime, kFrameRowTail);
}

ConversionResult WriteListAsSection(const ConversionFolders& folders, const QStringList& drawingNames,
                                      const QString& typedName, const QString& playTime,
                                      ConversionPrompter& prompter)
{
    // A name that would split its row is refused before any question or write.
    if (!TargetFileName(typedName, QString::fromLatin1(kSectionExtension)).isEmpty()) {
        for (const QString& name : drawingNames) {
            if (const std::optional<QString> problem = SectionDrawingNameProblem(name)) {
                prompter.ShowMessage(*problem);
                return {ConversionStatus::Refused, QString()};
            }
        }
    }
    const Target target = PrepareTarget(folders.section, typedName, QString::fromLatin1(kSectionExtension),
                                        &playTime, kSectionExistsQuestion, prompter);
    if (!target.go)
        return target.end;
    const FileResult written = SaveWholeFile(target.path, ListSectionText(drawingNames, playTime.trimmed()));
    return Finish(target, written.ok, prompter, written.message);
}

ConversionResult ConvertListToIlda(const ConversionFolders& folders, const QStringList& drawingNames,
                                   const QString& typedName, ConversionPrompter& prompter)
{
    if (drawingNames.isEmpty())
        return {};
    const Target target = PrepareTarget(folders.ilda, typedName, QString::fromLatin1(kIldaExtension), nullptr,
                                        kListIldaExistsQuestion, prompter);
    if (!target.go)
        return target.end;
    TILDAimage image;
    QStringList leftOut;
    for (const QString& name : drawingNames) {
        const QString path = Join(folders.drawing, name);
        const FileBytes file = ReadFileBytes(path, kMaxDrawingFileBytes);
        if (file.missing())
            continue;  // deleted since it was listed: no frame
        if (!file.read()) {
            leftOut << CannotOpenMessage(path, file.reason);
            continue;
        }
        AppendFrameOf(image, DrawingFromBytes(file.bytes, kFileScale));
    }
    const ConversionResult result = WriteImage(target, image, prompter);
    if (result.status == ConversionStatus::Written && !leftOut.isEmpty())
        prompter.ShowMessage(LeftOutMessage(leftOut, drawingNames.size(), result.fileName));
    return result;
}

ConversionResult ConvertSectionToIlda(const ConversionFolders& folders, const QString& programFolder,
                                      const QString& sectionPath, const QString& typedName,
                                      ConversionPrompter& prompter)
{
    const Target target = PrepareTargetFor(sectionPath, folders.ilda, typedName, QString::fromLatin1(kIldaExtension),
                                           nullptr, kSectionIldaExistsQuestion, prompter);
    if (!target.go)
        return target.end;
    std::vector<TSectionRecord> rows;
    if (const FileResult read = ReadSectionFile(sectionPath, rows, ShowFolders(programFolder)); !read)
        return ReadFailed(target, read, prompter);
    TILDAimage image;
    for (const TSectionRecord& row : rows)
        AppendFrameOf(image, row.Paths);
    return WriteImage(target, image, prompter);
}

ConversionResult WriteIldFramesAsSection(const ConversionFolders& folders, const QString& ildaPath,
                                      const QString& typedName, const QString& playTime,
                                      ConversionPrompter& prompter)
{
    const Target target = PrepareTargetFor(ildaPath, folders.section, typedName,
                                           QString::fromLatin1(kSectionExtension), &playTime, kSectionExistsQuestion,
                                           prompter);
    if (!target.go)
        return target.end;
    const QString prefix = FrameDrawingPrefix(target.end.fileName);
    TILDAimage image;
    // A damaged image is not converted in part.
    if (const FileResult read = ReadIldaFile(ildaPath, image); !read)
        return ReadFailed(target, read, prompter);
    QStringList names;
    Drawing scratch;
    int number = 0;
    for (const TILDAframe& frame : image.Frames) {
        FrameToDrawing(scratch, frame);
        const QString name = prefix + FrameNumberText(++number) + QString::fromLatin1(kDrawingExtension);
        const QString path = Join(folders.drawing, name);
        if (const FileResult written = WriteDrawingFile(path, scratch, kFileScale); !written) {
            prompter.ShowMessage(written.message);
            return {ConversionStatus::Failed, target.end.fileName};
        }
        names.append(name);
    }
    const FileResult written = SaveWholeFile(target.path, FrameSectionText(names, playTime.trimmed()));
    return Finish(target, written.ok, prompter, written.message);
}
