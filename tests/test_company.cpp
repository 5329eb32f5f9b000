// The company window: every field bound to the one company row, its four-button
// navigator, and what the XML writer does with the folder and the tax regime.
#include "data/diz.h"
#include "invoices/rules/computetotals.h"
#include "platform/gui/dbcontrols.h"
#include "platform/gui/dbnavigator.h"
#include "registries/anag_az.h"
#include "support/recordingdialogs.h"
#include "support/testdb.h"
#include "xml/invoicewriter.h"

#include <QDir>
#include <QLabel>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

namespace {
const QString kDb = QStringLiteral("t_company");

const QStringList kFields{"rag_soc", "indirizzo", "cap",  "comune",  "prov",      "nazione",
                          "p_iva",   "cod_fis",   "mail", "telefono", "iban",     "uff_rea",
                          "num_rea", "capit_soc", "reg_fisc", "path"};
} // namespace

class TestCompany : public QObject {
    Q_OBJECT
    std::unique_ptr<TDiz> diz;
    std::unique_ptr<Tanag_az> window;
    RecordingDialogs boxes;
    QTemporaryDir folder;

    DBEdit* editFor(const QString& field) {
        for (DBEdit* e : window->findChildren<DBEdit*>())
            if (e->link().field() == field)
                return e;
        return nullptr;
    }
    QString stored(const char* field) {
        return testdb::scalar(kDb, QString("select %1 from azienda").arg(field)).toString();
    }
    void type(QWidget* w, const QString& text) {
        w->setFocus();
        QTest::keyClicks(w, text);
    }

private Q_SLOTS:
    void init() {
        window.reset();
        diz.reset();
        testdb::createInvoicingDatabase(kDb);
        testdb::exec(kDb, "insert into azienda (rag_soc, indirizzo, cap, comune, prov, nazione, p_iva, cod_fis, "
                          "mail, telefono, iban, uff_rea, num_rea, capit_soc, soc_uni, stato_liq, reg_fisc, path) "
                          "values ('ALFA SRL', 'Via Roma 1', '20100', 'Milano', 'MI', 'IT', '01234567890', "
                          "'01234567890', 'info@alfa.it', '0212345678', 'IT60X0542811101000000123456', 'MI', "
                          "'123456', '10000,00', 'SU', 'LN', 'RF01', ?)",
                     {folder.path() + "/"});
        diz = std::make_unique<TDiz>();
        diz->login("127.0.0.1", kDb);
        window = std::make_unique<Tanag_az>(*diz);
        window->show();
        boxes.clear();
    }
    void cleanupTestCase() {
        window.reset();
        diz.reset();
        testdb::dropDatabase(kDb);
    }

    void everyFieldIsShownWithItsCaptionAndWidth() {
        QCOMPARE(window->findChild<QLabel*>("Label1")->text(), QStringLiteral("D A T I   A Z I E N D A"));
        QStringList captions;
        for (QLabel* l : window->findChildren<QLabel*>())
            captions << l->text();
        for (const char* c : {"Ragione Sociale", "Indirizzo", "CAP", "Comune", "Prov", "Nazione", "Partita Iva",
                              "Codice Fiscale", "E Mail", "Telefono", "Iban", "Ufficio REA", "Num. REA",
                              "Capitale Sociale", "Socio Unico", "Stato in Liquidazione", "Regime Fiscale", "Path"})
            QVERIFY2(captions.contains(QString::fromUtf8(c)), c);
        for (const QString& f : kFields) {
            DBEdit* e = editFor(f);
            QVERIFY2(e, qPrintable(f));
            QCOMPARE(e->text(), diz->AziendaT.text(f));
            QCOMPARE(e->maxLength(), diz->AziendaT.fieldLength(f));
        }
        QCOMPARE(window->findChild<DBComboBox*>("DBComboBox2")->currentText(), QStringLiteral("SU"));
        QCOMPARE(window->findChild<DBComboBox*>("DBComboBox1")->currentText(), QStringLiteral("LN"));
        QCOMPARE(editFor("iban")->maxLength(), 27);
    }

