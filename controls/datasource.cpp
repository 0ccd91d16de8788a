#include "controls/datasource.h"

TDataSource::TDataSource(QObject *parent) : QObject(parent) {}

TDataSource::TDataSource(zdb::Table *table, QObject *parent) : QObject(parent) { setDataSet(table); }

TDataSource::~TDataSource()
{
    if (m_table)
        m_table->removeRecordUpdaters(this);
    for (TDataLink *link : std::as_const(m_links))
        link->setDataSource(nullptr);
}

void TDataSource::setDataSet(zdb::Table *table)
{
    if (m_table == table)
        return;
    for (const auto &c : std::as_const(m_connections))
        disconnect(c);
    m_connections.clear();
    if (m_table)
        m_table->removeRecordUpdaters(this);
    m_table = table;
    if (table) {
        table->addRecordUpdater(this, [this] { updateRecord(); });
        // Forwarded only while the source is enabled: a disabled source shows nothing.
        m_connections << connect(table, &zdb::Table::activeChanged, this, [this](bool on) {
            if (m_enabled)
                Q_EMIT activeChanged(on);
        });
        m_connections << connect(table, &zdb::Table::stateChanged, this, [this](zdb::DataSetState s) {
            if (m_enabled)
                Q_EMIT stateChanged(s);
        });
        m_connections << connect(table, &zdb::Table::currentChanged, this, [this] {
            if (m_enabled)
                Q_EMIT currentChanged();
        });
        m_connections << connect(table, &zdb::Table::dataChanged, this, [this](int field) {
            if (m_enabled)
                Q_EMIT dataChanged(field);
        });
        m_connections << connect(table, &QObject::destroyed, this, [this] {
            // The guarded pointer is already empty here.
            for (const auto &c : std::as_const(m_connections))
                disconnect(c);
            m_connections.clear();
            Q_EMIT dataSetChanged();
        });
    }
    Q_EMIT dataSetChanged();
}

void TDataSource::setAutoEdit(bool on)
{
    if (m_autoEdit == on)
        return;
    m_autoEdit = on;
    Q_EMIT settingsChanged();
}

void TDataSource::setEnabled(bool on)
{
    if (m_enabled == on)
        return;
    m_enabled = on;
    Q_EMIT settingsChanged();
    Q_EMIT activeChanged(state() != zdb::DataSetState::Inactive);
}

zdb::DataSetState TDataSource::state() const
{
    if (!m_enabled || !m_table)
        return zdb::DataSetState::Inactive;
    return m_table->state();
}

bool TDataSource::isEditing() const
{
    const zdb::DataSetState s = state();
    return s == zdb::DataSetState::Edit || s == zdb::DataSetState::Insert;
}

bool TDataSource::canEditByTyping() const
{
    if (state() == zdb::DataSetState::Inactive || !m_table->canModify())
        return false;
    return m_autoEdit || isEditing();
}

void TDataSource::updateRecord()
{
    const QVector<TDataLink *> links = m_links;
    for (TDataLink *link : links)
        link->updateRecord();
}

bool TDataSource::editForTyping()
{
    if (!canEditByTyping())
        return false;
    if (!isEditing())
        m_table->edit();
    return isEditing();
}

zdb::Table *TDataSource::requireTable() const
{
    if (!m_table)
        throw zdb::EngineError(QStringLiteral("Az adatforráshoz nem tartozik tábla."));
    return m_table;
}

// The table itself asks this source for the pending text before it posts or leaves the
// record, so these only pass the call on.
void TDataSource::first() { requireTable()->first(); }
void TDataSource::prior() { requireTable()->prior(); }
void TDataSource::next() { requireTable()->next(); }
void TDataSource::last() { requireTable()->last(); }
void TDataSource::insert() { requireTable()->insert(); }
void TDataSource::append() { requireTable()->append(); }
void TDataSource::deleteRecord() { requireTable()->deleteRecord(); }
void TDataSource::edit() { requireTable()->edit(); }
void TDataSource::post() { requireTable()->post(); }
void TDataSource::cancel() { requireTable()->cancel(); }
void TDataSource::refresh() { requireTable()->refresh(); }

void TDataSource::addLink(TDataLink *link)
{
    if (!m_links.contains(link))
        m_links.append(link);
}

void TDataSource::removeLink(TDataLink *link) { m_links.removeAll(link); }

// ---------------------------------------------------------------------------------------------

TDataLink::~TDataLink()
{
    if (m_source)
        m_source->removeLink(this);
}

void TDataLink::setDataSource(TDataSource *source)
{
    if (m_source == source)
        return;
    if (m_source)
        m_source->removeLink(this);
    m_source = source;
    if (source)
        source->addLink(this);
    Q_EMIT sourceChanged();
}

void TDataLink::updateRecord()
{
    if (m_updater)
        m_updater();
}
