#pragma once

#include <QSqlDatabase>
#include <QString>
#include <QVariant>

// Real databases on the test server (127.0.0.1:3306, root / quillrok_29), one per
// test program so that programs can run side by side.
namespace testdb {

constexpr const char* kPassword = "quillrok_29";

// Creates the database anew from the invoicing schema; fails the test run with a
// clear message when no server answers.
void createInvoicingDatabase(const QString& name);
void createAccountingDatabase(const QString& name);
void dropDatabase(const QString& name);

// A connection of the test's own to that database (named "test:<name>").
QSqlDatabase connection(const QString& database);
// Runs one statement; throws std::runtime_error with the server's message.
void exec(const QString& database, const QString& sql, const QVariantList& binds = {});
QVariant scalar(const QString& database, const QString& sql, const QVariantList& binds = {});

} // namespace testdb
