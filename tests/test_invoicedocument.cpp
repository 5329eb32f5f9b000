#include <QtTest>

#include "platform/core/errors.h"
#include "support/schema.h"
#include "xml/invoicedocument.h"

#include <functional>

using namespace fatturapa;

using Mutation = std::function<void(InvoiceData&)>;
Q_DECLARE_METATYPE(Mutation)
Q_DECLARE_METATYPE(fatturapa::Form)
Q_DECLARE_METATYPE(fatturapa::InvoiceData)

namespace {

Record record(std::initializer_list<std::pair<const char*, QVariant>> values) {
    Record result;
    for (const auto& [name, value] : values)
        result.setValue(QLatin1String(name), value);
    return result;
}

const QVariant kNull;

Record company() {
    return record({{"codice", 1},
                   {"rag_soc", "Alfa & Beta S.r.l."},
                   {"p_iva", "01234567890"},
                   {"cod_fis", "01234567890"},
                   {"reg_fisc", "RF01"},
                   {"indirizzo", "Via Roma 1"},
                   {"cap", "27100"},
                   {"comune", "Pavia"},
                   {"prov", "PV"},
                   {"nazione", "IT"},
                   {"uff_rea", "PV"},
                   {"num_rea", "123456"},
                   {"capit_soc", "10000"},
                   {"soc_uni", "SM"},
                   {"stato_liq", "LN"},
                   {"mail", "info@alfabeta.it"},
                   {"telefono", "0382123456"},
                   {"path", "/tmp/"},
                   {"iban", "IT60X0542811101000000123456"}});
}

// A business customer with its recipient code, one bucket at 22, paid in cash.
Record businessHeader() {
    return record({{"id_invio", 42},
                   {"rag_soc", "Gamma Costruzioni S.p.A."},
                   {"indirizzo", "Corso Cavour 10"},
                   {"comune", "Milano"},
                   {"cap", "20121"},
                   {"prov", "MI"},
                   {"nazione", "IT"},
                   {"p_iva", "09876543210"},
                   {"cod_fis", "09876543210"},
                   {"cod_dest", "ABC1234"},
                   {"pec", ""},
                   {"data_doc", "15/03/2024"},
                   {"num_doc", "12"},
                   {"tot_doc", "122,00"},
                   {"tipo_doc", "TD01"},
                   {"tipo_pag", "TP02"},
                   {"mod_pag", "MP01"},
                   {"n_rate", 0},
                   {"scad1", ""},
                   {"scad2", ""},
                   {"scad3", ""},
                   {"scad4", ""},
                   {"spese", "0,00"},
                   {"arrot", "0,00"},
                   {"imponibile", "100,00"},
                   {"imposta", "22,00"},
                   {"aliquota", "22"},
                   {"imponibile2", ""},
                   {"imposta2", ""},
                   {"aliquota2", ""},
                   {"esig_iva", "I"},
                   {"esig_iva2", "I"},
                   {"nome_file", ""},
                   {"sc_tipo", ""},
                   {"sc_perc", ""},
                   {"sc_importo", "0,00"},
                   {"spese2", "0,00"},
                   {"arrot2", "0,00"},
                   {"natura", ""},
                   {"natura2", ""},
                   {"tot_omaggio", "0,00"},
                   {"dest_soc", "Gamma Costruzioni S.p.A."},
                   {"dest_comune", "Lodi"},
                   {"dest_indir", "Via Cantiere 3"},
                   {"imponibile3", ""},
                   {"imposta3", ""},
                   {"aliquota3", ""},
                   {"esig_iva3", "I"},
                   {"spese3", "0,00"},
                   {"arrot3", "0,00"},
                   {"natura3", ""},
                   {"imponibile4", ""},
                   {"imposta4", ""},
                   {"aliquota4", ""},
                   {"esig_iva4", kNull},
                   {"natura4", ""}});
}

Record line(const char* description, const char* quantity, const char* unitPrice, const char* total,
            const char* rate) {
    return record({{"id_invio", 42},
                   {"prog", 1},
                   {"codice_tipo", ""},
                   {"codice_val", ""},
                   {"descrizione", description},
                   {"quantita", quantity},
                   {"um", "PZ"},
                   {"prezzo_unit", unitPrice},
                   {"sc_tipo", ""},
                   {"sc_perc", ""},
                   {"sc_importo", ""},
                   {"prezzo_tot", total},
                   {"aliquota", rate},
                   {"tipo_cessione", ""},
                   {"ritenuta", ""},
                   {"natura", ""},
                   {"rif_amm", ""},
                   {"categoria", ""},
                   {"lotto", ""},
                   {"origine", ""}});
}

Record referenceRow(const char* kind, int lineNumber, const char* document, const char* date,
                    const char* item) {
    return record({{"id_invio", 42},
                   {"tipo", kind},
                   {"n_linea", lineNumber},
                   {"id_documento", document},
                   {"data", date},
                   {"numero", item},
                   {"cod_comm", ""},
                   {"cup", ""},
                   {"cig", ""}});
}

ReferenceGroup group(const char* kind, QVector<Record> rows) {
    return {record({{"id_invio", 42}, {"tipo", kind}}), std::move(rows)};
}

InvoiceData business() {
    InvoiceData data{company(), businessHeader(), {}, {}, QString()};
    Record article = line("Cemento 325 - sacco 25 kg", "4,00", "25,0000", "100,000", "22");
    article.setValue("codice_tipo", "INTERNO");
    article.setValue("codice_val", "CEM-325");
    data.lines = {article};
    return data;
}

InvoiceData with(InvoiceData data, const Mutation& change) {
    change(data);
    return data;
}

void setHeader(InvoiceData& data, std::initializer_list<std::pair<const char*, QVariant>> values) {
    for (const auto& [name, value] : values)
        data.header.setValue(QLatin1String(name), value);
}

// The file's bytes: every line, the last one included, ends with CR LF.
QByteArray fileBytes(const QStringList& lines) {
    return (lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8();
}

QString messageOf(Form form, const InvoiceData& data) {
    try {
        buildDocument(form, data);
    } catch (const ConversionError& error) {
        return error.message();
    }
    return QString();
}

} // namespace

class TestInvoiceDocument : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void progressive_data();
    void progressive();
    void fileName();
    void golden_data();
    void golden();
    void referenceGroupsInSchemaOrder();
    void elements_data();
    void elements();
    void nullTextsCountAsEmpty();
    void conversionFailures_data();
    void conversionFailures();
};

