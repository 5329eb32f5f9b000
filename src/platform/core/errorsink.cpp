#include "platform/core/errorsink.h"

namespace {
std::function<void(const QString&)>& reporter() {
    static std::function<void(const QString&)> instance;
    return instance;
}
} // namespace

void errorsink::setReporter(std::function<void(const QString&)> r) { reporter() = std::move(r); }

void errorsink::report(const QString& message) {
    if (reporter())
        reporter()(message);
}
