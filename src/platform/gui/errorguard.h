#pragma once

#include <functional>

class QWidget;

// Runs a handler; an error it lets through is shown in one error box and the
// operation stops there. Returns false when the handler failed.
bool guarded(QWidget* owner, const std::function<void()>& handler);

// Sends errors raised outside any handler (automatic re-reads) to the error box.
void installErrorBox();
