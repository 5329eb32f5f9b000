// The XML writers over the real datasets: the file in the company folder, the
// stored name, and what a failure or a name clash leaves behind.
#include "data/diz.h"
#include "platform/core/errors.h"
#include "support/schema.h"
#include "support/testdb.h"
#include "xml/invoicewriter.h"

#include <QtTest>

#include <functional>

namespace {
const QString kDb = QStringLiteral("t_writer");
const QString kVatNumber = QStringLiteral("01234567890");

enum class Form { FPR12, FPA12 };

void write(TDiz& diz, Form form) {
    if (form == Form::FPR12)
        WriteInvoiceXmlFPR12(diz, QStringLiteral("B"));
    else
        WriteInvoiceXmlFPA12(diz, QStringLiteral("B"));
}

// The register "B" gives "P" (FPR12) or "A" (FPA12) and four digits.
QString nameOf(Form form, int id) {
    return QStringLiteral("IT%1_%2%3.xml")
        .arg(kVatNumber, form == Form::FPR12 ? QStringLiteral("P") : QStringLiteral("A"))
        .arg(id, 4, 10, QLatin1Char('0'));
}

// Every entry of a folder with its bytes (folders with none).
QMap<QString, QByteArray> contents(const QString& folder) {
    QMap<QString, QByteArray> result;
    const QDir dir(folder);
    for (const QFileInfo& entry :
         dir.entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)) {
        QFile file(entry.filePath());
        result.insert(entry.fileName(), entry.isFile() && file.open(QIODevice::ReadOnly)
                                            ? file.readAll()
                                            : QByteArray());
    }
    return result;
}