void TestInvoiceDocument::progressive_data() {
    QTest::addColumn<Form>("form");
    QTest::addColumn<int>("idInvio");
    QTest::addColumn<QString>("registerCode");
    QTest::addColumn<QString>("expected");
    QTest::newRow("FPR12 main register") << Form::FPR12 << 7 << "A"
                                         << "00007";
    QTest::newRow("FPR12 other register") << Form::FPR12 << 7 << "B"
                                          << "P0007";
    QTest::newRow("FPR12 empty register") << Form::FPR12 << 7 << ""
                                          << "P0007";
    QTest::newRow("FPR12 five digits") << Form::FPR12 << 12345 << "B"
                                       << "P12345";
    QTest::newRow("FPR12 limit") << Form::FPR12 << 19998 << "B"
                                 << "P19998";
    QTest::newRow("FPR12 past limit") << Form::FPR12 << 19999 << "B"
                                      << "P0001";
    QTest::newRow("FPA12 other register") << Form::FPA12 << 7 << "B"
                                          << "A0007";
    QTest::newRow("FPA12 main register") << Form::FPA12 << 7 << "A"
                                         << "00007";
    QTest::newRow("FPA12 limit") << Form::FPA12 << 9999 << "B"
                                 << "A9999";
    QTest::newRow("FPA12 past limit") << Form::FPA12 << 10000 << "B"
                                      << "A0001";
    QTest::newRow("FPA12 five digits") << Form::FPA12 << 12345 << "B"
                                       << "A2346";
}

void TestInvoiceDocument::progressive() {
    QFETCH(Form, form);
    QFETCH(int, idInvio);
    QFETCH(QString, registerCode);
    QFETCH(QString, expected);
    QCOMPARE(fatturapa::progressive(form, idInvio, registerCode), expected);
}

void TestInvoiceDocument::fileName() {
    QCOMPARE(fatturapa::fileName(Form::FPR12, company(), 42, "B"),
             QStringLiteral("IT01234567890_P0042.xml"));
    QCOMPARE(fatturapa::fileName(Form::FPA12, company(), 7, "A"),
             QStringLiteral("IT01234567890_00007.xml"));
}

void TestInvoiceDocument::golden_data() {
    QTest::addColumn<Form>("form");
    QTest::addColumn<InvoiceData>("data");

    QTest::newRow("fpr12_business_cod_dest") << Form::FPR12 << business();

    QTest::newRow("fpr12_consumer_tax_code") << Form::FPR12 << with(business(), [](auto& d) {
        setHeader(d, {{"rag_soc", "Mario Rossi"},
                      {"indirizzo", "Via Dante 7"},
                      {"comune", "Vigevano"},
                      {"cap", "27029"},
                      {"prov", "PV"},
                      {"p_iva", ""},
                      {"cod_fis", "RSSMRA80A01F205X"},
                      {"cod_dest", ""},
                      {"dest_soc", ""},
                      {"dest_indir", ""},
                      {"dest_comune", ""}});
    });

    QTest::newRow("fpr12_pec_only") << Form::FPR12 << with(business(), [](auto& d) {
        setHeader(d, {{"cod_dest", ""}, {"pec", "amministrazione@pec.gamma.it"}});
    });

    QTest::newRow("fpa12_public_administration") << Form::FPA12 << with(business(), [](auto& d) {
        setHeader(d, {{"rag_soc", "Comune di Pavia"},
                      {"indirizzo", "Piazza del Municipio 2"},
                      {"comune", "Pavia"},
                      {"cap", "27100"},
                      {"prov", "PV"},
                      {"p_iva", "00296180185"},
                      {"cod_fis", "00296180185"},
                      {"cod_dest", "UFABCD"},
                      {"imponibile2", "50,50"},
                      {"imposta2", "5,05"},
                      {"aliquota2", "10"},
                      {"tot_doc", "177,55"}});
        d.lines = {line("Lavori di manutenzione - 2023", "1,00", "100,0000", "100,000", "22"),
                   line("Materiale elettrico", "1,00", "50,5000", "50,500", "10")};
        d.references = {group("DatiContratto", {[] {
                                  Record row =
                                      referenceRow("DatiContratto", 1, "CTR 8", "01/01/2024", "");
                                  row.setValue("cup", "J11B21000010005");
                                  row.setValue("cig", "ZAB1234567");
                                  return row;
                              }()})};
    });

    QTest::newRow("fpr12_register_a") << Form::FPR12 << with(business(), [](auto& d) {
        d.registerCode = "A";
        d.header.setValue("id_invio", 7);
    });

    QTest::newRow("fpr12_register_other") << Form::FPR12 << with(business(), [](auto& d) {
        d.registerCode = "B";
        d.header.setValue("id_invio", 19999);
    });

    QTest::newRow("fpr12_discounts") << Form::FPR12 << with(business(), [](auto& d) {
        setHeader(d, {{"sc_tipo", "SC"},
                      {"sc_perc", "10"},
                      {"sc_importo", "11,10"},
                      {"imponibile", "111,00"},
                      {"imposta", "24,42"},
                      {"tot_doc", "121,88"}});
        Record discounted = line("Piastrelle 30x30", "2,00", "50,0000", "90,000", "22");
        discounted.setValue("sc_tipo", "SC");
        discounted.setValue("sc_perc", "10");
        discounted.setValue("sc_importo", "10,00");
        Record surcharged = line("Posa urgente", "1,00", "20,0000", "21,000", "22");
        surcharged.setValue("sc_tipo", "MG");
        surcharged.setValue("sc_perc", "5");
        surcharged.setValue("sc_importo", "1,00");
        d.lines = {discounted, surcharged};
    });

    QTest::newRow("fpr12_rates_and_nature") << Form::FPR12 << with(business(), [](auto& d) {
        setHeader(d, {{"aliquota2", "0"},
                      {"imponibile2", "40,00"},
                      {"imposta2", "0,00"},
                      {"natura2", "N4"},
                      {"aliquota3", "10"},
                      {"imponibile3", "30,00"},
                      {"imposta3", "3,00"},
                      {"aliquota4", "4"},
                      {"imponibile4", "10,00"},
                      {"imposta4", "0,40"},
                      {"tot_doc", "205,40"}});
        Record exempt = line("Visita medica", "1,00", "40,0000", "40,000", "0");
        exempt.setValue("natura", "N4");
        d.lines = {line("Cemento 325", "4,00", "25,0000", "100,000", "22"), exempt,
                   line("Manuale tecnico", "1,00", "30,0000", "30,000", "10"),
                   line("Pane", "2,00", "5,0000", "10,000", "4")};
    });

    QTest::newRow("fpr12_gift_lines") << Form::FPR12 << with(business(), [](auto& d) {
        setHeader(d, {{"imposta", "24,20"}, {"tot_omaggio", "10,00"}, {"tot_doc", "124,20"}});
        Record gift = line("Calendario 2024 in omaggio", "1,00", "10,0000", "10,000", "22");
        gift.setValue("tipo_cessione", "PR");
        d.lines = {line("Cemento 325", "4,00", "25,0000", "100,000", "22"), gift};
    });

    QTest::newRow("fpr12_reference_groups") << Form::FPR12 << with(business(), [](auto& d) {
        Record second = referenceRow("DatiOrdineAcquisto", 1, "ORD-2024/15", "10/03/2024", "2");
        second.setValue("cod_comm", "COMM77");
        second.setValue("cup", kNull);
        second.setValue("cig", kNull);
        Record contract = referenceRow("DatiContratto", 1, "CTR 8", "01/01/2024", "");
        contract.setValue("cig", "ZAB1234567");
        d.references = {group("DatiOrdineAcquisto", {referenceRow("DatiOrdineAcquisto", 1,
                                                                  "ORD-2024/15", "10/03/2024", "1"),
                                                     second}),
                        group("DatiContratto", {contract}), group("DatiConvenzione", {})};
    });

    QTest::newRow("fpr12_same_kind_groups") << Form::FPR12 << with(business(), [](auto& d) {
        const QVector<Record> rows = {
            referenceRow("DatiOrdineAcquisto", 1, "ORD 1", "10/03/2024", ""),
            referenceRow("DatiOrdineAcquisto", 1, "ORD 2", "11/03/2024", "")};
        d.references = {group("DatiOrdineAcquisto", rows), group("DatiOrdineAcquisto", rows)};
    });

    QTest::newRow("fpr12_mp05_single") << Form::FPR12 << with(business(), [](auto& d) {
        setHeader(d, {{"mod_pag", "MP05"}, {"n_rate", 0}, {"scad1", "15/04/24"}});
    });

    QTest::newRow("fpr12_mp05_instalments") << Form::FPR12 << with(business(), [](auto& d) {
        setHeader(d, {{"mod_pag", "MP05"},
                      {"tipo_pag", "TP01"},
                      {"n_rate", 3},
                      {"scad1", "15/04/24"},
                      {"scad2", "15/05/24"},
                      {"scad3", "14/06/24"},
                      {"imponibile", "81,97"},
                      {"imposta", "18,03"},
                      {"tot_doc", "100,00"}});
        d.lines = {line("Consulenza tecnica", "1,00", "81,9700", "81,970", "22")};
    });
}

