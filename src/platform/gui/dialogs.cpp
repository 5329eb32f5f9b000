#include "platform/gui/dialogs.h"

#include <QApplication>
#include <QMessageBox>

namespace {
class ScreenDialogs : public Dialogs {
public:
    void message(QWidget* parent, const QString& text) override {
        QMessageBox::information(parent, QApplication::applicationDisplayName(), text);
    }
    bool confirm(QWidget* parent, const QString& text) override {
        return QMessageBox::question(parent, QStringLiteral("Conferma"), text,
                                     QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
    }
    void error(QWidget* parent, const QString& text) override {
        QMessageBox::critical(parent, QStringLiteral("Errore"), text);
    }
};

ScreenDialogs screen;
Dialogs* current = nullptr;
} // namespace

Dialogs& dialogs() {
    return current ? *current : screen;
}

void setDialogs(Dialogs* replacement) {
    current = replacement;
}
