#pragma once

#include "platform/core/connection.h"
#include "platform/core/dataset.h"

#include <QObject>

// The data module: both connections, every dataset and data source, shared by all
// windows so that the row current in one window is current in all.
class TDiz : public QObject {
    Q_OBJECT
public:
    explicit TDiz(QObject* parent = nullptr);

    // The invoicing database.
    Connection xml_conn{QStringLiteral("xml_conn")};
    Dataset AziendaT{QStringLiteral("AziendaT"), &xml_conn};
    Dataset Testata{QStringLiteral("Testata"), &xml_conn};
    Dataset Detta{QStringLiteral("Detta"), &xml_conn};
    Dataset Clienti{QStringLiteral("Clienti"), &xml_conn};
    Dataset Fornitori{QStringLiteral("Fornitori"), &xml_conn};
    Dataset Testa_Car{QStringLiteral("Testa_Car"), &xml_conn};
    Dataset Detta_Car{QStringLiteral("Detta_Car"), &xml_conn};
    Dataset Articoli{QStringLiteral("Articoli"), &xml_conn};
    Dataset ContrattoT{QStringLiteral("ContrattoT"), &xml_conn};
    Dataset ContrattoD{QStringLiteral("ContrattoD"), &xml_conn};
    Dataset Query{QStringLiteral("Query"), &xml_conn};

    DataSource AziendaS{QStringLiteral("AziendaS"), &AziendaT};
    DataSource TestataS{QStringLiteral("TestataS"), &Testata};
    DataSource DettaS{QStringLiteral("DettaS"), &Detta};
    DataSource ClientiS{QStringLiteral("ClientiS"), &Clienti};
    DataSource FornitoriS{QStringLiteral("FornitoriS"), &Fornitori};
    DataSource Testa_CarS{QStringLiteral("Testa_CarS"), &Testa_Car};
    DataSource Detta_CarS{QStringLiteral("Detta_CarS"), &Detta_Car};
    DataSource ArticoliS{QStringLiteral("ArticoliS"), &Articoli};
    DataSource ContrattoS{QStringLiteral("ContrattoS"), &ContrattoT};
    DataSource ContrattoDS{QStringLiteral("ContrattoDS"), &ContrattoD};
    DataSource QueryS{QStringLiteral("QueryS"), &Query};

    // The accounting database, read only, opened by the import.
    Connection Dati{QStringLiteral("Dati")};
    Dataset Test_Fatt{QStringLiteral("Test_Fatt"), &Dati};
    Dataset BolleT{QStringLiteral("BolleT"), &Dati};
    Dataset Dett_Fatt{QStringLiteral("Dett_Fatt"), &Dati};
    DataSource Test_FattS{QStringLiteral("Test_FattS"), &Test_Fatt};
    DataSource BolleS{QStringLiteral("BolleS"), &BolleT};
    DataSource Dett_FattS{QStringLiteral("Dett_FattS"), &Dett_Fatt};

    // The ten invoicing tables in the order log-in opens them.
    QList<Dataset*> tablesInOpeningOrder();
    // The order the main window's close closes them.
    QList<Dataset*> tablesInClosingOrder();

    // Connects xml_conn to server and database and opens the ten tables in order.
    // Throws on the first failure; tables opened before it stay open.
    void login(const QString& server, const QString& database);
    void closeTables();

    void TestataNewRecord(Dataset& dataset);
    void TestataCalcFields(Record& record);
};
