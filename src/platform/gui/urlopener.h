#pragma once

#include <QString>

// Hands a web address to the default browser and returns at once; the outcome is
// not examined. Tests install their own to read the addresses.
class UrlOpener {
public:
    virtual ~UrlOpener() = default;
    virtual void open(const QString& address) = 0;
};

UrlOpener& urlOpener();
void setUrlOpener(UrlOpener* replacement);
