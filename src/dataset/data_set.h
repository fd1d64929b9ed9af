#pragma once
// A data set: the records of one table or query, a cursor on one of them and
// the state machine through which the record is edited (inactive, browse,
// edit, insert). Every change is told to the attached data sources, which
// pass it to their links. Storage is left to a subclass (TSqlDataSet).
//
// Cursor: an open data set starts on its first record with BOF set. Prior
// on the first record and Next on the last stay put and set BOF or EOF; on
// an empty set both are set. Moving off an edited record posts it (or
// cancels it when nothing was changed).
//
// Failures (a refused Edit, a write the database rejects) return false and
// leave their reason in LastError(); a failed Post keeps the edit.
// Everything here runs on the GUI thread.

#include "dataset/data_types.h"
#include "dataset/field.h"
#include "dataset/search_index.h"

#include <QString>
#include <QVariant>

#include <memory>
#include <vector>

class TDataSource;

/// What a data set's storage reports about its columns when it opens.
struct TFieldDef {
    QString name;
    TFieldType type = TFieldType::ftString;
    int size = 0;
    bool required = false;
    bool readOnly = false;
};

/// A record as it was read: where the storage found it (its own key) and
/// its data-field values, so that a write can check it is still that row.
struct TReadRecord {
    QVariant key;
    std::vector<QVariant> values;
};

class TDataSet {
public:
    TDataSet() = default;
    virtual ~TDataSet();
    TDataSet(const TDataSet&) = delete;
    TDataSet& operator=(const TDataSet&) = delete;

    // --- Opening --------------------------------------------------------------
    /// Reads the column list and the record count, goes to the first record.
    /// False (and LastError) when the storage cannot be read.
    bool Open();
    /// Drops the fields and any pending edit.
    void Close();
    bool Active() const { return m_state != TDataSetState::dsInactive; }
    TDataSetState State() const { return m_state; }

    // --- Cursor -----------------------------------------------------------------
    /// At the beginning (EOF is a C macro, so the pair is spelled Bof/Eof).
    bool Bof() const { return m_bof; }
    bool Eof() const { return m_eof; }
    bool IsEmpty() const { return RecordCount() == 0; }
    int RecordCount() const;
    /// Index of the current record (0-based); -1 when inactive or empty;
    /// RecordCount() while inserting.
    int RecNo() const { return m_recNo; }
    void First();
    void Last();
    void Next();
    void Prior();
    /// Moves by up to `distance` records; returns how far it moved.
    int MoveBy(int distance);
    /// Moves to record `index` (clamped to the records).
    void SetRecNo(int index);

    // --- Editing ----------------------------------------------------------------
    /// Starts editing the current record (an empty set starts an insert).
    /// Already editing: true at once.
    bool Edit();
    /// Starts a new, empty record after posting any pending edit. The new
    /// record is shown after the last one (RecNo() == RecordCount(), EOF set),
    /// where the table puts it; Cancel goes back to the record before.
    bool Insert();
    /// Asks the links for their pending values, then writes the record.
    bool Post();
    /// Drops the pending edit and shows the stored record again.
    void Cancel();
    /// Deletes the current record (cancelling an insert instead).
    bool Delete();
    /// Posts or cancels a pending edit, then reads the records again,
    /// keeping the cursor on the same index where it can.
    bool Refresh();
    /// Links write their pending values into the edit buffer; false when a
    /// link's value was refused (LastError says why).
    bool UpdateRecord();
    /// From a link whose value the field refused during UpdateRecord; a
    /// non-empty reason becomes LastError.
    void RefuseUpdate(const QString& reason = {})
    {
        m_updateRefused = true;
        if (!reason.isEmpty())
            m_lastError = reason;
    }
    /// Finishes an edit before the record is left: post when modified, else cancel.
    bool CheckBrowseMode();
    bool Modified() const { return m_modified; }
    /// Open, writable storage and not ReadOnly.
    bool CanModify() const;
    bool ReadOnly() const { return m_readOnly; }
    void SetReadOnly(bool on) { m_readOnly = on; }
    /// Why the last operation failed.
    QString LastError() const { return m_lastError; }