void TestInvoiceDocument::golden() {
    QFETCH(Form, form);
    QFETCH(InvoiceData, data);
    const QString name = QString::fromLatin1(QTest::currentDataTag());
    const QByteArray actual = fileBytes(buildDocument(form, data));

    QFile golden(QStringLiteral(PROJECT_SOURCE_DIR "/tests/golden/%1.xml").arg(name));
    const QByteArray expected = golden.open(QIODevice::ReadOnly) ? golden.readAll() : QByteArray();
    if (actual != expected) {
        // Kept for review: never copied over the golden file without reading it.
        QDir().mkpath(QStringLiteral("golden-actual"));
        QFile out(QStringLiteral("golden-actual/%1.xml").arg(name));
        if (out.open(QIODevice::WriteOnly))
            out.write(actual);
        const QList<QByteArray> got = actual.split('\n');
        const QList<QByteArray> want = expected.split('\n');
        for (qsizetype i = 0; i < std::max(got.size(), want.size()); ++i) {
            const QByteArray g = got.value(i);
            const QByteArray w = want.value(i);
            if (g != w)
                QFAIL(qPrintable(
                    QStringLiteral("line %1: got '%2', expected '%3'")
                        .arg(i + 1)
                        .arg(QString::fromUtf8(g.trimmed()), QString::fromUtf8(w.trimmed()))));
        }
        QFAIL("the bytes differ");
    }

    VERIFY_SCHEMA_VALID(schema::validateBytes(actual, name));
}

// Reference groups stored in any order come out in the order the schema fixes;
// groups of one kind keep their stored order, rows within a group too.
void TestInvoiceDocument::referenceGroupsInSchemaOrder() {
    const auto row = [](const char* kind, const char* document) {
        return referenceRow(kind, 1, document, "10/03/2024", "");
    };
    const InvoiceData data = with(business(), [&](InvoiceData& d) {
        d.references = {group("DatiFattureCollegate", {row("DatiFattureCollegate", "F1")}),
                        group("DatiRicezione", {row("DatiRicezione", "R1")}),
                        group("DatiConvenzione", {row("DatiConvenzione", "V1")}),
                        group("DatiOrdineAcquisto",
                              {row("DatiOrdineAcquisto", "O1"), row("DatiOrdineAcquisto", "O2")}),
                        group("DatiContratto", {row("DatiContratto", "C1")}),
                        group("DatiOrdineAcquisto", {row("DatiOrdineAcquisto", "O3")})};
    });
    const QStringList lines = buildDocument(Form::FPR12, data);
    QStringList written;
    for (qsizetype i = 0; i + 2 < lines.size(); ++i) {
        if (lines.at(i + 2).startsWith(QStringLiteral("<IdDocumento>")))
            written << lines.at(i) + lines.at(i + 2);
    }
    QCOMPARE(written, (QStringList{"<DatiOrdineAcquisto><IdDocumento>O1</IdDocumento>",
                                   "<DatiOrdineAcquisto><IdDocumento>O2</IdDocumento>",
                                   "<DatiOrdineAcquisto><IdDocumento>O3</IdDocumento>",
                                   "<DatiContratto><IdDocumento>C1</IdDocumento>",
                                   "<DatiConvenzione><IdDocumento>V1</IdDocumento>",
                                   "<DatiRicezione><IdDocumento>R1</IdDocumento>",
                                   "<DatiFattureCollegate><IdDocumento>F1</IdDocumento>"}));
    VERIFY_SCHEMA_VALID(schema::validateBytes(fileBytes(lines), "reference_groups_reversed"));
}