QByteArray read(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void put(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// Changes made to the stored rows before the write: (id of the invoice, company folder).
using Change = std::function<void(int, const QString&)>;
} // namespace

Q_DECLARE_METATYPE(Form)
Q_DECLARE_METATYPE(Change)

class TestInvoiceWriter : public QObject {
    Q_OBJECT
    std::unique_ptr<TDiz> diz;
    std::unique_ptr<QTemporaryDir> folder;

    QString folderPath() const { return folder->path() + QLatin1Char('/'); }

    // A complete invoice that either form can write: a business customer with
    // recipient code, two lines at 22 and 10, one contract reference, paid by transfer.
    int newInvoice(int id = 0) {
        testdb::exec(
            kDb,
            "insert into testata (id_invio, rag_soc, indirizzo, comune, cap, prov, nazione, "
            "p_iva, cod_fis, cod_dest, data_doc, num_doc, tot_doc, tipo_doc, tipo_pag, mod_pag, "
            "n_rate, scad1, spese, arrot, spese2, arrot2, spese3, arrot3, imponibile, imposta, "
            "aliquota, imponibile2, imposta2, aliquota2, esig_iva, esig_iva2, dest_soc, "
            "dest_indir, dest_comune, inviata) values (?, 'Gamma Costruzioni S.p.A.', "
            "'Corso Cavour 10', 'Milano', '20121', 'MI', 'IT', '09876543210', '09876543210', "
            "'UFABCD', '15/03/2024', '12', '177,55', 'TD01', 'TP02', 'MP05', 0, '15/04/24', "
            "'0,00', '0,00', '0,00', '0,00', '0,00', '0,00', '100,00', '22,00', '22', '50,50', "
            "'5,05', '10', 'I', 'I', 'Gamma', 'Via Cantiere 3', 'Lodi', 0)",
            {id == 0 ? QVariant() : QVariant(id)});
        const int stored = testdb::scalar(kDb, "select max(id_invio) from testata").toInt();
        const auto addLine = [&](int prog, const char* description, const char* total,
                                 const char* rate) {
            testdb::exec(
                kDb,
                "insert into dettaglio (id_invio, prog, descrizione, quantita, um, prezzo_unit, "
                "prezzo_tot, aliquota) values (?, ?, ?, '1,00', 'PZ', ?, ?, ?)",
                {stored, prog, description, total, total, rate});
        };
        addLine(1, "Lavori di manutenzione - 2023", "100,000", "22");
        addLine(2, "Materiale elettrico", "50,500", "10");
        addReference(stored, "DatiContratto", "CTR 8");
        return stored;
    }
    void addReference(int id, const char* kind, const char* document) {
        if (testdb::scalar(kDb, "select count(*) from test_dati where id_invio=? and tipo=?",
                           {id, kind})
                .toInt() == 0)
            testdb::exec(kDb, "insert into test_dati (id_invio, tipo) values (?, ?)", {id, kind});
        testdb::exec(
            kDb,
            "insert into dati_acquisto (id_invio, tipo, n_linea, id_documento, data, numero, "
            "cod_comm, cup, cig) values (?, ?, 1, ?, '01/01/2024', '', '', 'J11B21000010005', "
            "'ZAB1234567')",
            {id, kind, document});
    }
    // Re-reads the stored rows and puts Testata on the invoice.
    void select(int id) {
        diz->AziendaT.refresh();
        diz->Testata.refresh();
        QVERIFY(diz->Testata.locate({"id_invio"}, {id}));
    }
    QVariant storedName(int id) {
        return testdb::scalar(kDb, "select nome_file from testata where id_invio=?", {id});
    }

private Q_SLOTS:
    void init() {
        diz.reset();
        // A short name: the company's path holds at most 40 characters.
        folder = std::make_unique<QTemporaryDir>(QDir::tempPath() + QStringLiteral("/fx-XXXXXX"));
        QVERIFY(folder->isValid());
        testdb::createInvoicingDatabase(kDb);
        testdb::exec(
            kDb,
            "insert into azienda (rag_soc, p_iva, cod_fis, reg_fisc, indirizzo, cap, comune, prov, "
            "nazione, uff_rea, num_rea, capit_soc, soc_uni, stato_liq, mail, telefono, path, iban) "
            "values ('Alfa & Beta S.r.l.', ?, ?, 'RF01', 'Via Roma 1', '27100', 'Pavia', 'PV', "
            "'IT', 'PV', '123456', '10000', 'SM', 'LN', 'info@alfabeta.it', '0382123456', ?, "
            "'IT60X0542811101000000123456')",
            {kVatNumber, kVatNumber, folderPath()});
        diz = std::make_unique<TDiz>();
        diz->login("127.0.0.1", kDb);
    }
    void cleanupTestCase() {
        diz.reset();
        testdb::dropDatabase(kDb);
    }

    void writesTheFileAndStoresItsName_data() {
        QTest::addColumn<Form>("form");
        QTest::newRow("FPR12") << Form::FPR12;
        QTest::newRow("FPA12") << Form::FPA12;
    }
    void writesTheFileAndStoresItsName() {
        QFETCH(Form, form);
        const int id = newInvoice();
        newInvoice(); // Testata must stay on its row, not on the last one
        const QString name = nameOf(form, id);
        // A file of an earlier write for this same invoice is replaced.
        testdb::exec(kDb, "update testata set nome_file=? where id_invio=?", {name, id});
        put(folderPath() + name, "stale");
        select(id);
        // Pending changes of the header go into the file and are saved with the name.
        diz->Testata.edit();
        diz->Testata.setValue("num_doc", "77");

        write(*diz, form);

        QCOMPARE(diz->Testata.state(), Dataset::State::Browse);
        QCOMPARE(diz->Testata.value("id_invio").toInt(), id);
        QCOMPARE(diz->Testata.text("nome_file"), name);
        QCOMPARE(storedName(id).toString(), name);
        QCOMPARE(
            testdb::scalar(kDb, "select num_doc from testata where id_invio=?", {id}).toString(),
            QStringLiteral("77"));
        QVERIFY(diz->Detta.eof());
        QCOMPARE(contents(folderPath()).keys(), QStringList{name});

        const QByteArray bytes = read(folderPath() + name);
        QVERIFY(bytes.startsWith("<?xml "));
        QVERIFY(bytes.endsWith(form == Form::FPR12 ? "</p:FatturaElettronica>\r\n"
                                                   : "</ns3:FatturaElettronica>\r\n"));
        QCOMPARE(bytes.count('\n'), bytes.count("\r\n"));
        QCOMPARE(bytes.count('\r'), bytes.count("\r\n"));
        QVERIFY(bytes.contains("<Numero>77</Numero>\r\n"));
        QVERIFY(bytes.contains("<Descrizione>Materiale elettrico</Descrizione>\r\n"));
        QVERIFY(bytes.contains("<IdDocumento>CTR 8</IdDocumento>\r\n"));
        VERIFY_SCHEMA_VALID(schema::validateFile(folderPath() + name));
    }

    // A stop anywhere leaves the folder and the stored name as they were.
    void aFailureLeavesNoFileAndTheNameAsBefore_data() {
        QTest::addColumn<Form>("form");
        QTest::addColumn<Change>("change");
        QTest::addColumn<QVariant>(
            "previous"); // nome_file before the write; "own": the invoice's name
        QTest::addColumn<bool>("conversion"); // a conversion error, not a file error

        const auto sql = [](const char* statement) {
            return Change([statement](int id, const QString&) {
                const QString text = QString::fromLatin1(statement);
                testdb::exec(kDb, text,
                             text.contains(QLatin1Char('?')) ? QVariantList{id} : QVariantList{});
            });
        };
        const QVariant own = QStringLiteral("own");
        QTest::newRow("capit_soc empty") << Form::FPR12 << sql("update azienda set capit_soc=''")
                                         << QVariant(QStringLiteral("")) << true;
        QTest::newRow("capit_soc not a number, earlier file kept")
            << Form::FPR12 << sql("update azienda set capit_soc='diecimila'") << own << true;
        QTest::newRow("bad amount in a line")
            << Form::FPR12
            << sql("update dettaglio set prezzo_tot='12,3x' where id_invio=? and prog=2")
            << QVariant(QStringLiteral("vecchio.xml")) << true;
        QTest::newRow("NULL line quantity, earlier file kept")
            << Form::FPA12 << sql("update dettaglio set quantita=NULL where id_invio=? and prog=1")
            << own << true;
        QTest::newRow("NULL taxable amount")
            << Form::FPA12 << sql("update testata set imponibile=NULL where id_invio=?")
            << QVariant(QStringLiteral("vecchio.xml")) << true;
        QTest::newRow("NULL instalment count")
            << Form::FPR12 << sql("update testata set n_rate=NULL where id_invio=?") << QVariant()
            << true;
        QTest::newRow("missing output folder")
            << Form::FPR12 << Change([](int, const QString& path) {
                   testdb::exec(kDb, "update azienda set path=?", {path + "manca/"});
               })
            << QVariant(QStringLiteral("vecchio.xml")) << false;
        QTest::newRow("file name taken by a folder")
            << Form::FPA12 << Change([](int id, const QString& path) {
                   QVERIFY(QDir().mkdir(path + nameOf(Form::FPA12, id)));
               })
            << QVariant(QStringLiteral("")) << false;
    }
    void aFailureLeavesNoFileAndTheNameAsBefore() {
        QFETCH(Form, form);
        QFETCH(Change, change);
        QFETCH(QVariant, previous);
        QFETCH(bool, conversion);
        const int id = newInvoice();
        const QString name = nameOf(form, id);
        if (previous == QVariant(QStringLiteral("own"))) {
            previous = name;
            put(folderPath() + name, "the earlier, complete file");
        }
        testdb::exec(kDb, "update testata set nome_file=? where id_invio=?", {previous, id});
        change(id, folderPath());
        select(id);
        const QMap<QString, QByteArray> before = contents(folderPath());

        QString message;
        bool converting = false;
        try {
            write(*diz, form);
        } catch (const AppError& error) {
            message = error.message();
            converting = dynamic_cast<const ConversionError*>(&error) != nullptr;
        }
        QVERIFY2(!message.isEmpty(), "the write did not stop");
        QCOMPARE(converting, conversion);
        QCOMPARE(contents(folderPath()), before);
        for (const QVariant& name : {storedName(id), diz->Testata.value("nome_file")}) {
            QCOMPARE(name.isNull(), previous.isNull());
            QCOMPARE(name.toString(), previous.toString());
        }
        QCOMPARE(diz->Testata.state(), Dataset::State::Browse);
        QCOMPARE(diz->Testata.value("id_invio").toInt(), id);
    }

    // Ids past the progressive's range give an earlier invoice's name again.
    void theNameOfAnotherInvoiceIsRefused_data() {
        QTest::addColumn<Form>("form");
        QTest::addColumn<int>("laterId");
        QTest::newRow("FPR12 past 19998") << Form::FPR12 << 19998 + 2;
        QTest::newRow("FPA12 past 9999") << Form::FPA12 << 9999 + 2;
    }
    void theNameOfAnotherInvoiceIsRefused() {
        QFETCH(Form, form);
        QFETCH(int, laterId);
        const int earlier = newInvoice(2);
        const QString name = nameOf(form, earlier);
        select(earlier);
        write(*diz, form);
        const QByteArray earlierFile = read(folderPath() + name);
        const int later = newInvoice(laterId);
        select(later);

        try {
            write(*diz, form);
            QFAIL("the later invoice took the earlier one's file name");
        } catch (const AppError& error) {
            // It names the file and the invoice that holds it.
            QString rest = error.message();
            QVERIFY2(rest.contains(name), qPrintable(rest));
            rest.remove(name);
            QVERIFY2(rest.contains(QRegularExpression(QStringLiteral("\\b2\\b"))),
                     qPrintable(rest));
        }
        QCOMPARE(contents(folderPath()), (QMap<QString, QByteArray>{{name, earlierFile}}));
        QCOMPARE(storedName(later).toString(), QString());
        QCOMPARE(storedName(earlier).toString(), name);
        QCOMPARE(diz->Testata.state(), Dataset::State::Browse);
    }

    // An invoice imported without PEC, recipient code, provinces or delivery data
    // (NULL, not empty) still gives a valid file; so do reference groups stored out
    // of the schema's order.
    void nullTextsWriteAValidFile() {
        const int id = newInvoice();
        testdb::exec(
            kDb,
            "update testata set cod_dest=NULL, pec=NULL, prov=NULL, dest_soc=NULL, "
            "dest_indir=NULL, dest_comune=NULL, sc_tipo=NULL, sc_perc=NULL, esig_iva=NULL, "
            "esig_iva2=NULL, esig_iva3=NULL, esig_iva4=NULL, natura=NULL, natura2=NULL, "
            "natura3=NULL, natura4=NULL, imponibile3=NULL, imponibile4=NULL, scad1=NULL "
            "where id_invio=?",
            {id});
        testdb::exec(
            kDb,
            "update dettaglio set codice_tipo=NULL, codice_val=NULL, um=NULL, sc_tipo=NULL, "
            "sc_perc=NULL, sc_importo=NULL, ritenuta=NULL, natura=NULL, rif_amm=NULL, "
            "categoria=NULL, lotto=NULL, origine=NULL where id_invio=?",
            {id});
        addReference(id, "DatiOrdineAcquisto", "ORD 1");
        addReference(id, "DatiOrdineAcquisto", "ORD 2");
        testdb::exec(kDb,
                     "update dati_acquisto set numero=NULL, cod_comm=NULL, cup=NULL, cig=NULL");
        select(id);

        WriteInvoiceXmlFPR12(*diz, QStringLiteral("B"));

        const QString name = nameOf(Form::FPR12, id);
        QCOMPARE(storedName(id).toString(), name);
        const QByteArray bytes = read(folderPath() + name);
        QVERIFY(bytes.contains("<CodiceDestinatario>0000000</CodiceDestinatario>\r\n"));
        QVERIFY(bytes.contains("<Causale>Consegna Sede:   </Causale>\r\n"));
        QVERIFY(!bytes.contains("<PECDestinatario>"));
        QVERIFY(!bytes.contains("<DataScadenzaPagamento>"));
        QCOMPARE(bytes.count("<DatiOrdineAcquisto>"), 2);
        QVERIFY(bytes.indexOf("<DatiOrdineAcquisto>") < bytes.indexOf("<DatiContratto>"));
        VERIFY_SCHEMA_VALID(schema::validateFile(folderPath() + name));
    }
};

QTEST_GUILESS_MAIN(TestInvoiceWriter)
#include "test_invoicewriter.moc"
