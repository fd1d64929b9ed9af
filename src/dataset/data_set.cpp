#include "dataset/data_set.h"

#include "dataset/data_source.h"

#include <QHashFunctions>

#include <algorithm>

TDataSet::~TDataSet()
{
    const auto sources = m_sources;
    m_sources.clear();
    for (TDataSource* source : sources)
        source->DataSetGone();
}

bool TDataSet::Open()
{
    if (Active())
        return true;
    std::vector<TFieldDef> defs;
    QString error;
    if (!DoOpen(defs, error))
        return Fail(error);
    m_fields.clear();
    for (const TFieldDef& def : defs) {
        auto field = std::make_unique<TField>(*this, int(m_fields.size()), def.name, def.type, def.size,
                                              TFieldKind::fkData);
        field->SetRequired(def.required);
        field->SetReadOnly(def.readOnly);
        m_fields.push_back(std::move(field));
    }
    m_dataFieldCount = int(m_fields.size());
    for (const LookupDef& def : m_lookupDefs) {
        auto field = std::make_unique<TField>(*this, int(m_fields.size()), def.name, TFieldType::ftString, def.size,
                                              TFieldKind::fkLookup);
        field->SetLookup(def.keyFields, def.lookupDataSet, def.lookupKeyFields, def.resultField);
        m_fields.push_back(std::move(field));
    }
    m_state = TDataSetState::dsBrowse;  // the record is read before anyone is told
    m_recNo = DoRecordCount() > 0 ? 0 : -1;
    m_bof = true;
    m_eof = m_recNo < 0;
    m_modified = false;
    DropKeyMaps();
    m_current.clear();
    if (!LoadCurrent()) {
        m_state = TDataSetState::dsInactive;
        m_fields.clear();
        m_recNo = -1;
        DoClose();
        return false;
    }
    m_state = TDataSetState::dsInactive;
    SetState(TDataSetState::dsBrowse);
    return true;
}

void TDataSet::Close()
{
    if (!Active())
        return;
    SetState(TDataSetState::dsInactive);
    m_fields.clear();
    m_current.clear();
    m_buffer.clear();
    m_recNo = -1;
    m_bof = m_eof = true;
    DropKeyMaps();
    DoClose();
}

int TDataSet::RecordCount() const
{
    return Active() ? DoRecordCount() : 0;
}

bool TDataSet::LeaveRecord()
{
    m_readFailed = false;
    if (!Active())
        return false;
    // A post refused here (a lock, a changed row) is the move's failure too.
    m_readFailed = !CheckBrowseMode();
    return !m_readFailed;
}

void TDataSet::First()
{
    if (LeaveRecord())
        MoveTo(0, true, false);
}

void TDataSet::Last()
{
    if (LeaveRecord())
        MoveTo(RecordCount() - 1, false, true);
}

void TDataSet::Next()
{
    MoveBy(1);
}

void TDataSet::Prior()
{
    MoveBy(-1);
}

int TDataSet::MoveBy(int distance)
{
    if (distance == 0 || !LeaveRecord())
        return 0;
    const int count = RecordCount();
    const bool oldBof = m_bof;
    const bool oldEof = m_eof;
    const int oldRecNo = m_recNo;
    m_bof = m_eof = false;
    if (count == 0) {
        m_bof = m_eof = true;
        return 0;
    }
    const int target = std::clamp(m_recNo + distance, 0, count - 1);
    const int moved = target - m_recNo;
    if (distance > 0 && moved < distance)
        m_eof = true;
    if (distance < 0 && moved > distance)
        m_bof = true;
    if (moved != 0) {
        m_recNo = target;
        if (!LoadCurrent()) {
            // The record could not be read: stay where the cursor was.
            m_recNo = oldRecNo;
            m_bof = oldBof;
            m_eof = oldEof;
            return 0;
        }
    }
    if (moved != 0 || oldBof != m_bof || oldEof != m_eof)
        DataEvent(TDataEvent::deDataSetScroll, nullptr, moved);
    return moved;
}

