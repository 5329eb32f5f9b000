#pragma once

#include <QString>

class QWidget;

// Message and confirmation boxes. Windows ask through this interface so that
// tests can answer Yes or No and read what was shown.
class Dialogs {
public:
    virtual ~Dialogs() = default;
    // A plain message box with an OK button.
    virtual void message(QWidget* parent, const QString& text) = 0;
    // A Yes/No confirmation; true for Yes.
    virtual bool confirm(QWidget* parent, const QString& text) = 0;
    // The application's error box.
    virtual void error(QWidget* parent, const QString& text) = 0;
};

// The boxes in use; message boxes on screen unless a test installed its own.
Dialogs& dialogs();
// Installs replacement boxes (nullptr goes back to the screen's); not owned.
void setDialogs(Dialogs* replacement);
