#pragma once

#include <QString>
#include <exception>

// Base of every error the program raises itself. Handlers let these travel up;
// the central guard shows what() in one message box and the operation stops there.
class AppError : public std::exception {
public:
    explicit AppError(QString message) : m_message(std::move(message)), m_bytes(m_message.toUtf8()) {}
    const char* what() const noexcept override { return m_bytes.constData(); }
    const QString& message() const { return m_message; }

private:
    QString m_message;
    QByteArray m_bytes;
};

// Text that is not a number or not a date where one is needed.
class ConversionError : public AppError {
public:
    using AppError::AppError;
};

// An error of the database server or of the dataset layer.
class DatabaseError : public AppError {
public:
    using AppError::AppError;
};

// Writing a field of a dataset that is only browsing.
class NotEditingError : public DatabaseError {
public:
    using DatabaseError::DatabaseError;
};

// A file that cannot be created, written or moved.
class FileError : public AppError {
public:
    using AppError::AppError;
};
