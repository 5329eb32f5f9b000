#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPointer>

class DataSource;
class Dataset;

// Binds one control to one field of a data source's current row: the control
// shows the field, and what the user types goes into the dataset's edit buffer,
// putting a browsing dataset into edit state first.
class FieldLink : public QObject {
    Q_OBJECT
public:
    FieldLink(QWidget* control, std::function<void()> show);
    void bind(DataSource* source, const QString& field);
    Dataset* dataset() const;
    const QString& field() const { return m_field; }
    QString text() const;
    QVariant value() const;
    // Writes what the user entered; errors go to the error box.
    void write(const QVariant& value);
    bool writing() const { return m_writing; }

private:
    void refresh();

    QWidget* m_control;
    std::function<void()> m_show;
    QPointer<DataSource> m_source;
    QString m_field;
    bool m_writing = false;
    QList<QMetaObject::Connection> m_connections;
};

class DBEdit : public QLineEdit {
    Q_OBJECT
public:
    enum class CharCase { Normal, Upper, Lower };
    explicit DBEdit(QWidget* parent = nullptr);
    void bind(DataSource* source, const QString& field);
    void setCharCase(CharCase charCase) { m_case = charCase; }
    FieldLink& link() { return m_link; }

protected:
    virtual QString storedText() const { return text(); }
    virtual void showStored(const QString& value) { setText(value); }
    FieldLink m_link;

private:
    CharCase m_case = CharCase::Normal;
};

// A masked edit: "!99/99/00;1;_" is day/month/two-digit year with the slashes
// stored, blank day and month digits allowed, "_" for the places still to fill.
class DBMaskEdit : public DBEdit {
    Q_OBJECT
public:
    explicit DBMaskEdit(QWidget* parent = nullptr);
    // The mask's text when nothing is typed: "  /  /  ".
    static QString blankDate();

protected:
    QString storedText() const override;
    void showStored(const QString& value) override;
};

// The plain masked date box (not bound), as the cut-off date of the workbench.
class MaskEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit MaskEdit(QWidget* parent = nullptr);
};

class DBComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit DBComboBox(QWidget* parent = nullptr);
    void bind(DataSource* source, const QString& field);
    FieldLink& link() { return m_link; }

private:
    FieldLink m_link;
};

class DBCheckBox : public QCheckBox {
    Q_OBJECT
public:
    explicit DBCheckBox(QWidget* parent = nullptr);
    void bind(DataSource* source, const QString& field);
    FieldLink& link() { return m_link; }

private:
    FieldLink m_link;
};
