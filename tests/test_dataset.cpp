// The dataset layer and the data module against a real server.
#include "data/diz.h"
#include "data/protocol.h"
#include "platform/core/errors.h"
#include "platform/core/errorsink.h"
#include "support/testdb.h"

#include <QSignalSpy>
#include <QtTest>

namespace {
const QString kDb = QStringLiteral("t_dataset");
}

class TestDataset : public QObject {
    Q_OBJECT
    std::unique_ptr<TDiz> diz;

    void login() {
        diz = std::make_unique<TDiz>();
        diz->login(QStringLiteral("127.0.0.1"), kDb);
    }

private Q_SLOTS:
    void init() {
        diz.reset();
        testdb::createInvoicingDatabase(kDb);
        login();
    }
    void cleanupTestCase() {
        diz.reset();
        testdb::dropDatabase(kDb);
    }

    void newHeaderGetsDefaultsAndItsKeyBack() {
        Dataset& t = diz->Testata;
        t.append();
        QCOMPARE(t.text("tipo_doc"), QStringLiteral("TD01"));
        QCOMPARE(t.text("tipo_pag"), QStringLiteral("TP02"));
        QCOMPARE(t.text("mod_pag"), QStringLiteral("MP01"));
        for (const char* f : {"esig_iva", "esig_iva2", "esig_iva3"})
            QCOMPARE(t.text(f), QStringLiteral("I"));
        QCOMPARE(t.text("causale"), QStringLiteral("Vendita"));
        QCOMPARE(t.text("trasporto"), QStringLiteral("Vettore"));
        QCOMPARE(t.text("porto"), QStringLiteral("Franco"));
        QCOMPARE(t.text("aspetto"), QStringLiteral("Cartoni, Imballi"));
        for (const char* f : {"spese", "spese2", "spese3", "arrot", "arrot2", "arrot3"})
            QCOMPARE(t.text(f), QStringLiteral("0,00"));
        QVERIFY(t.isNull("esig_iva4"));
        QCOMPARE(t.text("prot"), QString()); // no id yet
        t.post();
        const int first = t.value("id_invio").toInt();
        QVERIFY(first > 0);
        QCOMPARE(t.text("prot"), QString::number(first));
        // Fields never given read as the empty text, not null; the flag and count as 0.
        QVERIFY(!t.isNull("esig_iva4"));
        QCOMPARE(t.text("esig_iva4"), QString());
        QCOMPARE(t.value("inviata").toBool(), false);
        QCOMPARE(t.value("n_rate").toInt(), 0);
        QCOMPARE(testdb::scalar(kDb, "select count(*) from testata where inviata=0").toInt(), 1);
        t.append();
        t.post();
        QCOMPARE(t.value("id_invio").toInt(), first + 1);
        QCOMPARE(t.currentIndex(), 1);
    }

    void textIsCutToItsLengthAndNullStaysApart() {
        Dataset& t = diz->Testata;
        t.append();
        t.setValue("sc_perc", QStringLiteral("12,50"));
        QCOMPARE(t.text("sc_perc"), QStringLiteral("12,5"));
        t.setValue("pec", QVariant());
        t.post();
        QCOMPARE(t.text("sc_perc"), QStringLiteral("12,5"));
        QVERIFY(t.isNull("pec"));
        QVERIFY(!t.isNull("cod_dest"));
        QCOMPARE(testdb::scalar(kDb, "select count(*) from testata where pec is null").toInt(), 1);
    }

    void writingWhileBrowsingFailsAndChangesNothing() {
        Dataset& t = diz->Testata;
        t.append();
        t.setValue("rag_soc", QStringLiteral("ALFA"));
        t.post();
        QVERIFY_THROWS_EXCEPTION(NotEditingError, t.setValue("rag_soc", QStringLiteral("BETA")));
        QCOMPARE(t.text("rag_soc"), QStringLiteral("ALFA"));
        QCOMPARE(t.state(), Dataset::State::Browse);
    }

