#include "skin/data_aware/db_lookup_control.h"

#include "skin/data_aware/db_texts.h"

void TskListSourceLink::ActiveChanged() { m_control.ListLinkChanged(); }
void TskListSourceLink::DataSetChanged() { m_control.ListLinkChanged(); }
void TskListSourceLink::LayoutChanged() { m_control.ListLinkChanged(); }

TskDBLookupControl::TskDBLookupControl(QWidget* parent) : QWidget(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    m_dataLink.OnDataChange = [this] { DataLinkChanged(); };
    m_dataLink.OnActiveChange = [this] { UpdateListFields(); };
}

TskDBLookupControl::~TskDBLookupControl()
{
    // The links outlive this part of the object: they must not call back.
    m_destroying = true;
    m_dataLink.OnDataChange = nullptr;
    m_dataLink.OnActiveChange = nullptr;
    m_listLink.SetDataSource(nullptr);
}

bool TskDBLookupControl::LookupMode() const
{
    const TField* field = Field();
    return field && field->FieldKind() == TFieldKind::fkLookup;
}

TField* TskDBLookupControl::MasterField() const
{
    TField* field = Field();
    if (!field)
        return nullptr;
    if (field->FieldKind() == TFieldKind::fkLookup)
        return field->DataSet().FindField(field->KeyFields());
    return field;
}

TDataSet* TskDBLookupControl::ListDataSet() const
{
    return m_listLink.DataSet();
}

bool TskDBLookupControl::Circular(TDataSource* dataSource, TDataSet* list) const
{
    return dataSource && list && dataSource->DataSet() == list;
}

bool TskDBLookupControl::SetDataSource(TDataSource* source)
{
    if (Circular(source, m_listSourceUser ? m_listSourceUser->DataSet() : nullptr)) {
        m_lastError = db_texts::CircularDataLink();
        return false;
    }
    TskDBFieldControl::SetDataSource(source);
    UpdateListFields();
    return true;
}

void TskDBLookupControl::SetDataField(const QString& name)
{
    TskDBFieldControl::SetDataField(name);
    UpdateListFields();
}

bool TskDBLookupControl::SetKeyField(const QString& name)
{
    if (LookupMode()) {
        m_lastError = db_texts::PropDefByLookup();
        return false;
    }
    m_keyField = name;
    UpdateListFields();
    return true;
}

void TskDBLookupControl::SetListField(const QString& names)
{
    m_listFieldNames = names;
    UpdateListFields();
}

void TskDBLookupControl::SetListFieldIndex(int index)
{
    m_listFieldIndex = std::max(0, index);
    UpdateListFields();
}

bool TskDBLookupControl::SetListSource(TDataSource* source)
{
    if (LookupMode()) {
        m_lastError = db_texts::PropDefByLookup();
        return false;
    }
    if (Circular(DataSource(), source ? source->DataSet() : nullptr)) {
        m_lastError = db_texts::CircularDataLink();
        return false;
    }
    m_listSourceUser = source;
    UpdateListFields();
    return true;
}

void TskDBLookupControl::ShareListOf(const TskDBLookupControl& owner)
{
    m_sharedFrom = &owner;
    m_keyField = owner.KeyFieldOfList() ? owner.KeyFieldOfList()->FieldName() : QString();
    QStringList names;
    for (const TField* f : owner.ListFields())
        names << f->FieldName();
    m_listFieldNames = names.join(u';');
    m_listFieldIndex = owner.ListFieldIndex();
    m_stamp = owner.m_stamp;
    UpdateListFields();
}

void TskDBLookupControl::UpdateListFields()
{
    // Where the list comes from: a shared list, the lookup field, or the list source.
    TDataSet* list = nullptr;
    QString keyName = m_keyField;
    QString listNames = m_listFieldNames;
    if (m_sharedFrom) {
        list = m_sharedFrom->ListDataSet();
    } else if (LookupMode()) {
        const TField* field = Field();
        list = field->LookupDataSet();
        keyName = field->LookupKeyFields();
        listNames = field->LookupResultField();
    } else if (m_listSourceUser) {
        list = m_listSourceUser->DataSet();
    }
    if (m_listSourceUser && !LookupMode() && !m_sharedFrom) {
        m_listLink.SetDataSource(m_listSourceUser);
    } else {
        m_lookupSource.SetDataSet(list);
        m_listLink.SetDataSource(list ? &m_lookupSource : nullptr);
    }
    m_listFields.clear();
    m_keyFieldOfList = nullptr;
    if (list && list->Active()) {
        m_keyFieldOfList = list->FindField(keyName);
        for (const QString& name : listNames.split(u';', Qt::SkipEmptyParts))
            if (TField* f = list->FindField(name.trimmed()))
                m_listFields.push_back(f);
        if (m_listFields.empty() && m_keyFieldOfList)
            m_listFields.push_back(m_keyFieldOfList);
    }
    m_listActive = m_keyFieldOfList && !m_listFields.empty();
    if (m_listFieldIndex >= int(m_listFields.size()))
        m_listFieldIndex = std::max(0, int(m_listFields.size()) - 1);
    PrepareSearch();
    m_textListed = false;
    DataLinkChanged();
    ListChanged();
}

