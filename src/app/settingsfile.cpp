#include "app/settingsfile.h"

#include "platform/core/errors.h"

#include <QFile>
#include <QFileInfo>

std::optional<ConnectionSettings> readConnectionSettings(const QString& path) {
    if (!QFileInfo::exists(path))
        return std::nullopt;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw FileError(QStringLiteral("Impossibile leggere %1: %2").arg(path, file.errorString()));
    // Only the first three lines matter; the first megabyte holds them in any
    // sensible file. A binary file still gives three lines of text, which the
    // server then refuses.
    const QByteArray head = file.read(1 << 20);
    if (file.error() != QFileDevice::NoError)
        throw FileError(QStringLiteral("Impossibile leggere %1: %2").arg(path, file.errorString()));
    const QList<QByteArray> split = head.split('\n');
    QString lines[3];
    for (int i = 0; i < 3 && i < split.size(); ++i) {
        QByteArray bytes = split.at(i);
        if (bytes.endsWith('\r'))
            bytes.chop(1);
        lines[i] = QString::fromUtf8(bytes);
    }
    ConnectionSettings settings;
    settings.server = lines[0].left(15);
    settings.database = lines[1].left(10);
    settings.registerCode = lines[2];
    return settings;
}