    void detailsFollowTheirMaster() {
        Dataset& t = diz->Testata;
        Dataset& d = diz->Detta;
        Dataset& ct = diz->ContrattoT;
        Dataset& cd = diz->ContrattoD;
        int ids[2];
        for (int i = 0; i < 2; ++i) {
            t.append();
            t.post();
            ids[i] = t.value("id_invio").toInt();
            for (int line = 0; line <= i; ++line) {
                d.append(); // the link field comes from the master
                d.setValue("descrizione", QStringLiteral("riga %1").arg(line));
                d.post();
            }
            ct.append();
            ct.setValue("tipo", QStringLiteral("DatiContratto"));
            ct.post();
            cd.append();
            cd.setValue("id_documento", QStringLiteral("DOC%1").arg(i));
            cd.post();
        }
        QCOMPARE(testdb::scalar(kDb, "select count(*) from dettaglio where id_invio=?", {ids[1]}).toInt(), 2);
        QCOMPARE(testdb::scalar(kDb, "select tipo from dati_acquisto where id_invio=?", {ids[0]}).toString(),
                 QStringLiteral("DatiContratto"));
        t.first();
        QCOMPARE(d.recordCount(), 1);
        QCOMPARE(d.value("id_invio").toInt(), ids[0]);
        QCOMPARE(cd.text("id_documento"), QStringLiteral("DOC0"));
        t.next();
        QCOMPARE(d.recordCount(), 2);
        QCOMPARE(ct.recordCount(), 1);
        QCOMPARE(cd.text("id_documento"), QStringLiteral("DOC1"));
        // A header not yet stored shows no lines.
        t.append();
        QCOMPARE(d.recordCount(), 0);
        t.cancel();
        QCOMPARE(d.recordCount(), 2);
    }

    void navigationAndEndOfData() {
        Dataset& t = diz->Testata;
        for (int i = 0; i < 3; ++i) {
            t.append();
            t.post();
        }
        t.first();
        int seen = 0;
        while (!t.eof()) {
            ++seen;
            t.next();
        }
        QCOMPARE(seen, 3);
        QCOMPARE(t.currentIndex(), 2); // past the end the last row stays current
        t.prior();
        QCOMPARE(t.currentIndex(), 1);
        QVERIFY(!t.eof());
        QVERIFY(t.locate({"id_invio"}, {t.recordAt(0).value("id_invio")}));
        QCOMPARE(t.currentIndex(), 0);
        QVERIFY(!t.locate({"id_invio"}, {99999}));
    }

    void locateIsExactOnSeveralFields() {
        Dataset& c = diz->Clienti;
        for (const char* name : {"rossi", "ROSSI", "Rossi"}) {
            c.append();
            c.setValue("rag_soc", QString::fromLatin1(name));
            c.setValue("comune", QStringLiteral("Pavia"));
            c.post();
        }
        QVERIFY(c.locate({"rag_soc", "comune"}, {QStringLiteral("Rossi"), QStringLiteral("Pavia")}));
        QCOMPARE(c.text("rag_soc"), QStringLiteral("Rossi"));
        QVERIFY(!c.locate({"rag_soc", "comune"}, {QStringLiteral("Rossi"), QStringLiteral("pavia")}));
    }

    void statementReplacesTheRows() {
        Dataset& t = diz->Testata;
        for (int i = 0; i < 4; ++i) {
            t.append();
            t.post();
        }
        testdb::exec(kDb, "update testata set inviata=1 where id_invio in (1, 3)");
        t.close();
        t.setSql(QStringLiteral("select * from testata where inviata=0"));
        t.open();
        QCOMPARE(t.recordCount(), 2);
        QCOMPARE(t.value("id_invio").toInt(), 2);
        t.close();
        t.setSql(QStringLiteral("select * from testata"));
        t.open();
        QCOMPARE(t.recordCount(), 4);
    }