void TDataSet::SetRecNo(int index)
{
    if (!Active() || RecordCount() == 0)
        return;
    const int target = std::clamp(index, 0, RecordCount() - 1);
    if (target != m_recNo)
        MoveBy(target - m_recNo);
}

void TDataSet::MoveTo(int index, bool first, bool last)
{
    const int oldRecNo = m_recNo;
    const bool oldBof = m_bof;
    const bool oldEof = m_eof;
    const int count = RecordCount();
    if (count == 0) {
        m_recNo = -1;
        m_bof = m_eof = true;
    } else {
        m_recNo = std::clamp(index, 0, count - 1);
        m_bof = first;
        m_eof = last;
    }
    if (!LoadCurrent()) {
        m_recNo = oldRecNo;
        m_bof = oldBof;
        m_eof = oldEof;
        return;
    }
    DataEvent(TDataEvent::deDataSetChange);
}

bool TDataSet::Edit()
{
    if (m_state == TDataSetState::dsEdit || m_state == TDataSetState::dsInsert)
        return true;
    if (!Active())
        return Fail(QStringLiteral("Cannot perform this operation on a closed data set"));
    if (IsEmpty())
        return Insert();
    if (!CanModify())
        return Fail(QStringLiteral("Cannot modify a read-only data set"));
    m_buffer = m_current;
    m_changed.assign(m_fields.size(), false);
    m_modified = false;
    SetState(TDataSetState::dsEdit);
    DataEvent(TDataEvent::deRecordChange);
    return true;
}

bool TDataSet::Insert()
{
    if (!Active())
        return Fail(QStringLiteral("Cannot perform this operation on a closed data set"));
    if (!CheckBrowseMode())
        return false;
    if (!CanModify())
        return Fail(QStringLiteral("Cannot modify a read-only data set"));
    m_buffer.assign(m_fields.size(), QVariant());
    ComputeLookups(m_buffer);
    m_changed.assign(m_fields.size(), false);
    m_modified = false;
    // The new record sits after the last one, where the table will put it.
    m_insertFrom = m_recNo;
    m_recNo = RecordCount();
    m_bof = m_recNo == 0;
    m_eof = true;
    SetState(TDataSetState::dsInsert);
    DataEvent(TDataEvent::deDataSetChange);
    return true;
}

bool TDataSet::Post()
{
    if (m_state != TDataSetState::dsEdit && m_state != TDataSetState::dsInsert)
        return Fail(QStringLiteral("Data set not in edit or insert mode"));
    if (!UpdateRecord())
        return false;  // a control holds a value its field refused
    const bool inserting = m_state == TDataSetState::dsInsert;
    int index = m_recNo;
    std::vector<QVariant> values(m_buffer.begin(), m_buffer.begin() + m_dataFieldCount);
    std::vector<bool> changed(m_changed.begin(), m_changed.begin() + m_dataFieldCount);
    QString error;
    if (!DoPost(inserting, index, CurrentAsRead(), values, changed, error))
        return Fail(error);  // the edit stays, so the operator can mend it
    m_buffer.clear();
    DropKeyMaps();
    SetState(TDataSetState::dsBrowse);
    const int count = RecordCount();
    m_recNo = count == 0 ? -1 : std::clamp(index, 0, count - 1);
    m_bof = m_eof = count == 0;
    m_current.clear();
    m_readFailed = !LoadCurrent();
    DataEvent(TDataEvent::deDataSetChange);
    return true;
}

void TDataSet::Cancel()
{
    if (m_state != TDataSetState::dsEdit && m_state != TDataSetState::dsInsert)
        return;
    const bool inserting = m_state == TDataSetState::dsInsert;
    m_buffer.clear();
    if (inserting) {
        const int count = RecordCount();
        m_recNo = count == 0 ? -1 : std::clamp(m_insertFrom, 0, count - 1);
        m_bof = m_eof = count == 0;
    }
    SetState(TDataSetState::dsBrowse);
    LoadCurrent();
    DataEvent(TDataEvent::deDataSetChange);
}

