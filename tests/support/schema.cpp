#include "support/schema.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

schema::Verdict schema::validateFile(const QString& path) {
    const QString validator = QStringLiteral(SHARED_DIR "/fatturapa/validate");
    if (!QFileInfo::exists(validator))
        return {QStringLiteral("no schema validator at %1").arg(validator), {}};
    if (QStandardPaths::findExecutable(QStringLiteral("xmllint")).isEmpty())
        return {QStringLiteral("the schema validator needs xmllint (package libxml2-utils)"), {}};
    QProcess validate;
    validate.start(validator, {path});
    if (!validate.waitForFinished(120000))
        return {{}, QStringLiteral("the schema validator did not finish")};
    if (validate.exitStatus() != QProcess::NormalExit || validate.exitCode() != 0) {
        const QString errors = QString::fromUtf8(validate.readAllStandardError());
        return {{}, errors.isEmpty() ? QStringLiteral("rejected by the schema validator") : errors};
    }
    return {};
}

schema::Verdict schema::validateBytes(const QByteArray& bytes, const QString& name) {
    QTemporaryDir dir;
    if (!dir.isValid())
        return {{}, QStringLiteral("no temporary folder for the file")};
    QFile file(dir.filePath(name + QStringLiteral(".xml")));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        return {{}, QStringLiteral("cannot write %1").arg(file.fileName())};
    file.close();
    return validateFile(file.fileName());
}
