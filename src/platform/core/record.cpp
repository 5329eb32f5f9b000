#include "platform/core/record.h"

Record::Record(const QStringList& names) {
    for (const QString& name : names)
        setValue(name, QVariant());
}

int Record::indexOf(const QString& name) const {
    return m_index.value(name.toLower(), -1);
}

QVariant Record::value(const QString& name) const {
    const int i = indexOf(name);
    return i < 0 ? QVariant() : m_values.at(i);
}

bool Record::isNull(const QString& name) const {
    const QVariant v = value(name);
    return !v.isValid() || v.isNull();
}

QString Record::text(const QString& name) const {
    const QVariant v = value(name);
    if (!v.isValid() || v.isNull())
        return QString(QLatin1String(""));
    return v.toString();
}

void Record::setValue(const QString& name, const QVariant& value) {
    const int i = indexOf(name);
    if (i >= 0) {
        m_values[i] = value;
        return;
    }
    m_index.insert(name.toLower(), m_names.size());
    m_names.append(name);
    m_values.append(value);
}
