#include "platform/core/connection.h"

#include "platform/core/errors.h"

#include <QSqlError>

Connection::Connection(const QString& name, QObject* parent) : QObject(parent), m_name(name) {}

Connection::~Connection() {
    disconnect();
}

void Connection::connect() {
    disconnect();
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QMYSQL"), m_name);
    // "localhost" would mean the client's built-in socket path; the server is
    // always reached over TCP so that the settings file's host is what counts.
    db.setHostName(m_server == QLatin1String("localhost") ? QStringLiteral("127.0.0.1") : m_server);
    db.setDatabaseName(m_database);
    db.setUserName(m_user);
    db.setPassword(m_password);
    db.setPort(m_port);
    db.setConnectOptions(QStringLiteral("MYSQL_OPT_CONNECT_TIMEOUT=%1").arg(m_timeoutSeconds));
    if (!db.open()) {
        const QString message = db.lastError().text();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(m_name);
        throw DatabaseError(message);
    }
}

void Connection::disconnect() {
    if (!QSqlDatabase::contains(m_name))
        return;
    Q_EMIT aboutToDisconnect();
    {
        QSqlDatabase db = QSqlDatabase::database(m_name, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(m_name);
}

bool Connection::isConnected() const {
    return QSqlDatabase::contains(m_name) && QSqlDatabase::database(m_name, false).isOpen();
}

QSqlDatabase Connection::qtDatabase() const {
    return QSqlDatabase::database(m_name, false);
}