    void refreshKeepsTheCurrentRowAndSeesOtherWriters() {
        Dataset& t = diz->Testata;
        for (int i = 0; i < 3; ++i) {
            t.append();
            t.post();
        }
        t.moveTo(1);
        const int id = t.value("id_invio").toInt();
        testdb::exec(kDb, "update testata set rag_soc='DA FUORI' where id_invio=?", {id});
        testdb::exec(kDb, "insert into testata (rag_soc) values ('NUOVA')");
        t.refresh();
        QCOMPARE(t.recordCount(), 4);
        QCOMPARE(t.value("id_invio").toInt(), id);
        QCOMPARE(t.text("rag_soc"), QStringLiteral("DA FUORI"));
    }

    void automaticRereadWaitsWhileEditing() {
        Dataset& t = diz->Testata;
        t.setAutoRefresh(1);
        t.append();
        t.setValue("rag_soc", QStringLiteral("MIA"));
        t.post();
        t.edit();
        t.setValue("rag_soc", QStringLiteral("IN CORSO"));
        testdb::exec(kDb, "insert into testata (rag_soc) values ('ALTRO')");
        QTest::qWait(1500);
        QCOMPARE(t.recordCount(), 1); // not re-read while editing
        QCOMPARE(t.text("rag_soc"), QStringLiteral("IN CORSO"));
        t.post();
        QTRY_COMPARE_WITH_TIMEOUT(t.recordCount(), 2, 3000);
        QCOMPARE(t.text("rag_soc"), QStringLiteral("IN CORSO"));
    }

    void failedRereadSwitchesTheTimerOffAndReports() {
        QStringList reported;
        errorsink::setReporter([&](const QString& m) { reported << m; });
        Dataset& t = diz->Testata;
        t.setAutoRefresh(1);
        testdb::exec(kDb, "drop table dettaglio");
        testdb::exec(kDb, "rename table testata to testata_old");
        QTRY_COMPARE_WITH_TIMEOUT(reported.size(), 1, 3000);
        QVERIFY2(reported.first().contains("testata"), qPrintable(reported.first()));
        testdb::exec(kDb, "rename table testata_old to testata");
        testdb::exec(kDb, "insert into testata (rag_soc) values ('DOPO')");
        QTest::qWait(1500);
        QCOMPARE(reported.size(), 1);
        QCOMPARE(t.recordCount(), 0); // switched off for the rest of the run
        errorsink::setReporter(nullptr);
    }

    void failedSaveKeepsTheEditState() {
        Dataset& t = diz->Testata;
        t.append();
        t.post();
        t.edit();
        t.setValue("rag_soc", QStringLiteral("NON SALVATA"));
        testdb::exec(kDb, "alter table testata modify rag_soc varchar(60) check (rag_soc <> 'NON SALVATA')");
        QVERIFY_THROWS_EXCEPTION(DatabaseError, t.post());
        QCOMPARE(t.state(), Dataset::State::Edit);
        QCOMPARE(t.text("rag_soc"), QStringLiteral("NON SALVATA"));
        t.cancel();
        QCOMPARE(t.text("rag_soc"), QString());
    }

    void deleteKeepsAPlaceInTheList() {
        Dataset& t = diz->Testata;
        for (int i = 0; i < 3; ++i) {
            t.append();
            t.post();
        }
        t.moveTo(1);
        t.remove();
        QCOMPARE(t.recordCount(), 2);
        QCOMPARE(t.currentIndex(), 1);
        QCOMPARE(t.value("id_invio").toInt(), 3);
    }

    void protocolNumber_data() {
        QTest::addColumn<QVariant>("id");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("prot");
        QTest::newRow("small id") << QVariant(42) << "" << "42";
        QTest::newRow("9999") << QVariant(9999) << "x" << "9999";
        QTest::newRow("10000 without file") << QVariant(10000) << "" << "";
        QTest::newRow("10000 with file") << QVariant(10000) << "IT01234567890_P0002.xml" << "P0002";
        QTest::newRow("short name") << QVariant(10000) << "IT0123456789012" << "2";
        QTest::newRow("no id") << QVariant() << "" << "";
    }
    void protocolNumber() {
        QFETCH(QVariant, id);
        QFETCH(QString, file);
        QFETCH(QString, prot);
        QCOMPARE(::protocolNumber(id, file), prot);
    }
};

QTEST_GUILESS_MAIN(TestDataset)
#include "test_dataset.moc"