void TestInvoiceDocument::elements_data() {
    QTest::addColumn<Form>("form");
    QTest::addColumn<Mutation>("change");
    // Each line listed must occur exactly as often as it is listed.
    QTest::addColumn<QStringList>("present");
    // No line may start with any of these.
    QTest::addColumn<QStringList>("absent");

    const auto none = [](InvoiceData&) {};
    const auto headerChange = [](std::initializer_list<std::pair<const char*, QVariant>> values) {
        const QVector<std::pair<const char*, QVariant>> copy(values);
        return Mutation([copy](InvoiceData& d) {
            for (const auto& [name, value] : copy)
                d.header.setValue(QLatin1String(name), value);
        });
    };
    const auto lineChange = [](std::initializer_list<std::pair<const char*, QVariant>> values) {
        const QVector<std::pair<const char*, QVariant>> copy(values);
        return Mutation([copy](InvoiceData& d) {
            for (const auto& [name, value] : copy)
                d.lines[0].setValue(QLatin1String(name), value);
        });
    };

    QTest::newRow("FPR12 opening lines")
        << Form::FPR12 << Mutation(none)
        << QStringList{"<?xml version=\"1.0\" encoding=\"utf-8\"?>",
                       "<p:FatturaElettronica xmlns:ds=\"http://www.w3.org/2000/09/xmldsig#\" "
                       "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" versione=\"FPR12\" "
                       "xmlns:p=\"http://ivaservizi.agenziaentrate.gov.it/docs/xsd/fatture/v1.2\">",
                       "</p:FatturaElettronica>"}
        << QStringList{};
    QTest::newRow("FPA12 opening lines")
        << Form::FPA12 << Mutation(none)
        << QStringList{"<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>",
                       "<ns3:FatturaElettronica versione=\"FPA12\" "
                       "xmlns:ns2=\"http://www.w3.org/2000/09/xmldsig#\" "
                       "xmlns:ns3=\"http://ivaservizi.agenziaentrate.gov.it/docs/xsd/fatture/"
                       "v1.2\">",
                       "<FormatoTrasmissione>FPA12</FormatoTrasmissione>",
                       "</ns3:FatturaElettronica>"}
        << QStringList{"<Causale>", "<p:"};

    QTest::newRow("causal text trimmed")
        << Form::FPR12
        << headerChange({{"dest_soc", "ALFA SRL"},
                         {"dest_indir", " Via Larga 5 "},
                         {"dest_comune", "Pavia"}})
        << QStringList{"<Causale>Consegna Sede: ALFA SRL Via Larga 5 Pavia</Causale>"}
        << QStringList{};
    QTest::newRow("causal text of null delivery fields")
        << Form::FPR12
        << headerChange({{"dest_soc", kNull}, {"dest_indir", ""}, {"dest_comune", kNull}})
        << QStringList{"<Causale>Consegna Sede:   </Causale>"} << QStringList{};
    QTest::newRow("causal text escaped")
        << Form::FPR12 << headerChange({{"dest_soc", "B&B"}, {"dest_indir", "V.le Po 1/A"}})
        << QStringList{"<Causale>Consegna Sede: B&#38;B V.le Po 1&#47;A Lodi</Causale>"}
        << QStringList{};

    QTest::newRow("company name escaped")
        << Form::FPR12 << Mutation(none)
        << QStringList{"<Denominazione>Alfa &#38; Beta S.r.l.</Denominazione>"} << QStringList{};
    QTest::newRow("angle brackets in Beneficiario escaped")
        << Form::FPR12 << Mutation([](InvoiceData& d) {
               d.company.setValue("rag_soc", "Bianchi <Ferramenta> & C.");
               d.header.setValue("mod_pag", "MP05");
           })
        << QStringList{"<Denominazione>Bianchi &#60;Ferramenta&#62; &#38; C.</Denominazione>",
                       "<Beneficiario>Bianchi &#60;Ferramenta&#62; &#38; C.</Beneficiario>"}
        << QStringList{};
    QTest::newRow("plain values escape only & < >")
        << Form::FPR12 << Mutation([](InvoiceData& d) {
               d.header.setValue("num_doc", "12/A<B>&-1");
               d.lines[0].setValue("codice_val", "CEM-325/\"x\"");
           })
        << QStringList{"<Numero>12/A&#60;B&#62;&#38;-1</Numero>",
                       "<CodiceValore>CEM-325/\"x\"</CodiceValore>"}
        << QStringList{};

    QTest::newRow("empty cod_dest FPR12")
        << Form::FPR12 << headerChange({{"cod_dest", ""}})
        << QStringList{"<CodiceDestinatario>0000000</CodiceDestinatario>"}
        << QStringList{"<PECDestinatario>"};
    QTest::newRow("empty cod_dest FPA12")
        << Form::FPA12 << headerChange({{"cod_dest", kNull}})
        << QStringList{"<CodiceDestinatario></CodiceDestinatario>"} << QStringList{};
    QTest::newRow("cod_dest and pec")
        << Form::FPR12 << headerChange({{"pec", "a@pec.it"}})
        << QStringList{"<CodiceDestinatario>ABC1234</CodiceDestinatario>",
                       "<PECDestinatario>a@pec.it</PECDestinatario>"}
        << QStringList{};
    QTest::newRow("customer without p_iva FPR12")
        << Form::FPR12 << headerChange({{"p_iva", ""}, {"cod_fis", "RSSMRA80A01F205X"}})
        << QStringList{"<IdFiscaleIVA>", "<CodiceFiscale>RSSMRA80A01F205X</CodiceFiscale>"}
        << QStringList{"<IdCodice>09876543210</IdCodice>", "<IdCodice></IdCodice>"};
    QTest::newRow("customer with p_iva FPR12")
        << Form::FPR12 << Mutation(none)
        << QStringList{"<IdFiscaleIVA>", "<IdFiscaleIVA>", "<IdCodice>09876543210</IdCodice>"}
        << QStringList{};
    QTest::newRow("customer p_iva never written FPA12")
        << Form::FPA12 << headerChange({{"cod_fis", ""}})
        << QStringList{"<IdFiscaleIVA>", "<CodiceFiscale>01234567890</CodiceFiscale>"}
        << QStringList{"<IdCodice>09876543210</IdCodice>", "<CodiceFiscale>09876543210"};
    QTest::newRow("empty provinces") << Form::FPR12 << Mutation([](InvoiceData& d) {
        d.company.setValue("prov", "");
        d.header.setValue("prov", kNull);
    }) << QStringList{} << QStringList{"<Provincia>"};
    QTest::newRow("share capital")
        << Form::FPR12 << Mutation(none)
        << QStringList{"<CapitaleSociale>10000.00</CapitaleSociale>"} << QStringList{};

    QTest::newRow("document discount 0")
        << Form::FPR12 << headerChange({{"sc_tipo", "SC"}, {"sc_perc", "0"}}) << QStringList{}
        << QStringList{"<ScontoMaggiorazione>"};
    QTest::newRow("document discount empty")
        << Form::FPR12 << headerChange({{"sc_tipo", "SC"}, {"sc_perc", ""}}) << QStringList{}
        << QStringList{"<ScontoMaggiorazione>"};
    QTest::newRow("document discount null")
        << Form::FPR12 << headerChange({{"sc_tipo", kNull}, {"sc_perc", kNull}}) << QStringList{}
        << QStringList{"<ScontoMaggiorazione>"};
    QTest::newRow("document discount 5")
        << Form::FPR12 << headerChange({{"sc_tipo", "SC"}, {"sc_perc", "5"}})
        << QStringList{"<ScontoMaggiorazione>", "<Tipo>SC</Tipo>",
                       "<Percentuale>5.00</Percentuale>", "</ScontoMaggiorazione>"}
        << QStringList{"<Importo>"};
    QTest::newRow("document surcharge 12,5")
        << Form::FPR12 << headerChange({{"sc_tipo", "MG"}, {"sc_perc", "12,5"}})
        << QStringList{"<Tipo>MG</Tipo>", "<Percentuale>12.50</Percentuale>"} << QStringList{};

    QTest::newRow("line discount")
        << Form::FPR12 << lineChange({{"sc_tipo", "SC"}, {"sc_perc", "10"}, {"sc_importo", "1,5"}})
        << QStringList{"<TipoCessionePrestazione>SC</TipoCessionePrestazione>",
                       "<ScontoMaggiorazione>", "<Tipo>SC</Tipo>",
                       "<Percentuale>10.00</Percentuale>", "<Importo>1.50</Importo>"}
        << QStringList{};
    QTest::newRow("line surcharge")
        << Form::FPR12 << lineChange({{"sc_tipo", "MG"}, {"sc_perc", "2,5"}, {"sc_importo", "3"}})
        << QStringList{"<TipoCessionePrestazione>SC</TipoCessionePrestazione>", "<Tipo>MG</Tipo>",
                       "<Percentuale>2.50</Percentuale>", "<Importo>3.00</Importo>"}
        << QStringList{};
    QTest::newRow("line without discount")
        << Form::FPR12 << Mutation(none) << QStringList{}
        << QStringList{"<TipoCessionePrestazione>", "<ScontoMaggiorazione>"};
    QTest::newRow("quantity 0,00") << Form::FPR12 << lineChange({{"quantita", "0,00"}})
                                   << QStringList{} << QStringList{"<Quantita>"};
    QTest::newRow("quantity 2") << Form::FPR12 << lineChange({{"quantita", "2"}})
                                << QStringList{"<Quantita>2.00</Quantita>"} << QStringList{};
    QTest::newRow("line numbers count the lines")
        << Form::FPR12 << Mutation([](InvoiceData& d) {
               d.lines = {line("a", "1", "1", "1", "22"), line("b", "1", "1", "1", "22"),
                          line("c", "1", "1", "1", "22")};
               d.lines[0].setValue("prog", 9);
           })
        << QStringList{"<NumeroLinea>1</NumeroLinea>", "<NumeroLinea>2</NumeroLinea>",
                       "<NumeroLinea>3</NumeroLinea>"}
        << QStringList{"<NumeroLinea>4", "<NumeroLinea>9"};
    QTest::newRow("line numbers and prices")
        << Form::FPR12 << lineChange({{"prezzo_unit", "0,1235"}, {"prezzo_tot", "3"}})
        << QStringList{"<PrezzoUnitario>0.1235</PrezzoUnitario>",
                       "<PrezzoTotale>3.0000</PrezzoTotale>", "<AliquotaIVA>22.00</AliquotaIVA>",
                       "<AliquotaIVA>22.00</AliquotaIVA>"}
        << QStringList{};
    QTest::newRow("line options")
        << Form::FPR12
        << lineChange({{"ritenuta", "SI"}, {"natura", "N2.1"}, {"rif_amm", "R1"}, {"um", ""}})
        << QStringList{"<Ritenuta>SI</Ritenuta>", "<Natura>N2.1</Natura>",
                       "<RiferimentoAmministrazione>R1</RiferimentoAmministrazione>"}
        << QStringList{"<UnitaMisura>"};
    QTest::newRow("management data")
        << Form::FPR12 << lineChange({{"categoria", "   "}, {"lotto", " L7 "}, {"origine", "IT"}})
        << QStringList{"<AltriDatiGestionali>",
                       "<TipoDato>Lotto</TipoDato>",
                       "<RiferimentoTesto> L7 </RiferimentoTesto>",
                       "</AltriDatiGestionali>",
                       "<AltriDatiGestionali>",
                       "<TipoDato>Origine</TipoDato>",
                       "<RiferimentoTesto>IT</RiferimentoTesto>",
                       "</AltriDatiGestionali>"}
        << QStringList{"<TipoDato>Categoria"};
    QTest::newRow("no lines") << Form::FPR12 << Mutation([](InvoiceData& d) { d.lines.clear(); })
                              << QStringList{"<DatiBeniServizi>", "<DatiRiepilogo>"}
                              << QStringList{"<DettaglioLinee>"};

    QTest::newRow("imponibile2 empty") << Form::FPR12 << headerChange({{"aliquota2", "abc"}})
                                       << QStringList{"<DatiRiepilogo>"} << QStringList{};
    QTest::newRow("imponibile2 0,00")
        << Form::FPR12
        << headerChange({{"imponibile2", "0,00"}, {"imposta2", "0"}, {"aliquota2", "10"}})
        << QStringList{"<DatiRiepilogo>", "<DatiRiepilogo>", "<AliquotaIVA>10.00</AliquotaIVA>",
                       "<ImponibileImporto>0.00</ImponibileImporto>"}
        << QStringList{};
    QTest::newRow("nature N2") << Form::FPR12 << headerChange({{"natura", "N2"}})
                               << QStringList{"<Natura>N2</Natura>"}
                               << QStringList{"<EsigibilitaIVA>"};
    QTest::newRow("chargeability I")
        << Form::FPR12 << Mutation(none) << QStringList{"<EsigibilitaIVA>I</EsigibilitaIVA>"}
        << QStringList{};
    QTest::newRow("chargeability empty FPR12") << Form::FPR12 << headerChange({{"esig_iva", ""}})
                                               << QStringList{} << QStringList{"<EsigibilitaIVA>"};
    QTest::newRow("chargeability null FPR12") << Form::FPR12 << headerChange({{"esig_iva", kNull}})
                                              << QStringList{} << QStringList{"<EsigibilitaIVA>"};
    QTest::newRow("chargeability FPA12")
        << Form::FPA12 << headerChange({{"esig_iva", "D"}})
        << QStringList{"<EsigibilitaIVA>S</EsigibilitaIVA>"} << QStringList{};
    QTest::newRow("chargeability of null field FPA12")
        << Form::FPA12
        << headerChange({{"imponibile4", "1,00"}, {"imposta4", "0,04"}, {"aliquota4", "4"}})
        << QStringList{"<EsigibilitaIVA>S</EsigibilitaIVA>", "<EsigibilitaIVA>S</EsigibilitaIVA>"}
        << QStringList{};
    QTest::newRow("nature N4 FPA12")
        << Form::FPA12 << headerChange({{"natura", "N4"}}) << QStringList{"<Natura>N4</Natura>"}
        << QStringList{"<EsigibilitaIVA>"};
    QTest::newRow("negative rounding, tiny expenses")
        << Form::FPR12 << headerChange({{"arrot", "-0,01"}, {"spese", "0,004"}}) << QStringList{}
        << QStringList{"<Arrotondamento>", "<SpeseAccessorie>"};
    QTest::newRow("expenses and rounding")
        << Form::FPR12 << headerChange({{"arrot", "0,3"}, {"spese", "5"}})
        << QStringList{"<SpeseAccessorie>5.00</SpeseAccessorie>",
                       "<Arrotondamento>0.30</Arrotondamento>"}
        << QStringList{};
    QTest::newRow("bucket 4 has no expenses")
        << Form::FPR12
        << headerChange(
               {{"imponibile4", "1,00"}, {"imposta4", "0,04"}, {"aliquota4", "4"}, {"spese", "5"}})
        << QStringList{"<SpeseAccessorie>5.00</SpeseAccessorie>", "<DatiRiepilogo>",
                       "<DatiRiepilogo>", "<EsigibilitaIVA>I</EsigibilitaIVA>"}
        << QStringList{};

    QTest::newRow("reference rows one element each")
        << Form::FPR12 << Mutation([](InvoiceData& d) {
               d.references = {
                   group("DatiOrdineAcquisto",
                         {referenceRow("DatiOrdineAcquisto", 0, "", "10/03/2024", ""),
                          referenceRow("DatiOrdineAcquisto", 2, "B", "11/03/2024", "7")}),
                   group("DatiContratto", {})};
           })
        << QStringList{"<DatiOrdineAcquisto>",
                       "<DatiOrdineAcquisto>",
                       "</DatiOrdineAcquisto>",
                       "</DatiOrdineAcquisto>",
                       "<RiferimentoNumeroLinea>0</RiferimentoNumeroLinea>",
                       "<IdDocumento></IdDocumento>",
                       "<Data>2024-03-10</Data>",
                       "<RiferimentoNumeroLinea>2</RiferimentoNumeroLinea>",
                       "<IdDocumento>B</IdDocumento>",
                       "<Data>2024-03-11</Data>",
                       "<NumItem>7</NumItem>"}
        << QStringList{"<DatiContratto>", "<NumItem></NumItem>", "<CodiceCUP>"};

    QTest::newRow("MP01 FPR12") << Form::FPR12
                                << headerChange({{"n_rate", kNull}, {"scad1", kNull}})
                                << QStringList{} << QStringList{"<DatiPagamento>"};
    QTest::newRow("MP05 single")
        << Form::FPR12 << headerChange({{"mod_pag", "MP05"}})
        << QStringList{"<CondizioniPagamento>TP02</CondizioniPagamento>",
                       "<Beneficiario>Alfa &#38; Beta S.r.l.</Beneficiario>",
                       "<ModalitaPagamento>MP05</ModalitaPagamento>",
                       "<ImportoPagamento>122.00</ImportoPagamento>",
                       "<IBAN>IT60X0542811101000000123456</IBAN>"}
        << QStringList{"<DataScadenzaPagamento>"};
    QTest::newRow("MP05 instalments")
        << Form::FPR12 << headerChange({{"mod_pag", "MP05"}, {"n_rate", 3}, {"tot_doc", "100,00"}})
        << QStringList{"<DettaglioPagamento>",
                       "<DettaglioPagamento>",
                       "<DettaglioPagamento>",
                       "<ImportoPagamento>33.33</ImportoPagamento>",
                       "<ImportoPagamento>33.33</ImportoPagamento>",
                       "<ImportoPagamento>33.33</ImportoPagamento>"}
        << QStringList{"<DataScadenzaPagamento>"};
    QTest::newRow("instalment rounds half up")
        << Form::FPR12 << headerChange({{"mod_pag", "MP05"}, {"n_rate", 2}, {"tot_doc", "0,05"}})
        << QStringList{"<ImportoPagamento>0.03</ImportoPagamento>",
                       "<ImportoPagamento>0.03</ImportoPagamento>"}
        << QStringList{};
    QTest::newRow("negative instalments")
        << Form::FPR12 << headerChange({{"mod_pag", "MP05"}, {"n_rate", -1}})
        << QStringList{"<DatiPagamento>", "<CondizioniPagamento>TP02</CondizioniPagamento>",
                       "</DatiPagamento>"}
        << QStringList{"<DettaglioPagamento>"};
    QTest::newRow("due dates of the mask left blank")
        << Form::FPR12
        << headerChange({{"mod_pag", "MP05"},
                         {"n_rate", 3},
                         {"scad1", "  /  /  "},
                         {"scad2", "__/__/__"},
                         {"scad3", ""}})
        << QStringList{"<DettaglioPagamento>", "<DettaglioPagamento>", "<DettaglioPagamento>"}
        << QStringList{"<DataScadenzaPagamento>"};
    QTest::newRow("null due dates count as empty")
        << Form::FPR12
        << headerChange(
               {{"mod_pag", "MP05"}, {"n_rate", 2}, {"scad1", kNull}, {"scad2", "01/05/24"}})
        << QStringList{"<DettaglioPagamento>", "<DettaglioPagamento>",
                       "<DataScadenzaPagamento>2024-05-01</DataScadenzaPagamento>"}
        << QStringList{};
    QTest::newRow("null due date of the single payment")
        << Form::FPR12 << headerChange({{"mod_pag", "MP05"}, {"n_rate", 0}, {"scad1", kNull}})
        << QStringList{"<DettaglioPagamento>"} << QStringList{"<DataScadenzaPagamento>"};
    QTest::newRow("due dates of the first four instalments")
        << Form::FPR12
        << headerChange({{"mod_pag", "MP05"},
                         {"n_rate", 5},
                         {"tot_doc", "100,00"},
                         {"scad1", " 5/ 3/24"},
                         {"scad2", "05/04/24"},
                         {"scad3", ""},
                         {"scad4", "31/12/30"}})
        << QStringList{"<DataScadenzaPagamento>2024-03-05</DataScadenzaPagamento>",
                       "<DataScadenzaPagamento>2024-04-05</DataScadenzaPagamento>",
                       "<DataScadenzaPagamento>2030-12-31</DataScadenzaPagamento>",
                       "<ImportoPagamento>20.00</ImportoPagamento>",
                       "<ImportoPagamento>20.00</ImportoPagamento>",
                       "<ImportoPagamento>20.00</ImportoPagamento>",
                       "<ImportoPagamento>20.00</ImportoPagamento>",
                       "<ImportoPagamento>20.00</ImportoPagamento>"}
        << QStringList{};

    QTest::newRow("FPA12 payment is the taxable sum")
        << Form::FPA12
        << headerChange({{"mod_pag", "MP01"},
                         {"imponibile", "100,00"},
                         {"imponibile2", "50,50"},
                         {"imposta2", "5,05"},
                         {"aliquota2", "10"}})
        << QStringList{"<ModalitaPagamento>MP05</ModalitaPagamento>",
                       "<ImportoPagamento>150.50</ImportoPagamento>"}
        << QStringList{"<DataScadenzaPagamento>"};
    QTest::newRow("FPA12 payment keeps every cent")
        << Form::FPA12
        << headerChange({{"imponibile", "1234567,89"},
                         {"imponibile2", "0,01"},
                         {"imposta2", "0,00"},
                         {"aliquota2", "0"},
                         {"natura2", "N4"}})
        << QStringList{"<ImportoPagamento>1234567.90</ImportoPagamento>"} << QStringList{};
    QTest::newRow("FPA12 payment without bucket 2")
        << Form::FPA12 << Mutation(none)
        << QStringList{"<ImportoPagamento>100.00</ImportoPagamento>", "<DatiRiepilogo>"}
        << QStringList{};
    QTest::newRow("FPA12 reads no payment or delivery fields")
        << Form::FPA12
        << headerChange({{"mod_pag", kNull},
                         {"n_rate", kNull},
                         {"scad1", "99/99/99"},
                         {"p_iva", kNull},
                         {"dest_soc", kNull},
                         {"esig_iva", kNull}})
        << QStringList{"<DettaglioPagamento>"} << QStringList{"<Causale>"};
}

