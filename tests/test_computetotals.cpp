// The totals routine over the real datasets: what it saves, and what a stop leaves.
#include "data/diz.h"
#include "invoices/rules/computetotals.h"
#include "platform/core/errors.h"
#include "support/testdb.h"

#include <QtTest>

namespace {
const QString kDb = QStringLiteral("t_totals");
}

class TestComputeTotals : public QObject {
    Q_OBJECT
    std::unique_ptr<TDiz> diz;

    int newInvoice(const QList<QStringList>& lines) {
        diz->Testata.append();
        diz->Testata.post();
        for (const QStringList& l : lines) { // quantita, aliquota, prezzo_tot, tipo_cessione
            diz->Detta.append();
            diz->Detta.setValue("quantita", l.at(0));
            diz->Detta.setValue("aliquota", l.at(1));
            diz->Detta.setValue("prezzo_tot", l.at(2));
            diz->Detta.setValue("tipo_cessione", l.value(3));
            diz->Detta.post();
        }
        return diz->Testata.value("id_invio").toInt();
    }
    QString stored(int id, const char* field) {
        return testdb::scalar(kDb, QString("select %1 from testata where id_invio=?").arg(field), {id}).toString();
    }

private Q_SLOTS:
    void init() {
        diz.reset();
        testdb::createInvoicingDatabase(kDb);
        diz = std::make_unique<TDiz>();
        diz->login("127.0.0.1", kDb);
    }
    void cleanupTestCase() {
        diz.reset();
        testdb::dropDatabase(kDb);
    }

    void savesTheSummaryAndLeavesTheLinesAtTheirEnd() {
        const int id = newInvoice({{"1", "10", "20,000"}, {"1", "22", "100,000"}, {"2", "22", "50,000"},
                                   {"1", "22", "10,000", "PR"}});
        diz->Testata.edit();
        diz->Testata.setValue("sc_tipo", "SC");
        diz->Testata.setValue("sc_perc", "10");
        ComputeDocumentTotals(*diz);
        QCOMPARE(diz->Testata.state(), Dataset::State::Browse);
        QCOMPARE(stored(id, "aliquota"), QStringLiteral("10"));
        QCOMPARE(stored(id, "aliquota2"), QStringLiteral("22"));
        QCOMPARE(stored(id, "imponibile"), QStringLiteral("20,00"));
        QCOMPARE(stored(id, "imposta"), QStringLiteral("2,00"));
        QCOMPARE(stored(id, "imponibile2"), QStringLiteral("150,00"));
        QCOMPARE(stored(id, "imposta2"), QStringLiteral("35,20"));
        QCOMPARE(stored(id, "tot_omaggio2"), QStringLiteral("10,00"));
        QCOMPARE(stored(id, "imponibile3"), QString());
        QCOMPARE(stored(id, "sc_importo"), QStringLiteral("17,00"));
        // 170 + 37,20 - (1,1 * 2 + 1,22 * 15)
        QCOMPARE(stored(id, "tot_doc"), QStringLiteral("186,70"));
        QVERIFY(diz->Detta.eof());
        QCOMPARE(diz->Detta.currentIndex(), 3);
    }

    void aRateLeavesItsSlotWhenItsLineGoes() {
        const int id = newInvoice({{"1", "10", "20,000"}, {"1", "22", "100,000"}, {"1", "4", "5,000"}});
        ComputeDocumentTotals(*diz);
        QCOMPARE(stored(id, "aliquota3"), QStringLiteral("4"));
        diz->Detta.first();
        diz->Detta.remove();
        ComputeDocumentTotals(*diz);
        QCOMPARE(stored(id, "aliquota"), QStringLiteral("22"));
        QCOMPARE(stored(id, "aliquota2"), QStringLiteral("4"));
        QCOMPARE(stored(id, "aliquota3"), QString());
        QCOMPARE(stored(id, "tot_omaggio3"), QString());
        QCOMPARE(stored(id, "tot_doc"), QStringLiteral("127,20"));
        // Emptied buckets hold the empty text, not NULL.
        QCOMPARE(testdb::scalar(kDb, "select count(*) from testata where id_invio=? and (aliquota3 is null or "
                                     "imponibile3 is null or imposta3 is null or tot_omaggio3 is null or "
                                     "imponibile4 is null)", {id}).toInt(), 0);
    }

    void aBadQuantityStopsWithTheClearedSummarySaved() {
        const int id = newInvoice({{"1", "22", "100,000"}, {"", "10", "5,000"}, {"1", "4", "5,000"}});
        QVERIFY_THROWS_EXCEPTION(ConversionError, ComputeDocumentTotals(*diz));
        testdb::exec(kDb, "update testata set imponibile='9,99', tot_doc='9,99', aliquota3='7' where id_invio=?", {id});
        diz->Testata.refresh();
        QVERIFY_THROWS_EXCEPTION(ConversionError, ComputeDocumentTotals(*diz));
        QCOMPARE(diz->Testata.state(), Dataset::State::Browse);
        QCOMPARE(stored(id, "aliquota"), QStringLiteral("22"));
        QCOMPARE(stored(id, "aliquota2"), QString());
        QCOMPARE(stored(id, "aliquota3"), QString());
        QCOMPARE(stored(id, "imponibile"), QString());
        QCOMPARE(stored(id, "tot_doc"), QStringLiteral("9,99")); // not written by a stopped run
    }

    void articleAmountsWithGroupingDotsAreCounted() {
        const int id = newInvoice({{"1", "22", "1.234,500"}});
        ComputeDocumentTotals(*diz);
        QCOMPARE(stored(id, "imponibile"), QStringLiteral("1234,50"));
        QCOMPARE(stored(id, "tot_doc"), QStringLiteral("1506,09"));
    }
};

QTEST_GUILESS_MAIN(TestComputeTotals)
#include "test_computetotals.moc"