    void navigatorHasExactlyEditPostCancelRefresh() {
        auto* nav = window->findChild<DBNavigator*>("DBNavigator1");
        QVERIFY(nav);
        for (auto b : {DBNavigator::Edit, DBNavigator::Post, DBNavigator::Cancel, DBNavigator::Refresh})
            QVERIFY(nav->button(b));
        for (auto b : {DBNavigator::First, DBNavigator::Prior, DBNavigator::Next, DBNavigator::Last,
                       DBNavigator::Insert, DBNavigator::Delete})
            QVERIFY(!nav->button(b));
    }

    void typingEditsPostStoresCancelDrops() {
        auto* nav = window->findChild<DBNavigator*>("DBNavigator1");
        type(editFor("telefono"), "9");
        QVERIFY(diz->AziendaT.isEditing());
        nav->button(DBNavigator::Post)->click();
        QCOMPARE(stored("telefono"), QStringLiteral("02123456789"));

        type(editFor("rag_soc"), "X");
        nav->button(DBNavigator::Cancel)->click();
        QCOMPARE(editFor("rag_soc")->text(), QStringLiteral("ALFA SRL"));
        QCOMPARE(stored("rag_soc"), QStringLiteral("ALFA SRL"));
    }

    void closingLeavesAPendingEditForTheWriters() {
        type(editFor("comune"), "X");
        window->close();
        QVERIFY(diz->AziendaT.isEditing());
        QCOMPARE(diz->AziendaT.text("comune"), QStringLiteral("MilanoX"));
        QCOMPARE(stored("comune"), QStringLiteral("Milano"));
    }

    void comboTextOutsideTheItemsIsStoredCutToTwo() {
        auto* combo = window->findChild<DBComboBox*>("DBComboBox1");
        combo->lineEdit()->clear();
        type(combo->lineEdit(), "XYZ");
        window->findChild<DBNavigator*>("DBNavigator1")->button(DBNavigator::Post)->click();
        QCOMPARE(stored("stato_liq"), QStringLiteral("XY"));
        QVERIFY(combo->findText("XY") < 0);
    }

    void folderIsUsedAsTypedAndRegimeIsAlwaysRF01() {
        const QString plain = folder.path() + "/out"; // no trailing separator
        QVERIFY(QDir(folder.path()).mkpath("out"));
        diz->AziendaT.edit();
        diz->AziendaT.setValue("path", "  " + plain + " ");
        diz->AziendaT.setValue("reg_fisc", "RF19");
        diz->AziendaT.post();
        diz->Testata.append();
        diz->Testata.setValue("rag_soc", "CLIENTE SPA");
        diz->Testata.setValue("data_doc", "15/01/25");
        diz->Testata.setValue("num_doc", "7");
        diz->Testata.setValue("p_iva", "09876543210");
        diz->Testata.setValue("cod_dest", "ABCDEFG");
        diz->Testata.post();
        diz->Detta.append();
        diz->Detta.setValue("descrizione", "CONSULENZA");
        diz->Detta.setValue("quantita", "1,00");
        diz->Detta.setValue("prezzo_unit", "100,000");
        diz->Detta.setValue("prezzo_tot", "100,000");
        diz->Detta.setValue("aliquota", "22");
        diz->Detta.post();
        ComputeDocumentTotals(*diz);
        WriteInvoiceXmlFPR12(*diz, "A");
        const QString name = diz->Testata.text("nome_file");
        QVERIFY(name.startsWith("IT01234567890_"));
        // The file lands beside the folder, under a name that starts with the folder's last component.
        QFile file(folder.path() + "/out" + name);
        QVERIFY2(file.exists(), qPrintable(file.fileName()));
        QVERIFY(QDir(plain).isEmpty());
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray xml = file.readAll();
        QVERIFY(xml.contains("<RegimeFiscale>RF01</RegimeFiscale>"));
        QVERIFY(!xml.contains("RF19"));
    }
};

QTEST_MAIN(TestCompany)
#include "test_company.moc"
