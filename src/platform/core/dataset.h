#pragma once

#include "platform/core/record.h"

#include <QHash>
#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <QVector>
#include <functional>

class Connection;
class Dataset;

// What windows bind to: one data source over one dataset.
class DataSource : public QObject {
    Q_OBJECT
public:
    DataSource(const QString& name, Dataset* dataset, QObject* parent = nullptr);
    Dataset* dataset() const { return m_dataset; }

private:
    Dataset* m_dataset;
};

// A named table dataset on a connection: browse, edit and insert states over the
// rows of one table (or of a statement over it), a current row, an edit buffer,
// master-detail links, computed fields and an optional automatic re-read.
//
// Rows are not all held in memory: the dataset keeps the ordered list of row keys
// and reads the rows themselves in pages as they are needed, because the client
// driver buffers whole results and a business keeps years of invoices.
class Dataset : public QObject {
    Q_OBJECT
public:
    enum class State { Inactive, Browse, Edit, Insert };

    Dataset(const QString& name, Connection* connection, QObject* parent = nullptr);
    ~Dataset() override;

    // --- design-time settings
    void setTableName(const QString& table) { m_table = table; }
    const QString& tableName() const { return m_table; }
    // Field list of the requested sort order ("id_invio", "rag_soc").
    void setOrderBy(const QString& fields) { m_orderBy = fields; }
    // Detail rows are those whose detailFields equal masterFields of the master's current row.
    void setMaster(DataSource* master, const QStringList& masterFields, const QStringList& detailFields);
    DataSource* master() const { return m_master; }
    void setAutoRefresh(int seconds);
    // A computed field: never stored, filled by the computed-fields handler.
    void addComputedField(const QString& name, int length);
    // Runs on a new row right after Append, before any caller writes into it.
    std::function<void(Dataset&)> onNewRecord;
    // Fills the computed fields of a row from its stored values.
    std::function<void(Record&)> onCalcFields;

    // --- the statement
    // Replaces the dataset's statement; an empty text goes back to the table itself.
    void setSql(const QString& sql) { m_sql = sql; }
    const QString& sql() const { return m_sql; }
    // Runs the statement without reading rows (the scratch dataset).
    void execSql();

    // --- life
    void open();
    void close();
    bool isActive() const { return m_state != State::Inactive; }
    State state() const { return m_state; }
    bool isEditing() const { return m_state == State::Edit || m_state == State::Insert; }
    const QString& name() const { return m_name; }

    // --- navigation
    int recordCount() const;
    bool isEmpty() const { return recordCount() == 0; }
    int currentIndex() const { return m_current; } // -1 when empty
    bool eof() const { return m_eof; }
    bool bof() const { return m_bof; }
    void first();
    void next();
    void prior();
    void last();
    void moveTo(int index);
    // Finds the first row, in dataset order, whose fields equal the values exactly.
    bool locate(const QStringList& fields, const QVariantList& values);
    // Re-reads the rows, keeping the current row current when it still exists.
    void refresh();

    // --- editing
    void append();
    void edit();
    void post();
    void cancel();
    void remove();
    bool isModified() const { return m_modified; }

    // --- fields of the current row (the edit buffer while editing)
    QStringList fieldNames() const { return m_fieldNames; }
    bool hasField(const QString& name) const;
    // Declared text length, 0 for fields that are not text.
    int fieldLength(const QString& name) const;
    QVariant value(const QString& field) const;
    QString text(const QString& field) const;
    bool isNull(const QString& field) const;
    // Needs edit or insert state; text is cut to the field's declared length.
    void setValue(const QString& field, const QVariant& value);
    Record currentRecord() const;
    // A row by position, read on demand; the edit buffer for the current row while editing.
    Record recordAt(int index) const;

Q_SIGNALS:
    void opened();
    void closed();
    // The set or order of rows changed (open, refresh, insert, delete).
    void rowsReset();
    // A re-read found the same rows; their contents may differ.
    void rowsRefreshed();
    // The current row moved or was reloaded.
    void currentChanged();
    void stateChanged();
    void fieldChanged(const QString& field);

private:
    struct FieldInfo {
        QString name;
        int length = 0; // text length; 0 when not text
        bool computed = false;
    };

    void requireActive() const;
    void requireEditing() const;
    void checkBrowseMode();
    void readMetadata();
    void reload(bool keepCurrent);
    bool keySetUnchanged();
    QString baseSelect() const;
    QString whereClause(QVariantList& binds) const;
    QString orderClause() const;
    QString keyedStatement(const QString& selectList, QVariantList& binds) const;
    void loadRows(int index) const;
    Record rowFromQuery(const class QSqlQuery& query) const;
    void computeFields(Record& record) const;
    void setCurrent(int index, bool reloadDetails = false);
    void masterMoved(bool force);
    QVariantList masterValues() const;
    QSqlQuery execute(const QString& sql, const QVariantList& binds) const;
    qint64 keyOf(const Record& record) const;
    void refetchRow(qint64 key);

    QString m_name;
    Connection* m_connection;
    QString m_table;
    QString m_orderBy;
    QString m_sql;
    DataSource* m_master = nullptr;
    QStringList m_masterFields;
    QStringList m_detailFields;
    QList<Dataset*> m_details;
    QVariantList m_loadedFor; // the master's link values the rows were read for
    QTimer m_refreshTimer;
    bool m_autoRefreshBroken = false;

    State m_state = State::Inactive;
    QVector<FieldInfo> m_fields;
    QStringList m_fieldNames; // stored then computed fields, without the hidden key
    QString m_keyField;       // the primary key column
    bool m_keyHidden = false; // an invisible row key that is not a field
    bool m_keyAutoIncrement = false;
    bool m_keyed = false;     // false: a statement the dataset cannot page; rows held whole

    QVector<qint64> m_keys;                 // row keys in dataset order
    mutable QHash<qint64, Record> m_cache;  // rows read so far
    QVector<Record> m_wholeRows;            // rows of a statement that cannot be paged
    qint64 m_checksum[3] = {0, 0, 0};
    int m_current = -1;
    bool m_eof = true;
    bool m_bof = true;

    Record m_buffer;
    QSet<int> m_given; // fields written into the buffer
    bool m_modified = false;
    int m_beforeInsert = -1;
};
