#pragma once
// Kinds shared by the data sets, their fields, sources and links.

#include <QFlags>
#include <QMetaType>

#include <cstdint>

enum class TDataSetState : std::uint8_t { dsInactive = 0, dsBrowse = 1, dsEdit = 2, dsInsert = 3 };

enum class TFieldType : std::uint8_t { ftString, ftInteger, ftFloat, ftBoolean, ftMemo, ftGraphic };

/// Data fields hold a column; lookup fields are computed from another data set.
enum class TFieldKind : std::uint8_t { fkData, fkInternalCalc, fkLookup };

/// What a data set tells its sources and, through them, every link.
enum class TDataEvent : std::uint8_t {
    deFieldChange,      // one field's value changed (field given)
    deRecordChange,     // the whole current record changed
    deDataSetChange,    // the records changed (open, post, cancel, delete, refresh)
    deDataSetScroll,    // the cursor moved (distance given)
    deLayoutChange,     // fields came or went
    deUpdateRecord,     // links write their pending values (before a post)
    deUpdateState,      // state or activity changed
    deCheckBrowseMode,  // links finish their editing before the record is left
};

enum class TLocateOption : std::uint8_t { loCaseInsensitive = 1, loPartialKey = 2 };
Q_DECLARE_FLAGS(TLocateOptions, TLocateOption)
Q_DECLARE_OPERATORS_FOR_FLAGS(TLocateOptions)

/// Stands for a BLOB value that a page read left in the database: only its
/// size is known until a control asks for the value.
struct TUnreadBlob {
    qint64 size = 0;
};
Q_DECLARE_METATYPE(TUnreadBlob)
