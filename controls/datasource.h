#pragma once
// A data source: the one link between a table and the controls, grids and navigators that
// show it. Bound controls register a link with it; before the table posts its record or
// leaves it, the source asks every link to hand over the text still being typed, so
// nothing typed is lost to a button that takes no focus. With AutoEdit off, bound
// controls stay read-only until the record is put into edit (or insert) state.

#include <QObject>
#include <QPointer>
#include <QVector>

#include "db/engine.h"

class TDataLink;

class TDataSource : public QObject {
    Q_OBJECT
    Q_PROPERTY(bool AutoEdit READ autoEdit WRITE setAutoEdit)
    Q_PROPERTY(bool Enabled READ enabled WRITE setEnabled)
public:
    explicit TDataSource(QObject *parent = nullptr);
    explicit TDataSource(zdb::Table *table, QObject *parent = nullptr);
    ~TDataSource() override;

    void setDataSet(zdb::Table *table);
    zdb::Table *dataSet() const { return m_table; }

    bool autoEdit() const { return m_autoEdit; }
    void setAutoEdit(bool on);
    // A disabled source shows nothing: its controls are empty and its navigators idle.
    bool enabled() const { return m_enabled; }
    void setEnabled(bool on);

    // The table's state as the controls see it: Inactive without a table, with a closed
    // table or while the source is disabled.
    zdb::DataSetState state() const;
    bool isEditing() const;
    // Whether a bound control may take typing now (given that its field can be written).
    bool canEditByTyping() const;

    // Asks every link to write its pending typed text into the edit buffer.
    void updateRecord();

    // The table's operations, for navigators and buttons. Moves and posts hand over
    // pending typed text first.
    void first();
    void prior();
    void next();
    void last();
    void insert();
    void append();
    void deleteRecord();
    void edit();
    void post();
    void cancel();
    void refresh();
    // Starts an edit on behalf of a control that is being typed into: only with AutoEdit
    // on (or when the record is already being edited). True when the record is editable.
    bool editForTyping();
    // Said by a bound control typed into while the source waits for the edit button
    // (AutoEdit off, the record not in edit): the typing was not taken.
    void notifyTypingIgnored() { Q_EMIT typingIgnored(); }

    // Called by TDataLink.
    void addLink(TDataLink *link);
    void removeLink(TDataLink *link);

Q_SIGNALS:
    void dataSetChanged();
    void activeChanged(bool active);
    void stateChanged(zdb::DataSetState state);
    void currentChanged();
    void dataChanged(int field);
    // AutoEdit or Enabled changed: what controls may do changed.
    void settingsChanged();
    // A bound control was typed into before the record was put into edit (AutoEdit off).
    void typingIgnored();

private:
    zdb::Table *requireTable() const;
    QPointer<zdb::Table> m_table;
    QVector<TDataLink *> m_links;
    QList<QMetaObject::Connection> m_connections;
    bool m_autoEdit = true;
    bool m_enabled = true;
};

// What a bound control, grid or navigator knows of its data source. Subclasses react to
// the notices they care about; the control gives an updater that writes its pending text.
class TDataLink : public QObject {
    Q_OBJECT
public:
    explicit TDataLink(QObject *parent = nullptr) : QObject(parent) {}
    ~TDataLink() override;

    void setDataSource(TDataSource *source);
    TDataSource *dataSource() const { return m_source; }
    zdb::Table *table() const { return m_source ? m_source->dataSet() : nullptr; }
    bool active() const { return m_source && m_source->state() != zdb::DataSetState::Inactive; }

    // The function that writes the control's pending text into the edit buffer; it may
    // throw, which stops the post or move that asked for it.
    void setUpdater(std::function<void()> updater) { m_updater = std::move(updater); }
    void updateRecord();

Q_SIGNALS:
    void sourceChanged();

private:
    QPointer<TDataSource> m_source;
    std::function<void()> m_updater;
};