bool TDataSet::Delete()
{
    if (!Active())
        return Fail(QStringLiteral("Cannot perform this operation on a closed data set"));
    if (m_state == TDataSetState::dsInsert) {
        Cancel();
        return true;
    }
    if (RecordCount() == 0)
        return Fail(QStringLiteral("Cannot perform this operation on an empty data set"));
    if (!CanModify())
        return Fail(QStringLiteral("Cannot modify a read-only data set"));
    QString error;
    if (!DoDelete(m_recNo, CurrentAsRead(), error))
        return Fail(error);
    m_buffer.clear();
    DropKeyMaps();
    const int count = RecordCount();
    m_recNo = count == 0 ? -1 : std::min(m_recNo, count - 1);
    m_bof = m_eof = count == 0;
    if (m_state != TDataSetState::dsBrowse)
        SetState(TDataSetState::dsBrowse);
    m_current.clear();
    m_readFailed = !LoadCurrent();
    DataEvent(TDataEvent::deDataSetChange);
    return true;
}

bool TDataSet::Refresh()
{
    m_readFailed = false;
    if (!Active() || !CheckBrowseMode())
        return false;
    QString error;
    bool unchanged = false;
    if (!DoRefresh(std::max(m_recNo, 0), error, unchanged)) {
        // The rows read before stay on show; the operator sees why.
        m_readFailed = true;
        return Fail(error);
    }
    if (!unchanged)
        DropKeyMaps();
    const int count = RecordCount();
    m_recNo = count == 0 ? -1 : std::clamp(m_recNo, 0, count - 1);
    if (count == 0)
        m_bof = m_eof = true;
    m_current.clear();
    if (!LoadCurrent()) {
        m_readFailed = true;
        DataEvent(TDataEvent::deDataSetChange);
        return false;
    }
    DataEvent(TDataEvent::deDataSetChange);
    return true;
}

bool TDataSet::UpdateRecord()
{
    if (m_state != TDataSetState::dsEdit && m_state != TDataSetState::dsInsert)
        return true;
    const QString before = m_lastError;
    m_updateRefused = false;
    DataEvent(TDataEvent::deUpdateRecord);
    if (m_updateRefused)
        return false;
    m_lastError = before;
    return true;
}

bool TDataSet::CheckBrowseMode()
{
    if (m_state != TDataSetState::dsEdit && m_state != TDataSetState::dsInsert)
        return Active();
    DataEvent(TDataEvent::deCheckBrowseMode);
    if (!UpdateRecord())
        return false;
    if (m_modified)
        return Post();
    Cancel();
    return true;
}

bool TDataSet::CanModify() const
{
    return Active() && !m_readOnly && DoCanModify();
}

TField* TDataSet::Fields(int i) const
{
    return i >= 0 && i < FieldCount() ? m_fields[size_t(i)].get() : nullptr;
}

TField* TDataSet::FindField(const QString& name) const
{
    for (const auto& field : m_fields)
        if (field->FieldName().compare(name, Qt::CaseInsensitive) == 0)
            return field.get();
    return nullptr;
}

void TDataSet::AddLookupField(const QString& name, const QString& keyFields, TDataSet* lookupDataSet,
                              const QString& lookupKeyFields, const QString& resultField, int size)
{
    m_lookupDefs.push_back({name, keyFields, lookupKeyFields, resultField, lookupDataSet, size});
}

bool TDataSet::Locate(const QString& fieldName, const QVariant& value, TLocateOptions options)
{
    const TField* field = FindField(fieldName);
    if (!field || !CheckBrowseMode())
        return false;
    const QString wanted = value.toString();
    const bool folded = options.testFlag(TLocateOption::loCaseInsensitive);
    const bool partial = options.testFlag(TLocateOption::loPartialKey);
    int found = -1;
    QString error;
    if (folded && SearchWhileReading(*field, wanted, partial, found, error)) {
        if (!error.isEmpty())
            return Fail(error);  // nothing moves; the next key tries again
    } else if (const TSearchIndex* index = SearchIndexOf(*field, folded)) {
        found = index->First(wanted, partial);
    } else {
        const int count = RecordCount();
        constexpr int kChunk = 256;
        for (int from = 0; from < count && found < 0; from += kChunk) {
            const auto values = RecordValues(from, kChunk, field->Index());
            for (size_t k = 0; k < values.size() && found < 0; ++k)
                if (MatchesKey(field->FormatValue(values[k], false), wanted, partial, folded))
                    found = from + int(k);
        }
    }
    if (found < 0)
        return false;
    SetRecNo(found);
    return true;
}

