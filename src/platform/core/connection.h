#pragma once

#include <QObject>
#include <QSqlDatabase>
#include <QString>

// A named MySQL connection with stored settings and no log-in prompt.
class Connection : public QObject {
    Q_OBJECT
public:
    Connection(const QString& name, QObject* parent = nullptr);
    ~Connection() override;

    const QString& name() const { return m_name; }
    QString server() const { return m_server; }
    void setServer(const QString& server) { m_server = server; }
    QString database() const { return m_database; }
    void setDatabase(const QString& database) { m_database = database; }
    void setUser(const QString& user) { m_user = user; }
    void setPassword(const QString& password) { m_password = password; }
    void setPort(int port) { m_port = port; }
    void setConnectTimeout(int seconds) { m_timeoutSeconds = seconds; }

    // Closes any earlier link and connects with the current settings. Throws
    // DatabaseError with the client's message when the server refuses.
    void connect();
    void disconnect();
    bool isConnected() const;
    // The Qt connection; only valid after connect().
    QSqlDatabase qtDatabase() const;

Q_SIGNALS:
    void aboutToDisconnect();

private:
    QString m_name;
    QString m_server = QStringLiteral("127.0.0.1");
    QString m_database;
    QString m_user;
    QString m_password;
    int m_port = 3306;
    int m_timeoutSeconds = 15;
};
