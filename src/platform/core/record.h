#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>

// One row of named values. Names are matched without regard to letter case,
// as the database's field names are. A null value (SQL NULL, or never set) is
// kept apart from the empty text.
class Record {
public:
    Record() = default;
    explicit Record(const QStringList& names);

    int count() const { return m_names.size(); }
    const QStringList& names() const { return m_names; }
    int indexOf(const QString& name) const;
    bool contains(const QString& name) const { return indexOf(name) >= 0; }

    // The stored value; an invalid QVariant when the name is unknown.
    QVariant value(const QString& name) const;
    QVariant valueAt(int index) const { return m_values.at(index); }
    bool isNull(const QString& name) const;
    // The value as text, a null giving the empty text.
    QString text(const QString& name) const;

    // Sets a known field, or appends a new one at the end.
    void setValue(const QString& name, const QVariant& value);
    void setValueAt(int index, const QVariant& value) { m_values[index] = value; }

    bool operator==(const Record& other) const = default;

private:
    QStringList m_names;
    QVector<QVariant> m_values;
    QHash<QString, int> m_index; // lower-case name -> position
};
