#include "registries/anag_az.h"

#include "data/diz.h"
#include "platform/gui/dbcontrols.h"
#include "platform/gui/dbnavigator.h"

#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace {

struct CompanyField {
    const char* field;
    const char* caption;
};

// In the order a user reads a company's letterhead; this is also the Tab order.
const CompanyField kEdits[] = {
    {"rag_soc", "Ragione Sociale"}, {"indirizzo", "Indirizzo"},
    {"cap", "CAP"},                 {"comune", "Comune"},
    {"prov", "Prov"},               {"nazione", "Nazione"},
    {"p_iva", "Partita Iva"},       {"cod_fis", "Codice Fiscale"},
    {"mail", "E Mail"},             {"telefono", "Telefono"},
    {"iban", "Iban"},               {"uff_rea", "Ufficio REA"},
    {"num_rea", "Num. REA"},        {"capit_soc", "Capitale Sociale"},
    {"reg_fisc", "Regime Fiscale"}, {"path", "Path"},
};

} // namespace

Tanag_az::Tanag_az(TDiz& diz, QWidget* parent) : QDialog(parent), m_diz(diz) {
    setObjectName(QStringLiteral("Tanag_az"));
    setWindowTitle(QStringLiteral("Dati Azienda"));

    auto* layout = new QVBoxLayout(this);
    auto* heading = new QLabel(QStringLiteral("D A T I   A Z I E N D A"), this);
    heading->setObjectName(QStringLiteral("Label1"));
    QFont font = heading->font();
    font.setPointSize(16);
    font.setBold(true);
    heading->setFont(font);
    heading->setAlignment(Qt::AlignCenter);
    layout->addWidget(heading);

    auto* nav = new DBNavigator(this);
    nav->setObjectName(QStringLiteral("DBNavigator1"));
    nav->bind(&m_diz.AziendaS,
              DBNavigator::Edit | DBNavigator::Post | DBNavigator::Cancel | DBNavigator::Refresh);
    layout->addWidget(nav, 0, Qt::AlignLeft);

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(6);
    int labelNumber = 2;
    int place = 0;
    auto put = [&](const QString& caption, QWidget* control) {
        const int row = place / 2;
        const int column = (place % 2) * 2;
        auto* l = new QLabel(caption, this);
        l->setObjectName(QStringLiteral("Label%1").arg(labelNumber++));
        l->setBuddy(control);
        grid->addWidget(l, row, column);
        grid->addWidget(control, row, column + 1);
        ++place;
    };
    int editNumber = 1;
    for (const CompanyField& f : kEdits) {
        auto* edit = new DBEdit(this);
        edit->setObjectName(QStringLiteral("DBEdit%1").arg(editNumber++));
        edit->bind(&m_diz.AziendaS, QString::fromLatin1(f.field));
        put(QString::fromUtf8(f.caption), edit);
    }
    auto combo = [&](const char* name, const char* field, const QStringList& items) {
        auto* c = new DBComboBox(this);
        c->setObjectName(QString::fromLatin1(name));
        c->addItems(items);
        c->bind(&m_diz.AziendaS, QString::fromLatin1(field));
        return c;
    };
    put(QStringLiteral("Socio Unico"),
        combo("DBComboBox2", "soc_uni", {QStringLiteral("SU"), QStringLiteral("SM")}));
    put(QStringLiteral("Stato in Liquidazione"),
        combo("DBComboBox1", "stato_liq", {QStringLiteral("LN"), QStringLiteral("LS")}));
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    layout->addLayout(grid);
    layout->addStretch();
    resize(900, 420);
}