void TestInvoiceDocument::elements() {
    QFETCH(Form, form);
    QFETCH(Mutation, change);
    QFETCH(QStringList, present);
    QFETCH(QStringList, absent);
    const QStringList lines = buildDocument(form, with(business(), change));
    for (const QString& wanted : present)
        QVERIFY2(
            lines.count(wanted) == present.count(wanted),
            qPrintable(QStringLiteral("%1 occurs %2 times").arg(wanted).arg(lines.count(wanted))));
    for (const QString& unwanted : absent) {
        for (const QString& written : lines)
            QVERIFY2(!written.startsWith(unwanted), qPrintable(written));
    }
}

// Null texts that count as empty give the same file as empty texts.
void TestInvoiceDocument::nullTextsCountAsEmpty() {
    const auto blankOut = [](const QVariant& blank) {
        return [blank](InvoiceData& d) {
            d.registerCode = "B";
            for (const char* name :
                 {"sc_tipo", "sc_perc", "cod_dest", "pec", "prov", "dest_soc", "dest_indir",
                  "dest_comune", "esig_iva", "esig_iva2", "esig_iva3", "esig_iva4", "natura",
                  "natura2", "natura3", "natura4"})
                d.header.setValue(QLatin1String(name), blank);
            setHeader(d, {{"imponibile2", "1,00"},
                          {"imposta2", "0,10"},
                          {"aliquota2", "10"},
                          {"mod_pag", "MP05"}});
            for (const char* name :
                 {"codice_tipo", "codice_val", "descrizione", "um", "sc_tipo", "ritenuta", "natura",
                  "rif_amm", "categoria", "lotto", "origine"})
                d.lines[0].setValue(QLatin1String(name), blank);
            Record row = referenceRow("DatiOrdineAcquisto", 1, "ORD 1", "10/03/2024", "");
            for (const char* name : {"numero", "cod_comm", "cup", "cig"})
                row.setValue(QLatin1String(name), blank);
            d.references = {group("DatiOrdineAcquisto", {row})};
        };
    };
    for (const Form form : {Form::FPR12, Form::FPA12}) {
        const QStringList empty = buildDocument(form, with(business(), blankOut(QString(""))));
        const QStringList null = buildDocument(form, with(business(), blankOut(kNull)));
        QCOMPARE(null, empty);
    }
}

