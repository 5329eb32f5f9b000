#pragma once

#include <QString>
#include <functional>

// Where errors go that happen outside any handler (a failed automatic re-read).
// The windows install the central error box here; without one they are dropped.
namespace errorsink {
void setReporter(std::function<void(const QString&)> reporter);
void report(const QString& message);
} // namespace errorsink
