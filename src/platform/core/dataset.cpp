#include "platform/core/dataset.h"

#include "platform/core/connection.h"
#include "platform/core/errors.h"
#include "platform/core/errorsink.h"

#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

namespace {
// Rows read around the one asked for, and the most rows kept in memory.
constexpr int kPageBefore = 40;
constexpr int kPageAfter = 160;
constexpr int kCacheLimit = 4000;

QString quoted(const QString& identifier) {
    return QLatin1Char('`') + QString(identifier).replace(QLatin1Char('`'), QLatin1String("``")) +
           QLatin1Char('`');
}

bool sameValue(const QVariant& a, const QVariant& b) {
    const bool aNull = !a.isValid() || a.isNull();
    const bool bNull = !b.isValid() || b.isNull();
    if (aNull || bNull)
        return aNull == bNull;
    return a.toString() == b.toString();
}
} // namespace

DataSource::DataSource(const QString& name, Dataset* dataset, QObject* parent)
    : QObject(parent), m_dataset(dataset) {
    setObjectName(name);
}

Dataset::Dataset(const QString& name, Connection* connection, QObject* parent)
    : QObject(parent), m_name(name), m_connection(connection) {
    setObjectName(name);
    m_refreshTimer.setSingleShot(false);
    QObject::connect(&m_refreshTimer, &QTimer::timeout, this, [this] {
        if (m_state != State::Browse || m_autoRefreshBroken)
            return;
        try {
            refresh();
        } catch (const AppError& error) {
            // A re-read that fails once is not tried again for the rest of the run.
            m_autoRefreshBroken = true;
            m_refreshTimer.stop();
            errorsink::report(error.message());
        }
    });
}

Dataset::~Dataset() {
    if (m_master)
        m_master->dataset()->m_details.removeAll(this);
    for (Dataset* detail : std::as_const(m_details))
        detail->m_master = nullptr;
}

void Dataset::setMaster(DataSource* master, const QStringList& masterFields,
                        const QStringList& detailFields) {
    if (m_master)
        m_master->dataset()->m_details.removeAll(this);
    m_master = master;
    m_masterFields = masterFields;
    m_detailFields = detailFields;
    if (m_master)
        m_master->dataset()->m_details.append(this);
    if (isActive())
        masterMoved(true);
}

void Dataset::setAutoRefresh(int seconds) {
    m_refreshTimer.setInterval(seconds * 1000);
    if (seconds <= 0)
        m_refreshTimer.stop();
    else if (isActive() && !m_autoRefreshBroken)
        m_refreshTimer.start();
}

void Dataset::addComputedField(const QString& name, int length) {
    FieldInfo info;
    info.name = name;
    info.length = length;
    info.computed = true;
    m_fields.append(info);
    m_fieldNames.append(name);
}

// ---------------------------------------------------------------- statements

QSqlQuery Dataset::execute(const QString& sql, const QVariantList& binds) const {
    if (!m_connection->isConnected())
        throw DatabaseError(QStringLiteral("%1: connection %2 is not open").arg(m_name, m_connection->name()));
    QSqlQuery query(m_connection->qtDatabase());
    query.setForwardOnly(true);
    if (!query.prepare(sql))
        throw DatabaseError(query.lastError().text());
    for (const QVariant& value : binds)
        query.addBindValue(value);
    if (!query.exec())
        throw DatabaseError(query.lastError().text());
    return query;
}

void Dataset::execSql() {
    QSqlQuery query(m_connection->qtDatabase());
    if (!m_connection->isConnected())
        throw DatabaseError(QStringLiteral("%1: connection %2 is not open").arg(m_name, m_connection->name()));
    if (!query.exec(m_sql))
        throw DatabaseError(query.lastError().text());
}

QString Dataset::baseSelect() const {
    QString list = quoted(m_table) + QLatin1String(".*");
    if (m_keyHidden)
        list += QLatin1String(", ") + quoted(m_table) + QLatin1Char('.') + quoted(m_keyField);
    return list;
}

