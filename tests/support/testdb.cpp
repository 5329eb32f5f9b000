#include "support/testdb.h"

#include <QFile>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <stdexcept>

namespace {
QSqlDatabase open(const QString& connectionName, const QString& database) {
    QSqlDatabase db = QSqlDatabase::contains(connectionName) ? QSqlDatabase::database(connectionName, false)
                                                             : QSqlDatabase::addDatabase("QMYSQL", connectionName);
    if (!db.isOpen()) {
        db.setHostName("127.0.0.1");
        db.setPort(3306);
        db.setUserName("root");
        db.setPassword(testdb::kPassword);
        db.setDatabaseName(database);
        if (!db.open())
            throw std::runtime_error(
                ("No MariaDB server answers on 127.0.0.1:3306 (start it with scripts/db-start.sh): " +
                 db.lastError().text())
                    .toStdString());
    }
    return db;
}

void run(QSqlDatabase db, const QString& sql, const QVariantList& binds, QSqlQuery* out = nullptr) {
    QSqlQuery query(db);
    query.prepare(sql);
    for (const QVariant& v : binds)
        query.addBindValue(v);
    if (!query.exec())
        throw std::runtime_error((sql + ": " + query.lastError().text()).toStdString());
    if (out)
        *out = std::move(query);
}

void createFrom(const QString& name, const QString& schemaFile) {
    QSqlDatabase admin = open("test:admin", QString());
    run(admin, QString("DROP DATABASE IF EXISTS `%1`").arg(name), {});
    run(admin, QString("CREATE DATABASE `%1` CHARACTER SET utf8mb4 COLLATE utf8mb4_unicode_ci").arg(name), {});
    QFile file(QString(PROJECT_SOURCE_DIR) + "/db/" + schemaFile);
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error(("cannot read " + file.fileName()).toStdString());
    const QString text = QString::fromUtf8(file.readAll());
    QSqlDatabase db = testdb::connection(name);
    for (const QString& statement : text.split(";\n")) {
        QStringList lines;
        for (const QString& line : statement.split('\n'))
            if (!line.trimmed().startsWith("--"))
                lines << line;
        const QString sql = lines.join('\n').trimmed();
        if (!sql.isEmpty())
            run(db, sql, {});
    }
}
} // namespace

void testdb::createInvoicingDatabase(const QString& name) {
    createFrom(name, "xml_quova.sql");
}

void testdb::createAccountingDatabase(const QString& name) {
    createFrom(name, "quova24.sql");
}

void testdb::dropDatabase(const QString& name) {
    QSqlDatabase admin = open("test:admin", QString());
    run(admin, QString("DROP DATABASE IF EXISTS `%1`").arg(name), {});
}

QSqlDatabase testdb::connection(const QString& database) {
    return open("test:" + database, database);
}

void testdb::exec(const QString& database, const QString& sql, const QVariantList& binds) {
    run(connection(database), sql, binds);
}

QVariant testdb::scalar(const QString& database, const QString& sql, const QVariantList& binds) {
    QSqlQuery query;
    run(connection(database), sql, binds, &query);
    return query.next() ? query.value(0) : QVariant();
}