void TestInvoiceDocument::conversionFailures_data() {
    QTest::addColumn<Form>("form");
    QTest::addColumn<Mutation>("change");
    // Empty: any conversion error; the runtime words the number messages.
    QTest::addColumn<QString>("message");

    const QString nullText = "Could not convert variant of type (Null) into type (String)";
    const QString nullNumber = "Could not convert variant of type (Null) into type (Double)";
    const auto header = [](const char* name, const QVariant& value) {
        return Mutation([=](InvoiceData& d) { d.header.setValue(QLatin1String(name), value); });
    };
    const auto lineValue = [](const char* name, const QVariant& value) {
        return Mutation([=](InvoiceData& d) { d.lines[0].setValue(QLatin1String(name), value); });
    };
    const auto companyValue = [](const char* name, const QVariant& value) {
        return Mutation([=](InvoiceData& d) { d.company.setValue(QLatin1String(name), value); });
    };
    const auto reference = [](const char* name, const QVariant& value) {
        return Mutation([=](InvoiceData& d) {
            Record row = referenceRow("DatiContratto", 1, "C1", "10/03/2024", "");
            row.setValue(QLatin1String(name), value);
            d.references = {group("DatiContratto", {row})};
        });
    };
    const auto payment = [](const char* name, const QVariant& value) {
        return Mutation([=](InvoiceData& d) {
            setHeader(
                d,
                {{"mod_pag", "MP05"}, {"n_rate", 2}, {"scad1", "01/04/24"}, {"scad2", "01/05/24"}});
            d.header.setValue(QLatin1String(name), value);
        });
    };

    QTest::newRow("id_invio null")
        << Form::FPR12 << header("id_invio", kNull)
        << "Could not convert variant of type (Null) into type (Integer)";
    QTest::newRow("capit_soc empty") << Form::FPR12 << companyValue("capit_soc", "") << "";
    QTest::newRow("capit_soc null")
        << Form::FPA12 << companyValue("capit_soc", kNull) << nullNumber;
    QTest::newRow("company name null") << Form::FPR12 << companyValue("rag_soc", kNull) << nullText;
    QTest::newRow("company telephone null")
        << Form::FPR12 << companyValue("telefono", kNull) << nullText;
    QTest::newRow("read-ahead before header lines") << Form::FPR12 << Mutation([](InvoiceData& d) {
        d.company.setValue("telefono", kNull);
        d.company.setValue("capit_soc", kNull);
    }) << nullNumber;
    QTest::newRow("customer name null") << Form::FPR12 << header("rag_soc", kNull) << nullText;
    QTest::newRow("data_doc invalid")
        << Form::FPR12 << header("data_doc", "31/02/2024") << "'31/02/2024' is not a valid date";
    QTest::newRow("tot_doc not a number") << Form::FPR12 << header("tot_doc", "abc") << "";
    QTest::newRow("document discount not a number") << Form::FPR12 << header("sc_perc", "x") << "";
    QTest::newRow("arrot3 converted though bucket 3 unused")
        << Form::FPR12 << header("arrot3", "") << "";
    QTest::newRow("bucket 2 rate when written") << Form::FPR12 << Mutation([](InvoiceData& d) {
        setHeader(d, {{"imponibile2", "1,00"}, {"imposta2", "0,10"}, {"aliquota2", ""}});
    }) << "";
    QTest::newRow("line total not a number") << Form::FPR12 << lineValue("prezzo_tot", "abc") << "";
    QTest::newRow("line quantity null")
        << Form::FPA12 << lineValue("quantita", kNull) << nullNumber;
    QTest::newRow("line discount amount empty") << Form::FPR12 << Mutation([](InvoiceData& d) {
        d.lines[0].setValue("sc_tipo", "SC");
        d.lines[0].setValue("sc_perc", "10");
        d.lines[0].setValue("sc_importo", "");
    }) << "";
    QTest::newRow("reference date empty") << Form::FPR12 << reference("data", "") << "";
    QTest::newRow("reference line null") << Form::FPR12 << reference("n_linea", kNull)
                                         << "Could not convert variant of type (Null) into type "
                                            "(Integer)";
    QTest::newRow("reference document null")
        << Form::FPR12 << reference("id_documento", kNull) << nullText;
    QTest::newRow("n_rate null") << Form::FPR12 << payment("n_rate", kNull)
                                 << "Could not convert variant of type (Null) into type (Integer)";
    QTest::newRow("due date invalid")
        << Form::FPR12 << payment("scad1", "31/02/24") << "'31/02/24' is not a valid date";
    QTest::newRow("due date half typed")
        << Form::FPR12 << payment("scad2", "12/__/24") << "'12/__/24' is not a valid date";
}

void TestInvoiceDocument::conversionFailures() {
    QFETCH(Form, form);
    QFETCH(Mutation, change);
    QFETCH(QString, message);
    const InvoiceData data = with(business(), change);
    QVERIFY_THROWS_EXCEPTION(ConversionError, buildDocument(form, data));
    if (!message.isEmpty())
        QCOMPARE(messageOf(form, data), message);
}

QTEST_APPLESS_MAIN(TestInvoiceDocument)
#include "test_invoicedocument.moc"