void TskDBLookupControl::PrepareSearch()
{
    // Long lists read the searched texts in the background from the moment
    // they open, so that the first key typed need not read them all.
    TDataSet* list = ListDataSet();
    if (const TField* field = SearchField(); m_listActive && list && list->Active() && !m_sharedFrom)
        list->PrepareSearch(field->FieldName());
}

void TskDBLookupControl::ListLinkChanged()
{
    if (m_destroying)
        return;
    const bool wasActive = m_listActive;
    const TDataSet* list = ListDataSet();
    if (!list || !list->Active() || wasActive != (list && list->Active())) {
        UpdateListFields();
    } else {
        PrepareSearch();  // again after the records changed
        m_text = TextOf(m_keyValue);  // the key's record may have changed too
        ListChanged();
    }
}

TField* TskDBLookupControl::SearchField() const
{
    if (m_listFields.empty())
        return nullptr;
    return m_listFields[size_t(std::clamp(m_listFieldIndex, 0, int(m_listFields.size()) - 1))];
}

TField* TskDBLookupControl::KeyFieldOfList() const
{
    return m_keyFieldOfList;
}

bool TskDBLookupControl::CanModify() const
{
    if (!m_listActive || ReadOnly())
        return false;
    if (!m_dataLink.DataSource())
        return true;
    const TField* master = MasterField();
    return master && master->CanModify();
}

void TskDBLookupControl::DataLinkChanged()
{
    if (!m_dataLink.DataSource())
        return;  // an unbound control keeps the key set from code
    const TField* master = MasterField();
    const QVariant key = master ? master->Value() : QVariant();
    // The record's other fields changed (an edit started): the key's text
    // stands, as every change of the list refreshes it.
    const bool sameKey = m_textListed && SameKeyValue(key, m_keyValue) && key.typeId() == m_keyValue.typeId();
    m_keyValue = key;
    if (!sameKey)
        m_text = TextOf(key);
    KeyValueChanged();
}

QString TskDBLookupControl::TextOf(const QVariant& key)
{
    const TDataSet* list = ListDataSet();
    const TField* shown = m_listFields.empty() ? nullptr : m_listFields.front();
    const int index = IndexOfKey(key);
    m_textListed = true;
    return list && shown && index >= 0 ? shown->FormatValue(list->ValueAt(index, shown->Index()), true) : QString();
}

void TskDBLookupControl::SetKeyValue(const QVariant& value)
{
    m_keyValue = value;
    m_text = TextOf(value);
    KeyValueChanged();
}

int TskDBLookupControl::IndexOfKey(const QVariant& key) const
{
    const TDataSet* list = ListDataSet();
    if (!list || !m_keyFieldOfList || !key.isValid() || key.isNull())
        return -1;
    return list->FindRecord(m_keyFieldOfList->FieldName(), key);
}

QVariant TskDBLookupControl::KeyAt(int index) const
{
    const TDataSet* list = ListDataSet();
    return list && m_keyFieldOfList ? list->ValueAt(index, m_keyFieldOfList->Index()) : QVariant();
}

void TskDBLookupControl::SelectKeyValue(const QVariant& value)
{
    if (TField* master = m_dataLink.DataSource() ? MasterField() : nullptr) {
        if (!m_dataLink.Edit())
            return;
        master->SetValue(value);
    } else {
        SetKeyValue(value);
    }
    update();
    emit OnClick();
}

void TskDBLookupControl::ProcessSearchKey(QChar c)
{
    TField* field = SearchField();
    TDataSet* list = ListDataSet();
    if (!field || !list || !CanModify())
        return;
    if (field->DataType() != TFieldType::ftString ||
        (field->FieldKind() != TFieldKind::fkData && field->FieldKind() != TFieldKind::fkInternalCalc))
        return;
    const qint64 now = m_stamp->now();
    if (now - m_stamp->last > LookupSearchStamp::kResetMs)
        m_searchText.clear();
    m_stamp->last = now;
    if (m_searchText.size() >= LookupSearchStamp::kMaxLength)
        return;
    const QString wanted = m_searchText + c;
    if (list->Locate(field->FieldName(), wanted, TLocateOption::loCaseInsensitive | TLocateOption::loPartialKey)) {
        SelectKeyValue(KeyAt(list->RecNo()));
        m_searchText = wanted;
    }
}

void TskDBLookupControl::keyPressEvent(QKeyEvent* event)
{
    if (m_nullValueKey != 0 && int(event->key() | event->modifiers()) == m_nullValueKey && CanModify()) {
        SelectKeyValue(QVariant());
        event->accept();
        return;
    }
    if (event->key() == Qt::Key_Backspace || event->key() == Qt::Key_Escape) {
        ClearSearch();
        QWidget::keyPressEvent(event);
        return;
    }
    if (IsPrintableKey(*event)) {
        ProcessSearchKey(event->text().at(0));
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}
