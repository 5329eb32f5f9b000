#pragma once

#include <QString>
#include <optional>

// The connection settings file: server, invoicing database and register code on
// its first three lines; a missing line reads as the empty text.
struct ConnectionSettings {
    QString server;       // cut to 15 characters
    QString database;     // cut to 10 characters
    QString registerCode; // unchanged
};

// Reads the file; no value when it does not exist. Throws FileError when it
// exists but cannot be read.
std::optional<ConnectionSettings> readConnectionSettings(const QString& path);
