#include "platform/gui/errorguard.h"

#include "platform/core/errors.h"
#include "platform/core/errorsink.h"
#include "platform/gui/dialogs.h"

#include <QApplication>
#include <exception>

bool guarded(QWidget* owner, const std::function<void()>& handler) {
    try {
        handler();
        return true;
    } catch (const AppError& error) {
        dialogs().error(owner, error.message());
    } catch (const std::exception& error) {
        dialogs().error(owner, QString::fromUtf8(error.what()));
    }
    return false;
}

void installErrorBox() {
    errorsink::setReporter([](const QString& message) { dialogs().error(QApplication::activeWindow(), message); });
}
