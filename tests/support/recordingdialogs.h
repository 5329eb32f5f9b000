#pragma once

#include "platform/gui/dialogs.h"
#include "platform/gui/urlopener.h"

#include <QStringList>

// Boxes for tests: every text shown is kept, confirmations take the next answer
// queued (No when none is queued).
class RecordingDialogs : public Dialogs {
public:
    RecordingDialogs() { setDialogs(this); }
    ~RecordingDialogs() override { setDialogs(nullptr); }

    void message(QWidget*, const QString& text) override { messages << text; }
    bool confirm(QWidget*, const QString& text) override {
        questions << text;
        return answers.isEmpty() ? false : answers.takeFirst();
    }
    void error(QWidget*, const QString& text) override { errors << text; }
    void clear() {
        messages.clear();
        questions.clear();
        errors.clear();
        answers.clear();
    }

    QStringList messages, questions, errors;
    QList<bool> answers;
};

class RecordingUrlOpener : public UrlOpener {
public:
    RecordingUrlOpener() { setUrlOpener(this); }
    ~RecordingUrlOpener() override { setUrlOpener(nullptr); }
    void open(const QString& address) override { opened << address; }
    QStringList opened;
};
