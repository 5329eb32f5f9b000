#include "data/diz.h"

#include "data/protocol.h"

namespace {
void configure(Connection& connection, const QString& database) {
    connection.setServer(QStringLiteral("127.0.0.1"));
    connection.setDatabase(database);
    connection.setUser(QStringLiteral("root"));
    connection.setPassword(QStringLiteral("quillrok_29"));
    connection.setPort(3306);
    connection.setConnectTimeout(15);
}
} // namespace

TDiz::TDiz(QObject* parent) : QObject(parent) {
    setObjectName(QStringLiteral("Diz"));
    configure(xml_conn, QStringLiteral("xml_quova"));
    configure(Dati, QStringLiteral("quova24"));

    AziendaT.setTableName(QStringLiteral("azienda"));
    Testata.setTableName(QStringLiteral("testata"));
    Testata.setOrderBy(QStringLiteral("id_invio"));
    Testata.setAutoRefresh(10);
    Testata.addComputedField(QStringLiteral("prot"), 20);
    Testata.onNewRecord = [this](Dataset& d) { TestataNewRecord(d); };
    Testata.onCalcFields = [this](Record& r) { TestataCalcFields(r); };
    Detta.setTableName(QStringLiteral("dettaglio"));
    Detta.setMaster(&TestataS, {QStringLiteral("id_invio")}, {QStringLiteral("id_invio")});
    Clienti.setTableName(QStringLiteral("clienti"));
    Clienti.setOrderBy(QStringLiteral("rag_soc"));
    Fornitori.setTableName(QStringLiteral("fornitori"));
    Fornitori.setOrderBy(QStringLiteral("rag_soc"));
    Testa_Car.setTableName(QStringLiteral("test_car"));
    Testa_Car.setAutoRefresh(5);
    Detta_Car.setTableName(QStringLiteral("dett_car"));
    Detta_Car.setMaster(&Testa_CarS, {QStringLiteral("prot")}, {QStringLiteral("prot_car")});
    Detta_Car.setAutoRefresh(5);
    Articoli.setTableName(QStringLiteral("magazzino"));
    Articoli.setOrderBy(QStringLiteral("codice_val"));
    ContrattoT.setTableName(QStringLiteral("test_dati"));
    ContrattoT.setMaster(&TestataS, {QStringLiteral("id_invio")}, {QStringLiteral("id_invio")});
    ContrattoD.setTableName(QStringLiteral("dati_acquisto"));
    ContrattoD.setMaster(&ContrattoS, {QStringLiteral("id_invio"), QStringLiteral("tipo")},
                         {QStringLiteral("id_invio"), QStringLiteral("tipo")});

    Test_Fatt.setTableName(QStringLiteral("testata"));
    for (const char* name : {"Imp_Merce", "Iva_Merce", "sconto", "Imp_Totale", "Iva_Totale", "totale"})
        Test_Fatt.addComputedField(QString::fromLatin1(name), 0);
    BolleT.setTableName(QStringLiteral("testata"));
    Dett_Fatt.setTableName(QStringLiteral("dettag"));
    for (const char* name : {"Netto", "Imp_Netto", "pr_ivato", "imp_ivato"})
        Dett_Fatt.addComputedField(QString::fromLatin1(name), 0);
    Dett_Fatt.setMaster(&BolleS, {QStringLiteral("protocollo")}, {QStringLiteral("prot_testa")});
}

QList<Dataset*> TDiz::tablesInOpeningOrder() {
    return {&AziendaT, &Testata, &Detta, &Clienti, &Fornitori, &Testa_Car, &Detta_Car, &Articoli, &ContrattoT,
            &ContrattoD};
}

QList<Dataset*> TDiz::tablesInClosingOrder() {
    return {&AziendaT, &Detta, &Testata, &Clienti, &Fornitori, &Testa_Car, &Detta_Car, &Articoli, &ContrattoD,
            &ContrattoT};
}

void TDiz::login(const QString& server, const QString& database) {
    closeTables();
    xml_conn.setServer(server);
    xml_conn.setDatabase(database);
    xml_conn.connect();
    for (Dataset* table : tablesInOpeningOrder())
        table->open();
}

void TDiz::closeTables() {
    for (Dataset* table : tablesInClosingOrder())
        table->close();
}

void TDiz::TestataNewRecord(Dataset& d) {
    d.setValue(QStringLiteral("tipo_doc"), QStringLiteral("TD01"));
    d.setValue(QStringLiteral("tipo_pag"), QStringLiteral("TP02"));
    d.setValue(QStringLiteral("mod_pag"), QStringLiteral("MP01"));
    d.setValue(QStringLiteral("esig_iva"), QStringLiteral("I"));
    d.setValue(QStringLiteral("esig_iva2"), QStringLiteral("I"));
    d.setValue(QStringLiteral("esig_iva3"), QStringLiteral("I"));
    d.setValue(QStringLiteral("causale"), QStringLiteral("Vendita"));
    d.setValue(QStringLiteral("trasporto"), QStringLiteral("Vettore"));
    d.setValue(QStringLiteral("porto"), QStringLiteral("Franco"));
    d.setValue(QStringLiteral("aspetto"), QStringLiteral("Cartoni, Imballi"));
    d.setValue(QStringLiteral("colli"), QString(QLatin1String("")));
    d.setValue(QStringLiteral("spese"), QStringLiteral("0,00"));
    d.setValue(QStringLiteral("spese2"), QStringLiteral("0,00"));
    d.setValue(QStringLiteral("spese3"), QStringLiteral("0,00"));
    d.setValue(QStringLiteral("arrot"), QStringLiteral("0,00"));
    d.setValue(QStringLiteral("arrot2"), QStringLiteral("0,00"));
    d.setValue(QStringLiteral("arrot3"), QStringLiteral("0,00"));
}

void TDiz::TestataCalcFields(Record& record) {
    record.setValue(QStringLiteral("prot"), protocolNumber(record.value(QStringLiteral("id_invio")),
                                                           record.text(QStringLiteral("nome_file"))));
}