namespace {
// "select * from <table> <rest>": a statement over the dataset's own table that
// can be paged by key. Gives the rest, or a null text when it is not of that shape.
QString statementRest(const QString& sql, const QString& table) {
    static const QRegularExpression shape(
        QStringLiteral("^\\s*select\\s+\\*\\s+from\\s+`?(\\w+)`?(\\s.*)?$"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpressionMatch match = shape.match(sql);
    if (!match.hasMatch() || match.captured(1).compare(table, Qt::CaseInsensitive) != 0)
        return QString();
    QString rest = match.captured(2);
    if (rest.isNull())
        rest = QLatin1String("");
    return rest;
}

// Splits a trailing "order by ..." off a statement's rest.
QString withoutOrder(const QString& rest, QString* order) {
    static const QRegularExpression orderBy(QStringLiteral("\\border\\s+by\\s+([^()]*?)\\s*;?\\s*$"),
                                            QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = orderBy.match(rest);
    if (!match.hasMatch()) {
        *order = QString();
        return rest;
    }
    *order = match.captured(1);
    return rest.left(match.capturedStart());
}
} // namespace

QString Dataset::whereClause(QVariantList& binds) const {
    if (!m_sql.isEmpty()) {
        QString order;
        return withoutOrder(statementRest(m_sql, m_table), &order);
    }
    if (!m_master)
        return QString();
    QStringList parts;
    const Record masterRow = m_master->dataset()->currentRecord();
    for (int i = 0; i < m_detailFields.size(); ++i) {
        parts << quoted(m_table) + QLatin1Char('.') + quoted(m_detailFields.at(i)) + QLatin1String(" = ?");
        binds << masterRow.value(m_masterFields.at(i));
    }
    return QLatin1String(" WHERE ") + parts.join(QLatin1String(" AND "));
}

QString Dataset::orderClause() const {
    QString order = m_orderBy;
    if (order.isEmpty() && !m_sql.isEmpty())
        withoutOrder(statementRest(m_sql, m_table), &order);
    const QString key = quoted(m_table) + QLatin1Char('.') + quoted(m_keyField);
    if (order.isEmpty())
        return QLatin1String(" ORDER BY ") + key;
    return QLatin1String(" ORDER BY ") + order + QLatin1String(", ") + key;
}

QString Dataset::keyedStatement(const QString& selectList, QVariantList& binds) const {
    return QLatin1String("SELECT ") + selectList + QLatin1String(" FROM ") + quoted(m_table) +
           whereClause(binds);
}

// ---------------------------------------------------------------- life

void Dataset::readMetadata() {
    QSqlQuery columns = execute(
        QStringLiteral("SELECT COLUMN_NAME, DATA_TYPE, CHARACTER_MAXIMUM_LENGTH, COLUMN_KEY, EXTRA "
                       "FROM information_schema.COLUMNS WHERE TABLE_SCHEMA = DATABASE() AND "
                       "TABLE_NAME = ? ORDER BY ORDINAL_POSITION"),
        {m_table});
    QVector<FieldInfo> stored;
    QString key;
    bool keyHidden = false;
    bool keyAuto = false;
    while (columns.next()) {
        const QString name = columns.value(0).toString();
        const QString type = columns.value(1).toString().toLower();
        const QString extra = columns.value(4).toString().toLower();
        if (columns.value(3).toString() == QLatin1String("PRI") && key.isEmpty()) {
            key = name;
            keyHidden = extra.contains(QLatin1String("invisible"));
            keyAuto = extra.contains(QLatin1String("auto_increment"));
            if (keyHidden)
                continue;
        }
        FieldInfo info;
        info.name = name;
        if (type.contains(QLatin1String("char")) || type.contains(QLatin1String("text")))
            info.length = columns.value(2).toInt();
        stored.append(info);
    }
    if (stored.isEmpty()) {
        // Let the server word the error (a missing table, above all).
        execute(QStringLiteral("SELECT * FROM %1 LIMIT 0").arg(quoted(m_table)), {});
        throw DatabaseError(QStringLiteral("Table '%1' has no columns").arg(m_table));
    }
    QVector<FieldInfo> computed;
    for (const FieldInfo& f : std::as_const(m_fields))
        if (f.computed)
            computed.append(f);
    m_fields = stored + computed;
    m_fieldNames.clear();
    for (const FieldInfo& f : std::as_const(m_fields))
        m_fieldNames << f.name;
    m_keyField = key;
    m_keyHidden = keyHidden;
    m_keyAutoIncrement = keyAuto;
}

void Dataset::open() {
    if (isActive())
        return;
    if (m_table.isEmpty())
        throw DatabaseError(QStringLiteral("%1: no table").arg(m_name));
    readMetadata();
    m_keyed = !m_keyField.isEmpty() && (m_sql.isEmpty() || !statementRest(m_sql, m_table).isNull());
    m_state = State::Browse;
    try {
        reload(false);
    } catch (...) {
        m_state = State::Inactive;
        throw;
    }
    if (m_refreshTimer.interval() > 0 && !m_autoRefreshBroken)
        m_refreshTimer.start();
    Q_EMIT opened();
    Q_EMIT stateChanged();
    Q_EMIT rowsReset();
    setCurrent(m_current);
}

void Dataset::close() {
    if (!isActive())
        return;
    m_refreshTimer.stop();
    m_state = State::Inactive;
    m_keys.clear();
    m_cache.clear();
    m_wholeRows.clear();
    m_buffer = Record();
    m_given.clear();
    m_modified = false;
    m_current = -1;
    m_eof = m_bof = true;
    Q_EMIT closed();
    Q_EMIT stateChanged();
    Q_EMIT rowsReset();
    setCurrent(-1);
}

void Dataset::requireActive() const {
    if (!isActive())
        throw DatabaseError(QStringLiteral("%1: Cannot perform this operation on a closed dataset").arg(m_name));
}

void Dataset::requireEditing() const {
    if (!isEditing())
        throw NotEditingError(QStringLiteral("%1: Dataset not in edit or insert mode").arg(m_name));
}

// ---------------------------------------------------------------- reading rows

Record Dataset::rowFromQuery(const QSqlQuery& query) const {
    Record record(m_fieldNames);
    const QSqlRecord source = query.record();
    for (int i = 0; i < m_fields.size(); ++i) {
        if (m_fields.at(i).computed)
            continue;
        const int column = source.indexOf(m_fields.at(i).name);
        if (column >= 0)
            record.setValueAt(i, query.value(column));
    }
    computeFields(record);
    return record;
}

void Dataset::computeFields(Record& record) const {
    if (!onCalcFields)
        return;
    for (const FieldInfo& f : m_fields)
        if (f.computed)
            record.setValue(f.name, QVariant());
    onCalcFields(record);
}

bool Dataset::keySetUnchanged() {
    // Sums of an auto-increment key change with every insert and delete, so an
    // unchanged count and sums mean the same rows: no need to read every key again.
    const bool orderedByKey = m_orderBy.isEmpty() || m_orderBy.compare(m_keyField, Qt::CaseInsensitive) == 0;
    if (!orderedByKey || !m_keyAutoIncrement)
        return false;
    QVariantList binds;
    const QString key = quoted(m_table) + QLatin1Char('.') + quoted(m_keyField);
    QSqlQuery query = execute(
        keyedStatement(QStringLiteral("COUNT(*), COALESCE(SUM(%1), 0), COALESCE(SUM(%1 * %1), 0)").arg(key), binds),
        binds);
    qint64 sums[3] = {0, 0, 0};
    if (query.next())
        for (int i = 0; i < 3; ++i)
            sums[i] = query.value(i).toLongLong();
    const bool same = sums[0] == m_checksum[0] && sums[1] == m_checksum[1] && sums[2] == m_checksum[2] &&
                      sums[0] == m_keys.size();
    for (int i = 0; i < 3; ++i)
        m_checksum[i] = sums[i];
    return same;
}

void Dataset::reload(bool keepCurrent) {
    const qint64 oldKey = (keepCurrent && m_current >= 0 && m_current < m_keys.size()) ? m_keys.at(m_current) : -1;
    const int oldIndex = m_current;
    m_cache.clear();
    bool masterHasNoRow = false;
    if (m_master && m_sql.isEmpty()) {
        Dataset* master = m_master->dataset();
        masterHasNoRow = !master->isActive() || master->isEmpty();
        for (const QString& f : std::as_const(m_masterFields))
            if (!masterHasNoRow && master->isNull(f))
                masterHasNoRow = true;
    }
    bool rowsChanged = true;
    m_loadedFor = masterValues();
    if (masterHasNoRow) {
        m_keys.clear();
        m_wholeRows.clear();
    } else if (m_keyed) {
        if (keepCurrent && keySetUnchanged()) {
            rowsChanged = false;
        } else {
            QVariantList binds;
            const QString sql = keyedStatement(quoted(m_table) + QLatin1Char('.') + quoted(m_keyField), binds) + orderClause();
            QSqlQuery query = execute(sql, binds);
            QVector<qint64> keys;
            while (query.next())
                keys.append(query.value(0).toLongLong());
            m_keys = std::move(keys);
            if (!keepCurrent)
                keySetUnchanged(); // remember the sums for the next re-read
        }
    } else {
        QSqlQuery query = execute(m_sql, {});
        m_wholeRows.clear();
        m_keys.clear();
        while (query.next()) {
            m_keys.append(m_wholeRows.size());
            m_wholeRows.append(rowFromQuery(query));
        }
    }
    int index = m_keys.isEmpty() ? -1 : 0;
    if (keepCurrent && oldKey >= 0) {
        const int found = m_keys.indexOf(oldKey);
        index = found >= 0 ? found : qMin(oldIndex, int(m_keys.size()) - 1);
    }
    m_bof = true;
    m_eof = m_keys.isEmpty();
    if (rowsChanged)
        Q_EMIT rowsReset();
    else
        Q_EMIT rowsRefreshed();
    setCurrent(index, true);
}

void Dataset::loadRows(int index) const {
    if (!m_keyed)
        return;
    if (m_cache.size() > kCacheLimit)
        m_cache.clear();
    QVariantList keys;
    QStringList marks;
    const int from = qMax(0, index - kPageBefore);
    const int to = qMin(int(m_keys.size()) - 1, index + kPageAfter);
    for (int i = from; i <= to; ++i) {
        if (!m_cache.contains(m_keys.at(i))) {
            keys << m_keys.at(i);
            marks << QStringLiteral("?");
        }
    }
    if (keys.isEmpty())
        return;
    const QString key = quoted(m_table) + QLatin1Char('.') + quoted(m_keyField);
    const QString sql = QLatin1String("SELECT ") + baseSelect() + QLatin1String(" FROM ") + quoted(m_table) +
                        QLatin1String(" WHERE ") + key + QLatin1String(" IN (") + marks.join(QLatin1Char(',')) +
                        QLatin1Char(')');
    QSqlQuery query = execute(sql, keys);
    const int keyColumn = query.record().indexOf(m_keyField);
    while (query.next())
        m_cache.insert(query.value(keyColumn).toLongLong(), rowFromQuery(query));
}

int Dataset::recordCount() const {
    return m_keys.size() + (m_state == State::Insert ? 1 : 0);
}

Record Dataset::recordAt(int index) const {
    if (isEditing() && index == m_current)
        return m_buffer;
    if (index < 0 || index >= m_keys.size())
        return Record(m_fieldNames);
    if (!m_keyed)
        return m_wholeRows.at(index);
    const qint64 key = m_keys.at(index);
    auto it = m_cache.constFind(key);
    if (it == m_cache.constEnd()) {
        loadRows(index);
        it = m_cache.constFind(key);
        if (it == m_cache.constEnd()) // deleted meanwhile by someone else
            return Record(m_fieldNames);
    }
    return *it;
}

Record Dataset::currentRecord() const {
    if (isEditing())
        return m_buffer;
    return recordAt(m_current);
}

bool Dataset::hasField(const QString& name) const {
    for (const FieldInfo& f : m_fields)
        if (f.name.compare(name, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

int Dataset::fieldLength(const QString& name) const {
    for (const FieldInfo& f : m_fields)
        if (f.name.compare(name, Qt::CaseInsensitive) == 0)
            return f.length;
    return 0;
}

QVariant Dataset::value(const QString& field) const {
    requireActive();
    if (!hasField(field))
        throw DatabaseError(QStringLiteral("%1: Field '%2' not found").arg(m_name, field));
    return currentRecord().value(field);
}

QString Dataset::text(const QString& field) const {
    const QVariant v = value(field);
    return v.isNull() ? QString(QLatin1String("")) : v.toString();
}

bool Dataset::isNull(const QString& field) const {
    const QVariant v = value(field);
    return !v.isValid() || v.isNull();
}

// ---------------------------------------------------------------- navigation

void Dataset::setCurrent(int index, bool reloadDetails) {
    m_current = index;
    Q_EMIT currentChanged();
    for (Dataset* detail : std::as_const(m_details))
        detail->masterMoved(reloadDetails);
}

QVariantList Dataset::masterValues() const {
    QVariantList values;
    Dataset* master = m_master ? m_master->dataset() : nullptr;
    if (!master || !master->isActive())
        return values;
    const Record row = master->currentRecord();
    for (const QString& f : m_masterFields)
        values << row.value(f);
    return values;
}

// Details read their rows again when the master moves to other link values, or
// when the master itself was re-read; a save of the master row leaves them be.
void Dataset::masterMoved(bool force) {
    if (!isActive())
        return;
    const QVariantList values = masterValues();
    bool same = values.size() == m_loadedFor.size();
    for (int i = 0; same && i < values.size(); ++i)
        same = sameValue(values.at(i), m_loadedFor.at(i));
    if (same && !force)
        return;
    if (isEditing()) {
        // A re-read of the master that keeps its row leaves a detail being edited alone.
        bool sameMaster = true;
        const Record masterRow = m_master->dataset()->currentRecord();
        for (int i = 0; i < m_detailFields.size(); ++i)
            if (!sameValue(masterRow.value(m_masterFields.at(i)), m_buffer.value(m_detailFields.at(i))))
                sameMaster = false;
        if (sameMaster)
            return;
        checkBrowseMode();
    }
    reload(false);
}

void Dataset::checkBrowseMode() {
    requireActive();
    if (!isEditing())
        return;
    if (m_modified || m_state == State::Edit)
        post();
    else
        cancel();
}

void Dataset::first() {
    checkBrowseMode();
    m_bof = true;
    m_eof = m_keys.isEmpty();
    setCurrent(m_keys.isEmpty() ? -1 : 0);
}

void Dataset::last() {
    checkBrowseMode();
    m_eof = true;
    m_bof = m_keys.isEmpty();
    setCurrent(m_keys.size() - 1);
}

void Dataset::next() {
    checkBrowseMode();
    m_bof = false;
    if (m_current + 1 < m_keys.size()) {
        m_eof = false;
        setCurrent(m_current + 1);
    } else {
        m_eof = true;
    }
}

void Dataset::prior() {
    checkBrowseMode();
    m_eof = false;
    if (m_current > 0) {
        m_bof = false;
        setCurrent(m_current - 1);
    } else {
        m_bof = true;
    }
}

void Dataset::moveTo(int index) {
    checkBrowseMode();
    if (m_keys.isEmpty())
        return;
    index = qBound(0, index, int(m_keys.size()) - 1);
    m_bof = index == 0;
    m_eof = false;
    if (index != m_current)
        setCurrent(index);
}

bool Dataset::locate(const QStringList& fields, const QVariantList& values) {
    checkBrowseMode();
    auto matches = [&](const Record& r) {
        for (int i = 0; i < fields.size(); ++i)
            if (!sameValue(r.value(fields.at(i)), values.value(i)))
                return false;
        return true;
    };
    int found = -1;
    if (!m_keyed) {
        for (int i = 0; i < m_wholeRows.size() && found < 0; ++i)
            if (matches(m_wholeRows.at(i)))
                found = i;
    } else if (!m_keys.isEmpty()) {
        // The server narrows the candidates; the exact, case-sensitive test is ours.
        QStringList parts;
        QVariantList binds;
        for (int i = 0; i < fields.size(); ++i) {
            if (!hasField(fields.at(i)))
                throw DatabaseError(QStringLiteral("%1: Field '%2' not found").arg(m_name, fields.at(i)));
            parts << quoted(m_table) + QLatin1Char('.') + quoted(fields.at(i)) + QLatin1String(" <=> ?");
            binds << values.value(i);
        }
        QSqlQuery query = execute(QLatin1String("SELECT ") + baseSelect() + QLatin1String(" FROM ") +
                                      quoted(m_table) + QLatin1String(" WHERE ") + parts.join(QLatin1String(" AND ")),
                                  binds);
        const int keyColumn = query.record().indexOf(m_keyField);
        QSet<qint64> candidates;
        while (query.next()) {
            const Record r = rowFromQuery(query);
            if (matches(r))
                candidates.insert(query.value(keyColumn).toLongLong());
        }
        for (int i = 0; i < m_keys.size() && found < 0 && !candidates.isEmpty(); ++i)
            if (candidates.contains(m_keys.at(i)))
                found = i;
    }
    if (found < 0)
        return false;
    m_bof = found == 0;
    m_eof = false;
    setCurrent(found);
    return true;
}

void Dataset::refresh() {
    requireActive();
    checkBrowseMode();
    reload(true);
}

// ---------------------------------------------------------------- editing

void Dataset::append() {
    requireActive();
    checkBrowseMode();
    if (!m_keyed)
        throw DatabaseError(QStringLiteral("%1: Cannot modify a read-only dataset").arg(m_name));
    m_beforeInsert = m_current;
    m_buffer = Record(m_fieldNames);
    m_given.clear();
    m_state = State::Insert;
    if (m_master) {
        const Record masterRow = m_master->dataset()->currentRecord();
        for (int i = 0; i < m_detailFields.size(); ++i) {
            m_buffer.setValue(m_detailFields.at(i), masterRow.value(m_masterFields.at(i)));
            m_given.insert(m_buffer.indexOf(m_detailFields.at(i)));
        }
    }
    m_current = m_keys.size();
    m_eof = m_bof = false;
    Q_EMIT stateChanged();
    Q_EMIT rowsReset();
    if (onNewRecord)
        onNewRecord(*this);
    computeFields(m_buffer);
    m_modified = false;
    setCurrent(m_current);
}

void Dataset::edit() {
    requireActive();
    if (isEditing())
        return;
    if (!m_keyed)
        throw DatabaseError(QStringLiteral("%1: Cannot modify a read-only dataset").arg(m_name));
    if (m_keys.isEmpty()) {
        append();
        return;
    }
    m_buffer = recordAt(m_current);
    m_given.clear();
    m_modified = false;
    m_state = State::Edit;
    Q_EMIT stateChanged();
}

void Dataset::setValue(const QString& field, const QVariant& value) {
    requireActive();
    requireEditing();
    const int index = m_buffer.indexOf(field);
    if (index < 0)
        throw DatabaseError(QStringLiteral("%1: Field '%2' not found").arg(m_name, field));
    QVariant stored = value;
    const int length = m_fields.at(index).length;
    if (length > 0 && stored.isValid() && !stored.isNull()) {
        QString text = stored.toString();
        if (text.size() > length)
            text.truncate(length);
        stored = text;
    }
    m_buffer.setValueAt(index, stored);
    if (!m_fields.at(index).computed) {
        m_given.insert(index);
        m_modified = true;
        computeFields(m_buffer);
    }
    Q_EMIT fieldChanged(field);
}

qint64 Dataset::keyOf(const Record& record) const {
    return record.value(m_keyField).toLongLong();
}

void Dataset::refetchRow(qint64 key) {
    const QString keyName = quoted(m_table) + QLatin1Char('.') + quoted(m_keyField);
    QSqlQuery query = execute(QLatin1String("SELECT ") + baseSelect() + QLatin1String(" FROM ") + quoted(m_table) +
                                  QLatin1String(" WHERE ") + keyName + QLatin1String(" = ?"),
                              {key});
    if (!query.next())
        throw DatabaseError(QStringLiteral("%1: the row was deleted by another user").arg(m_name));
    m_cache.insert(key, rowFromQuery(query));
}

void Dataset::post() {
    requireActive();
    if (!isEditing())
        return;
    QStringList columns;
    QVariantList binds;
    QList<int> given = m_given.values();
    std::sort(given.begin(), given.end());
    for (int index : std::as_const(given)) {
        if (m_fields.at(index).computed)
            continue;
        columns << quoted(m_fields.at(index).name);
        QVariant v = m_buffer.valueAt(index);
        if (v.typeId() == QMetaType::Bool)
            v = v.toBool() ? 1 : 0;
        binds << v;
    }
    if (m_state == State::Insert) {
        QStringList marks;
        for (int i = 0; i < columns.size(); ++i)
            marks << QStringLiteral("?");
        QSqlQuery query = execute(QLatin1String("INSERT INTO ") + quoted(m_table) + QLatin1String(" (") +
                                      columns.join(QLatin1String(", ")) + QLatin1String(") VALUES (") +
                                      marks.join(QLatin1String(", ")) + QLatin1Char(')'),
                                  binds);
        qint64 key = 0;
        if (m_keyAutoIncrement && (m_keyHidden || m_buffer.isNull(m_keyField)))
            key = query.lastInsertId().toLongLong();
        else
            key = keyOf(m_buffer);
        refetchRow(key);
        m_keys.append(key);
        m_current = m_keys.size() - 1;
    } else {
        const qint64 key = m_keyHidden ? m_keys.at(m_current) : keyOf(m_buffer);
        if (!columns.isEmpty()) {
            QStringList sets;
            for (const QString& c : std::as_const(columns))
                sets << c + QLatin1String(" = ?");
            binds << key;
            execute(QLatin1String("UPDATE ") + quoted(m_table) + QLatin1String(" SET ") +
                        sets.join(QLatin1String(", ")) + QLatin1String(" WHERE ") + quoted(m_keyField) +
                        QLatin1String(" = ?"),
                    binds);
        }
        refetchRow(key);
    }
    const bool inserted = m_state == State::Insert;
    m_state = State::Browse;
    m_buffer = Record();
    m_given.clear();
    m_modified = false;
    Q_EMIT stateChanged();
    if (inserted)
        Q_EMIT rowsReset();
    setCurrent(m_current);
}

void Dataset::cancel() {
    if (!isEditing())
        return;
    const bool inserting = m_state == State::Insert;
    m_state = State::Browse;
    m_buffer = Record();
    m_given.clear();
    m_modified = false;
    if (inserting)
        m_current = m_keys.isEmpty() ? -1 : qBound(0, m_beforeInsert, int(m_keys.size()) - 1);
    Q_EMIT stateChanged();
    if (inserting)
        Q_EMIT rowsReset();
    setCurrent(m_current);
}

void Dataset::remove() {
    requireActive();
    if (m_state == State::Insert) {
        cancel();
        return;
    }
    if (m_keys.isEmpty())
        throw DatabaseError(QStringLiteral("%1: Cannot perform this operation on an empty dataset").arg(m_name));
    if (!m_keyed)
        throw DatabaseError(QStringLiteral("%1: Cannot modify a read-only dataset").arg(m_name));
    const qint64 key = m_keys.at(m_current);
    execute(QLatin1String("DELETE FROM ") + quoted(m_table) + QLatin1String(" WHERE ") + quoted(m_keyField) +
                QLatin1String(" = ?"),
            {key});
    if (m_state == State::Edit) {
        m_state = State::Browse;
        m_buffer = Record();
        m_given.clear();
        m_modified = false;
        Q_EMIT stateChanged();
    }
    m_keys.remove(m_current);
    m_cache.remove(key);
    m_eof = m_keys.isEmpty();
    Q_EMIT rowsReset();
    setCurrent(m_keys.isEmpty() ? -1 : qMin(m_current, int(m_keys.size()) - 1));
}
