#include "platform/gui/urlopener.h"

#include <QDesktopServices>
#include <QUrl>

namespace {
class DesktopUrlOpener : public UrlOpener {
public:
    void open(const QString& address) override {
        QDesktopServices::openUrl(QUrl(address, QUrl::TolerantMode));
    }
};

DesktopUrlOpener desktop;
UrlOpener* current = nullptr;
} // namespace

UrlOpener& urlOpener() {
    return current ? *current : desktop;
}

void setUrlOpener(UrlOpener* replacement) {
    current = replacement;
}
