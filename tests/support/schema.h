#pragma once

#include <QByteArray>
#include <QString>

// The official FatturaPA schema check, run offline through ../shared/fatturapa/validate.
namespace schema {

struct Verdict {
    QString skipped; // why no check could be made; empty when it ran
    QString errors;  // the validator's complaints; empty when the file passes
};

Verdict validateFile(const QString& path);
Verdict validateBytes(const QByteArray& bytes, const QString& name);

} // namespace schema

// Fails the test with the validator's complaints; skips it, saying why, when
// there is no validator to run.
#define VERIFY_SCHEMA_VALID(verdictExpression)                                                     \
    do {                                                                                           \
        const schema::Verdict verdict_ = (verdictExpression);                                      \
        if (!verdict_.skipped.isEmpty())                                                           \
            QSKIP(qPrintable(verdict_.skipped));                                                   \
        QVERIFY2(verdict_.errors.isEmpty(), qPrintable(verdict_.errors));                          \
    } while (false)