    // --- Fields -------------------------------------------------------------------
    int FieldCount() const { return int(m_fields.size()); }
    TField* Fields(int i) const;
    /// The field of that name, compared without regard to case; null when none.
    TField* FindField(const QString& name) const;
    /// Declares a lookup field; it is made at the next Open.
    void AddLookupField(const QString& name, const QString& keyFields, TDataSet* lookupDataSet,
                        const QString& lookupKeyFields, const QString& resultField, int size = 20);

    /// Moves to the first record whose field matches; false (cursor kept) when
    /// none does. A data field is searched in a search index built once per
    /// change of the records (see TSearchIndex), other fields record by
    /// record. While the storage reads a string field's index in the
    /// background (PrepareSearch), a case-insensitive search looks in what is
    /// read and in the storage for the rest, never reading every record on
    /// the caller's thread.
    bool Locate(const QString& fieldName, const QVariant& value, TLocateOptions options = {});
    /// Starts reading a string data field's case-insensitive search index in
    /// the background, where the storage does so (TSqlDataSet: long tables);
    /// nothing when it is read or being read. Changed records drop it.
    void PrepareSearch(const QString& fieldName);
    /// Search indexes read on the caller's thread, every record at once (for tests).
    int SearchIndexReads() const { return m_searchIndexReads; }
    /// The result field of the first record whose key field equals the key; null when none.
    QVariant Lookup(const QString& keyField, const QVariant& key, const QString& resultField) const;
    /// Index of the first record whose field equals the key (compared as
    /// text); -1 when none. Found through a key map built once per change of
    /// the records, or, for a unique field, on the current record (where a
    /// search moved) or by the storage while it reads a search index in the
    /// background.
    int FindRecord(const QString& fieldName, const QVariant& key) const;
    /// The last move, open or refresh did not happen: its record could not
    /// be read, or the pending edit could not be posted first (LastError says why).
    bool LastReadFailed() const { return m_readFailed; }
    /// Values of one field over records from..from+count-1 (clamped), for lists and grids.
    std::vector<QVariant> RecordValues(int from, int count, int fieldIndex) const;
    /// One record's value of a field, without moving the cursor.
    QVariant ValueAt(int index, int fieldIndex) const;

