#include "app/menu.h"

#include "app/settingsfile.h"
#include "articles/articoli.h"
#include "data/diz.h"
#include "invoices/gui/elenco_fatt.h"
#include "platform/gui/errorguard.h"
#include "purchases/elenco_carico.h"
#include "registries/anag_az.h"
#include "registries/anag_cl.h"
#include "registries/anag_fo.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
QPushButton* makeButton(const char* name, const QString& caption, QWidget* parent) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setMinimumHeight(40);
    return b;
}
} // namespace

TMenu::TMenu(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("TMenu"));
    setWindowTitle(QString());
    auto* title = new QLabel(QStringLiteral("GESTIONE FATTURAZIONE ELETTRONICA"), this);
    title->setObjectName(QStringLiteral("Label1"));
    QFont big = title->font();
    big.setPointSize(18);
    big.setBold(true);
    title->setFont(big);
    title->setAlignment(Qt::AlignCenter);

    auto* issued = new QGroupBox(QStringLiteral("Fatture Emesse"), this);
    issued->setObjectName(QStringLiteral("GroupBox1"));
    B1 = makeButton("B1", QStringLiteral("Fatture Emesse"), issued);
    B2 = makeButton("B2", QStringLiteral("Clienti"), issued);
    auto* issuedLayout = new QVBoxLayout(issued);
    issuedLayout->addWidget(B1);
    issuedLayout->addWidget(B2);
    issuedLayout->addStretch();

    auto* purchases = new QGroupBox(QStringLiteral("Acquisti"), this);
    purchases->setObjectName(QStringLiteral("GroupBox2"));
    B3 = makeButton("B3", QStringLiteral("Fatture Acquisto"), purchases);
    B4 = makeButton("B4", QStringLiteral("Fornitori"), purchases);
    B5 = makeButton("B5", QStringLiteral("Magazzino"), purchases);
    auto* purchaseLayout = new QVBoxLayout(purchases);
    purchaseLayout->addWidget(B3);
    purchaseLayout->addWidget(B4);
    purchaseLayout->addWidget(B5);

    B6 = makeButton("B6", QStringLiteral("Dati Azienda"), this);
    BitBtn7 = makeButton("BitBtn7", QStringLiteral("Accedi"), this);

    auto* groups = new QHBoxLayout;
    groups->addWidget(issued);
    groups->addWidget(purchases);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(BitBtn7);
    bottom->addStretch();
    bottom->addWidget(B6);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(title);
    layout->addLayout(groups);
    layout->addLayout(bottom);
    resize(640, 400);

    auto opens = [this](QPushButton* button, auto window) {
        connect(button, &QPushButton::clicked, this, [this, window] {
            if (QDialog* dialog = m_windows.*window)
                dialog->exec();
        });
    };
    opens(B1, &Windows::elenco_fatt);
    opens(B2, &Windows::anag_cl);
    opens(B3, &Windows::elenco_carico);
    opens(B4, &Windows::anag_fo);
    opens(B5, &Windows::articoli);
    opens(B6, &Windows::anag_az);
    connect(BitBtn7, &QPushButton::clicked, this, [this] { guarded(this, [this] { BitBtn7Click(); }); });
}

void TMenu::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TMenu::FormShow() {
    for (QPushButton* b : functionButtons())
        b->setEnabled(false);
}

void TMenu::BitBtn7Click() {
    const std::optional<ConnectionSettings> settings = readConnectionSettings(QStringLiteral("ip.ini"));
    if (!settings)
        return;
    if (m_windows.elenco_fatt)
        m_windows.elenco_fatt->setWindowTitle(settings->registerCode);
    // A repeated log-in that fails leaves nothing half-connected that looks usable.
    for (QPushButton* b : functionButtons())
        b->setEnabled(false);
    m_windows.diz->login(settings->server, settings->database);
    for (QPushButton* b : functionButtons())
        b->setEnabled(true);
}

void TMenu::FormClose() {
    if (m_windows.diz)
        m_windows.diz->closeTables();
}

void TMenu::closeEvent(QCloseEvent* event) {
    FormClose();
    QWidget::closeEvent(event);
}