namespace {
bool BackgroundSearchable(const TField& field)
{
    return field.FieldKind() == TFieldKind::fkData && field.DataType() == TFieldType::ftString;
}
}  // namespace

void TDataSet::PrepareSearch(const QString& fieldName)
{
    const TField* field = FindField(fieldName);
    if (Active() && field && BackgroundSearchable(*field) && !ReadyIndex(field->Index(), true))
        DoPrepareSearch(field->Index());
}

bool TDataSet::SearchWhileReading(const TField& field, const QString& key, bool partial, int& found, QString& error)
{
    if (!BackgroundSearchable(field) || ReadyIndex(field.Index(), true))
        return false;
    TSearchIndex complete(field.Index(), true);
    if (DoTakeSearchIndex(field.Index(), complete)) {
        m_searchIndexes.push_back(std::move(complete));
        return false;  // searched as any index
    }
    return DoSearchWhileReading(field.Index(), key, partial, found, error);
}

const TSearchIndex* TDataSet::ReadyIndex(int fieldIndex, bool folded) const
{
    for (const TSearchIndex& index : m_searchIndexes)
        if (index.FieldIndex() == fieldIndex && index.Folded() == folded)
            return &index;
    return nullptr;
}

const TSearchIndex* TDataSet::SearchIndexOf(const TField& field, bool folded) const
{
    if (field.FieldKind() != TFieldKind::fkData || field.IsBlob())
        return nullptr;
    if (const TSearchIndex* index = ReadyIndex(field.Index(), folded))
        return index;
    ++m_searchIndexReads;
    std::vector<QVariant> values;
    QString error;
    if (!DoColumn(field.Index(), values, error)) {
        m_lastError = error;
        return nullptr;  // not kept: the next search reads again
    }
    TSearchIndex index(field.Index(), folded);
    for (const QVariant& v : values)
        index.Add(field.FormatValue(v, false));
    m_searchIndexes.push_back(std::move(index));
    return &m_searchIndexes.back();
}

QVariant TDataSet::Lookup(const QString& keyField, const QVariant& key, const QString& resultField) const
{
    const TField* resultF = FindField(resultField);
    if (!resultF)
        return {};
    const int index = FindRecord(keyField, key);
    return index >= 0 ? ValueAt(index, resultF->Index()) : QVariant();
}

int TDataSet::FindRecord(const QString& fieldName, const QVariant& key) const
{
    const TField* field = FindField(fieldName);
    if (!Active() || !field || !key.isValid() || key.isNull())
        return -1;
    const int fieldIndex = field->Index();
    auto map = std::find_if(m_keyMaps.begin(), m_keyMaps.end(),
                            [&](const KeyMap& m) { return m.fieldIndex == fieldIndex; });
    if (map == m_keyMaps.end() && DoUniqueField(fieldIndex)) {
        // No need to read every record's key.
        if (m_recNo >= 0 && m_state == TDataSetState::dsBrowse && SameKeyValue(ValueAt(m_recNo, fieldIndex), key))
            return m_recNo;
        if (int index = -1; DoFindUnique(fieldIndex, key, index))
            return index;
    }
    if (map == m_keyMaps.end()) {
        KeyMap built;
        built.fieldIndex = fieldIndex;
        std::vector<QVariant> values;
        QString error;
        if (!DoColumn(fieldIndex, values, error)) {
            m_lastError = error;
            return -1;  // not kept: the next call reads again
        }
        built.entries.reserve(values.size());
        for (size_t i = 0; i < values.size(); ++i)
            if (values[i].isValid() && !values[i].isNull())
                built.entries.emplace_back(qHash(values[i].toString()), int(i));
        std::sort(built.entries.begin(), built.entries.end());
        m_keyMaps.push_back(std::move(built));
        map = std::prev(m_keyMaps.end());
    }
    // Equal hashes are checked against the record itself.
    const size_t hash = qHash(key.toString());
    auto it = std::lower_bound(map->entries.begin(), map->entries.end(), std::make_pair(hash, -1));
    for (; it != map->entries.end() && it->first == hash; ++it)
        if (SameKeyValue(ValueAt(it->second, fieldIndex), key))
            return it->second;
    // The record being inserted is in no map yet.
    if (m_state == TDataSetState::dsInsert && SameKeyValue(Resolved(m_buffer, size_t(fieldIndex)), key))
        return m_recNo;
    return -1;
}

