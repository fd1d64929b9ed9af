#pragma once
// The texts the data-aware controls show and report.

#include <QString>

namespace db_texts {
inline QString FirstRecord() { return QStringLiteral("First record"); }
inline QString PriorRecord() { return QStringLiteral("Prior record"); }
inline QString NextRecord() { return QStringLiteral("Next record"); }
inline QString LastRecord() { return QStringLiteral("Last record"); }
inline QString InsertRecord() { return QStringLiteral("Insert record"); }
inline QString DeleteRecord() { return QStringLiteral("Delete record"); }
inline QString EditRecord() { return QStringLiteral("Edit record"); }
inline QString PostEdit() { return QStringLiteral("Post edit"); }
inline QString CancelEdit() { return QStringLiteral("Cancel edit"); }
inline QString Confirm() { return QStringLiteral("Confirm"); }
inline QString RefreshData() { return QStringLiteral("Refresh data"); }
/// What a text control or a cell shows for bytes it cannot show as text.
inline QString Bytes() { return QStringLiteral("(BLOB)"); }
inline QString DeleteRecordQuestion() { return QStringLiteral("Delete record?"); }
inline QString DeleteMultipleRecordsQuestion() { return QStringLiteral("Delete all selected records?"); }
inline QString NotAllowedInControlGrid() { return QStringLiteral("Operation not allowed in a DBCtrlGrid"); }
inline QString NotReplicatable() { return QStringLiteral("Control cannot be used in a DBCtrlGrid"); }
inline QString PropDefByLookup() { return QStringLiteral("Property already defined by lookup field"); }
inline QString TooManyColumns() { return QStringLiteral("Grid requested to display more than 256 columns"); }
inline QString CircularDataLink() { return QStringLiteral("Circular datalinks are not allowed"); }
}  // namespace db_texts