    // --- For fields and sources -------------------------------------------------
    /// The current record's value; a BLOB left unread by the page is read now.
    QVariant FieldValue(const TField& field) const;
    /// The current record's value as read with its page (a BLOB may be a TUnreadBlob).
    QVariant RawFieldValue(const TField& field) const;
    bool SetFieldValue(TField& field, const QVariant& value);
    void AttachSource(TDataSource* source);
    void DetachSource(TDataSource* source);
    /// Passes an event to every source and, through them, to every link.
    void DataEvent(TDataEvent event, TField* field = nullptr, int info = 0);

protected:
    /// Columns of the storage; false with `error` set when it cannot be read.
    virtual bool DoOpen(std::vector<TFieldDef>& defs, QString& error) = 0;
    virtual void DoClose() = 0;
    virtual int DoRecordCount() const = 0;
    /// Data-field values of record `index` (0 <= index < count); false with
    /// `error` set when the storage could not be read.
    virtual bool DoFetch(int index, std::vector<QVariant>& row, QString& error) const = 0;
    /// Every record's value of one data field, in record order (for key maps).
    virtual bool DoColumn(int fieldIndex, std::vector<QVariant>& values, QString& error) const;
    /// Where the storage finds record `index` again (after a DoFetch of it).
    virtual QVariant DoRecordKey(int index) const { return {}; }
    /// The full value of a large field that a fetch left unread (see TUnreadBlob).
    virtual QVariant DoReadBlob(const QVariant& key, int fieldIndex) const { return {}; }
    /// Writes the record (`read`: the record edited, as read; unused for an
    /// insert); on success `index` is where the record now sits. A record
    /// that is no longer as read is refused.
    virtual bool DoPost(bool inserting, int& index, const TReadRecord& read, const std::vector<QVariant>& values,
                        const std::vector<bool>& changed, QString& error) = 0;
    /// Deletes the record, refused when it is no longer as read.
    virtual bool DoDelete(int index, const TReadRecord& read, QString& error) = 0;
    /// Reads the records again, the page of record `keep` first; on failure
    /// (`error` set) what was read before stays. `unchanged`: the records are
    /// as the read before found them (nothing written since, here or
    /// elsewhere), so the key maps, search indexes and background reads stand.
    virtual bool DoRefresh(int keep, QString& error, bool& unchanged) = 0;
    /// Starts a background read of a string field's case-folded search index.
    virtual void DoPrepareSearch(int fieldIndex) {}
    /// Hands over a background read's index once it is complete.
    virtual bool DoTakeSearchIndex(int fieldIndex, TSearchIndex& index) { return false; }
    /// While a background read runs: the first record matching `key`
    /// case-folded (`found`, -1 when none; `error` set when a read failed).
    /// False when no read runs, so the index is read here.
    virtual bool DoSearchWhileReading(int fieldIndex, QStringView key, bool partial, int& found, QString& error)
    {
        return false;
    }
    /// Stops and forgets the background reads.
    virtual void DoDropSearchReads() const {}
    /// No two records hold the same value of this field (a one-column integer key).
    virtual bool DoUniqueField(int fieldIndex) const { return false; }
    /// The record holding a unique field's key found without a key map
    /// (`index` -1 when none); false when the storage cannot do so quickly.
    virtual bool DoFindUnique(int fieldIndex, const QVariant& key, int& index) const { return false; }
    /// Forgets the key maps and search indexes (the records changed).
    void DropKeyMaps() const
    {
        m_keyMaps.clear();
        m_searchIndexes.clear();
        DoDropSearchReads();
    }
    virtual bool DoCanModify() const = 0;

private:
    struct LookupDef {
        QString name, keyFields, lookupKeyFields, resultField;
        TDataSet* lookupDataSet = nullptr;
        int size = 20;
    };

    struct KeyMap {
        int fieldIndex = -1;
        std::vector<std::pair<size_t, int>> entries;  // hash of the key text, record index; sorted
    };

    void SetState(TDataSetState state);
    /// The field's search index, built now when missing; null when the field
    /// has none (not a data field, a BLOB) or its column cannot be read.
    const TSearchIndex* SearchIndexOf(const TField& field, bool folded) const;
    const TSearchIndex* ReadyIndex(int fieldIndex, bool folded) const;
    /// A case-insensitive search of a string field before its index is
    /// complete; false when there is no background read to search.
    bool SearchWhileReading(const TField& field, const QString& key, bool partial, int& found, QString& error);
    bool LoadCurrent();
    QVariant Resolved(const std::vector<QVariant>& row, size_t field) const;
    void ComputeLookups(std::vector<QVariant>& row) const;
    bool Fail(const QString& error);
    void MoveTo(int index, bool first, bool last);
    /// Before a move: finish a pending edit; a refusal fails the move.
    bool LeaveRecord();
    TReadRecord CurrentAsRead() const;

    TDataSetState m_state = TDataSetState::dsInactive;
    std::vector<std::unique_ptr<TField>> m_fields;
    std::vector<LookupDef> m_lookupDefs;
    int m_dataFieldCount = 0;
    mutable std::vector<QVariant> m_current;  // the current record, lookups included
    QVariant m_currentKey;                    // where the storage found it
    mutable std::vector<QVariant> m_buffer;   // the record being edited
    mutable std::vector<KeyMap> m_keyMaps;
    mutable std::vector<TSearchIndex> m_searchIndexes;
    mutable int m_searchIndexReads = 0;
    std::vector<bool> m_changed;
    int m_recNo = -1;
    int m_insertFrom = -1;  // the record the cursor was on before an insert
    bool m_bof = true;
    bool m_eof = true;
    bool m_modified = false;
    bool m_readOnly = false;
    bool m_updateRefused = false;
    mutable bool m_readFailed = false;
    mutable QString m_lastError;
    std::vector<TDataSource*> m_sources;  // not owned; sources detach themselves
};
