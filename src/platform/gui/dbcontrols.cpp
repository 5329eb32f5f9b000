#include "platform/gui/dbcontrols.h"

#include "platform/core/dataset.h"
#include "platform/gui/errorguard.h"

#include <QLineEdit>

FieldLink::FieldLink(QWidget* control, std::function<void()> show)
    : QObject(control), m_control(control), m_show(std::move(show)) {}

void FieldLink::bind(DataSource* source, const QString& field) {
    for (const auto& c : std::as_const(m_connections))
        QObject::disconnect(c);
    m_connections.clear();
    m_source = source;
    m_field = field;
    if (Dataset* d = dataset()) {
        auto again = [this] { refresh(); };
        m_connections << connect(d, &Dataset::currentChanged, this, again);
        m_connections << connect(d, &Dataset::stateChanged, this, again);
        m_connections << connect(d, &Dataset::rowsRefreshed, this, again);
        m_connections << connect(d, &Dataset::fieldChanged, this, [this](const QString& f) {
            if (f.compare(m_field, Qt::CaseInsensitive) == 0)
                refresh();
        });
    }
    refresh();
}

Dataset* FieldLink::dataset() const {
    return m_source ? m_source->dataset() : nullptr;
}

QVariant FieldLink::value() const {
    Dataset* d = dataset();
    if (!d || !d->isActive() || !d->hasField(m_field))
        return QVariant();
    return d->currentRecord().value(m_field);
}

QString FieldLink::text() const {
    const QVariant v = value();
    return v.isNull() ? QString() : v.toString();
}

void FieldLink::refresh() {
    if (m_writing)
        return;
    m_show();
}

void FieldLink::write(const QVariant& value) {
    Dataset* d = dataset();
    if (!d)
        return;
    m_writing = true;
    guarded(m_control, [&] {
        if (!d->isEditing())
            d->edit();
        d->setValue(m_field, value);
    });
    m_writing = false;
}

// ---------------------------------------------------------------- DBEdit

DBEdit::DBEdit(QWidget* parent) : QLineEdit(parent), m_link(this, [this] {
    const QSignalBlocker block(this);
    showStored(m_link.text());
    if (Dataset* d = m_link.dataset(); d && d->isActive() && d->fieldLength(m_link.field()) > 0)
        setMaxLength(d->fieldLength(m_link.field()));
}) {
    connect(this, &QLineEdit::textEdited, this, [this](const QString& typed) {
        if (m_case != CharCase::Normal) {
            const int cursor = cursorPosition();
            const QSignalBlocker block(this);
            setText(m_case == CharCase::Upper ? typed.toUpper() : typed.toLower());
            setCursorPosition(cursor);
        }
        m_link.write(storedText());
    });
}

void DBEdit::bind(DataSource* source, const QString& field) {
    m_link.bind(source, field);
}

// ---------------------------------------------------------------- masks

namespace {
// Delphi's "99/99/00" (9 optional, 0 required) is Qt's "00/00/99".
const QString kDateMask = QStringLiteral("00/00/99;_");
} // namespace

DBMaskEdit::DBMaskEdit(QWidget* parent) : DBEdit(parent) {
    setInputMask(kDateMask);
}

QString DBMaskEdit::blankDate() {
    return QStringLiteral("  /  /  ");
}

QString DBMaskEdit::storedText() const {
    // Qt leaves unfilled places out of text(); the stored form keeps them as blanks.
    const QString shown = displayText();
    QString stored;
    for (QChar c : shown)
        stored += c == QLatin1Char('_') ? QLatin1Char(' ') : c;
    return stored == blankDate() ? QString(QLatin1String("")) : stored;
}

void DBMaskEdit::showStored(const QString& value) {
    setText(value);
}

MaskEdit::MaskEdit(QWidget* parent) : QLineEdit(parent) {
    setInputMask(kDateMask);
}

// ---------------------------------------------------------------- combo, check

DBComboBox::DBComboBox(QWidget* parent) : QComboBox(parent), m_link(this, [this] {
    const QSignalBlocker block(this);
    const QString value = m_link.text();
    const int index = findText(value, Qt::MatchExactly | Qt::MatchCaseSensitive);
    setCurrentIndex(index);
    if (isEditable())
        setEditText(value);
}) {
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    connect(this, &QComboBox::textActivated, this, [this](const QString& t) { m_link.write(t); });
    connect(lineEdit(), &QLineEdit::textEdited, this, [this](const QString& t) { m_link.write(t); });
}

void DBComboBox::bind(DataSource* source, const QString& field) {
    m_link.bind(source, field);
}

DBCheckBox::DBCheckBox(QWidget* parent) : QCheckBox(parent), m_link(this, [this] {
    const QSignalBlocker block(this);
    setChecked(m_link.value().toBool());
}) {
    connect(this, &QCheckBox::clicked, this, [this](bool checked) { m_link.write(checked); });
}

void DBCheckBox::bind(DataSource* source, const QString& field) {
    m_link.bind(source, field);
}