bool TDataSet::DoColumn(int fieldIndex, std::vector<QVariant>& values, QString& error) const
{
    const int count = DoRecordCount();
    values.reserve(size_t(count));
    std::vector<QVariant> row;
    for (int i = 0; i < count; ++i) {
        if (!DoFetch(i, row, error))
            return false;
        values.push_back(size_t(fieldIndex) < row.size() ? row[size_t(fieldIndex)] : QVariant());
    }
    return true;
}

std::vector<QVariant> TDataSet::RecordValues(int from, int count, int fieldIndex) const
{
    std::vector<QVariant> out;
    const int end = std::min(RecordCount(), from + count);
    for (int i = std::max(0, from); i < end; ++i)
        out.push_back(ValueAt(i, fieldIndex));
    return out;
}

QVariant TDataSet::ValueAt(int index, int fieldIndex) const
{
    if (!Active() || fieldIndex < 0 || fieldIndex >= FieldCount() || index < 0)
        return {};
    if (index == m_recNo) {
        const bool editing = m_state == TDataSetState::dsEdit || m_state == TDataSetState::dsInsert;
        const auto& row = editing ? m_buffer : m_current;
        return size_t(fieldIndex) < row.size() ? row[size_t(fieldIndex)] : QVariant();
    }
    if (index >= RecordCount())
        return {};
    std::vector<QVariant> row;
    QString error;
    if (!DoFetch(index, row, error)) {
        m_lastError = error;
        return {};  // nothing kept: the next paint reads the page again
    }
    if (fieldIndex < m_dataFieldCount)
        return fieldIndex < int(row.size()) ? row[size_t(fieldIndex)] : QVariant();
    row.resize(m_fields.size());
    ComputeLookups(row);
    return row[size_t(fieldIndex)];
}

QVariant TDataSet::FieldValue(const TField& field) const
{
    const bool editing = m_state == TDataSetState::dsEdit || m_state == TDataSetState::dsInsert;
    return Resolved(editing ? m_buffer : m_current, size_t(field.Index()));
}

QVariant TDataSet::RawFieldValue(const TField& field) const
{
    return ValueAt(m_recNo, field.Index());
}

QVariant TDataSet::Resolved(const std::vector<QVariant>& row, size_t i) const
{
    if (i >= row.size())
        return {};
    QVariant& value = const_cast<QVariant&>(row[i]);  // row is one of the mutable records
    if (value.userType() != qMetaTypeId<TUnreadBlob>())
        return value;
    // Read once, when a control asks for it; a failed read is tried again next time.
    QVariant blob = DoReadBlob(m_currentKey, int(i));
    if (blob.isValid())
        value = blob;
    return blob;
}

