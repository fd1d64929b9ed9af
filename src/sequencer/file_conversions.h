#pragma once
// The four conversions between show-file kinds, without a window:
//   A  a list of drawing names -> a section file (one row per name),
//   B  a list of drawing names -> an ILDA image (one frame per drawing),
//   C  a section file          -> an ILDA image (one frame per row),
//   D  an ILDA image           -> one drawing per frame and a section playing them.
// Each works on the folders it is given and asks its questions through a
// ConversionPrompter. A conversion writes nothing until every question is
// answered and every input checked; every write is atomic and checked.

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

/// Where the conversions read and write.
struct ConversionFolders {
    QString drawing;        ///< drawing files (.ddr); also where section rows' drawings are read
    QString section;        ///< section files (.sec)
    QString ilda;           ///< ILDA images (.ild)
};

/// The operator, as the conversions need them.
class ConversionPrompter {
public:
    virtual ~ConversionPrompter() = default;
    /// A Yes/No question before a file is replaced; true only for Yes.
    virtual bool ConfirmReplace(const QString& question) = 0;
    /// A message the operator acknowledges (a refused input, a failed read or write).
    virtual void ShowMessage(const QString& text) = 0;
};

/// How a conversion ended.
enum class ConversionStatus {
    Written,        ///< the target (and for D the drawings) is written
    Skipped,        ///< nothing to do: a blank name, or B with an empty list
    Declined,       ///< the operator did not answer Yes to the replace question
    Refused,        ///< an unusable name or play time, already reported
    SourceMissing,  ///< C or D: the source file is no longer there
    Failed,         ///< a read or write failed, already reported
};

struct ConversionResult {
    ConversionStatus status = ConversionStatus::Skipped;
    /// The target's file name (with its extension) once the name steps ran.
    QString fileName;
};

inline constexpr char kSectionExtension[] = ".sec";
inline constexpr char kIldaExtension[] = ".ild";
inline constexpr char kDrawingExtension[] = ".ddr";

/// The target name for a typed name: trimmed; the lower-cased extension added
/// unless the name's own extension (from its last ".") equals it ignoring
/// case. Empty for a blank name.
QString TargetFileName(const QString& typed, const QString& extension);

/// The drawing-name prefix of conversion D: the section file name less its
/// last four characters, then "_sec_".
QString FrameDrawingPrefix(const QString& sectionFileName);

/// A frame number zero-padded to five digits; longer numbers unchanged.
QString FrameNumberText(int number);

/// The message for a play time that is not a decimal integer, or nullopt when it is one.
std::optional<QString> PlayTimeProblem(const QString& playTime);

/// The section text of conversion A: one CR LF ended row per name.
QByteArray ListSectionText(const QStringList& drawingNames, const QString& playTime);
/// The section text of conversion D: one CR LF ended row per generated drawing.
QByteArray FrameSectionText(const QStringList& drawingNames, const QString& playTime);

/// Conversion A into folders.section.
ConversionResult WriteListAsSection(const ConversionFolders& folders, const QStringList& drawingNames,
                                      const QString& typedName, const QString& playTime,
                                      ConversionPrompter& prompter);
/// Conversion B into folders.ilda; names are resolved in folders.drawing and a
/// missing file gives no frame. A drawing that is there but cannot be read (a
/// folder, a pipe, no permission) gives no frame either; once the image is
/// written, a message says how many were left out and why.
ConversionResult ConvertListToIlda(const ConversionFolders& folders, const QStringList& drawingNames,
                                   const QString& typedName, ConversionPrompter& prompter);
/// Conversion C of the section file at sectionPath into folders.ilda; rows'
/// drawings come from the "Drawing" folder of programFolder.
ConversionResult ConvertSectionToIlda(const ConversionFolders& folders, const QString& programFolder,
                                      const QString& sectionPath, const QString& typedName,
                                      ConversionPrompter& prompter);
/// Conversion D of the ILDA file at ildaPath: drawings into folders.drawing
/// (same-named drawings replaced), the section into folders.section.
ConversionResult WriteIldFramesAsSection(const ConversionFolders& folders, const QString& ildaPath,
                                      const QString& typedName, const QString& playTime,
                                      ConversionPrompter& prompter);