bool TDataSet::SetFieldValue(TField& field, const QVariant& value)
{
    if (m_state != TDataSetState::dsEdit && m_state != TDataSetState::dsInsert)
        return Fail(QStringLiteral("Data set not in edit or insert mode"));
    if (field.FieldKind() != TFieldKind::fkData || !field.CanModify())
        return Fail(QStringLiteral("Field '%1' cannot be modified").arg(field.FieldName()));
    QVariant stored = value;
    if (value.isValid() && !value.isNull()) {
        bool ok = true;
        switch (field.DataType()) {
        case TFieldType::ftInteger:
            stored = value.toLongLong(&ok);
            if (!ok)
                return Fail(QStringLiteral("'%1' is not a valid integer value").arg(value.toString()));
            break;
        case TFieldType::ftFloat:
            if (value.typeId() == QMetaType::LongLong || value.typeId() == QMetaType::Int)
                break;  // a whole number stays exact
            stored = value.toDouble(&ok);
            if (!ok)
                return Fail(QStringLiteral("'%1' is not a valid floating point value").arg(value.toString()));
            break;
        case TFieldType::ftBoolean:
            if (value.typeId() == QMetaType::QString)
                return Fail(QStringLiteral("'%1' is not a valid boolean value").arg(value.toString()));
            stored = value.toBool();
            break;
        default:
            break;
        }
    } else {
        stored = QVariant();
    }
    const size_t i = size_t(field.Index());
    m_buffer[i] = stored;
    m_changed[i] = true;
    m_modified = true;
    DataEvent(TDataEvent::deFieldChange, &field);
    // Lookup fields keyed by this field follow it.
    for (size_t k = size_t(m_dataFieldCount); k < m_fields.size(); ++k) {
        TField& lookup = *m_fields[k];
        if (lookup.KeyFields().compare(field.FieldName(), Qt::CaseInsensitive) != 0)
            continue;
        m_buffer[k] = lookup.LookupDataSet()
                          ? lookup.LookupDataSet()->Lookup(lookup.LookupKeyFields(), stored, lookup.LookupResultField())
                          : QVariant();
        DataEvent(TDataEvent::deFieldChange, &lookup);
    }
    return true;
}

void TDataSet::AttachSource(TDataSource* source)
{
    if (std::find(m_sources.begin(), m_sources.end(), source) == m_sources.end())
        m_sources.push_back(source);
}

void TDataSet::DetachSource(TDataSource* source)
{
    std::erase(m_sources, source);
}

void TDataSet::DataEvent(TDataEvent event, TField* field, int info)
{
    const auto sources = m_sources;
    for (TDataSource* source : sources)
        if (std::find(m_sources.begin(), m_sources.end(), source) != m_sources.end())
            source->DataEvent(event, field, info);
}

void TDataSet::SetState(TDataSetState state)
{
    if (state == m_state)
        return;
    m_state = state;
    if (state == TDataSetState::dsBrowse)
        m_modified = false;
    DataEvent(TDataEvent::deUpdateState);
}

bool TDataSet::LoadCurrent()
{
    std::vector<QVariant> row;
    QVariant key;
    if (m_recNo >= 0) {
        QString error;
        if (!DoFetch(m_recNo, row, error)) {
            m_readFailed = true;
            m_lastError = error;
            return false;  // the record shown before stays
        }
        key = DoRecordKey(m_recNo);
    }
    row.resize(size_t(m_dataFieldCount));
    row.resize(m_fields.size());
    ComputeLookups(row);
    m_current = std::move(row);
    m_currentKey = std::move(key);
    return true;
}

void TDataSet::ComputeLookups(std::vector<QVariant>& row) const
{
    for (size_t k = size_t(m_dataFieldCount); k < m_fields.size() && k < row.size(); ++k) {
        const TField& lookup = *m_fields[k];
        const TField* key = FindField(lookup.KeyFields());
        row[k] = key && lookup.LookupDataSet() ? lookup.LookupDataSet()->Lookup(lookup.LookupKeyFields(),
                                                                                  row[size_t(key->Index())],
                                                                                  lookup.LookupResultField())
                                               : QVariant();
    }
}

TReadRecord TDataSet::CurrentAsRead() const
{
    const auto end = m_current.begin() + std::min<std::ptrdiff_t>(m_dataFieldCount, std::ssize(m_current));
    return {m_currentKey, std::vector<QVariant>(m_current.begin(), end)};
}

bool TDataSet::Fail(const QString& error)
{
    m_lastError = error;
    return false;
}
