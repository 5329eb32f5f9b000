#include "invoices/gui/elenco_fatt.h"

#include "data/diz.h"
#include "invoices/gui/dispatch.h"
#include "invoices/rules/computetotals.h"
#include "invoices/rules/linearithmetic.h"
#include "platform/core/errors.h"
#include "platform/gui/dbcontrols.h"
#include "platform/gui/dbgrid.h"
#include "platform/gui/dbnavigator.h"
#include "platform/gui/dialogs.h"
#include "platform/gui/errorguard.h"
#include "xml/invoicewriter.h"

#include <QApplication>
#include <QDate>
#include <QFocusEvent>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QSqlError>
#include <QValidator>
#include <QVBoxLayout>

namespace {

const Qt::Alignment kRight = Qt::AlignRight | Qt::AlignVCenter;
const Qt::Alignment kCentre = Qt::AlignCenter;

QString nonNull(const QString& text) {
    return text.isNull() ? QString(QLatin1String("")) : text;
}

// What a combo box of the line editor gives: the item chosen from its list, or
// the empty text when none is chosen or the typed text is not that item.
QString selectedItem(const QComboBox* combo) {
    const int index = combo->currentIndex();
    if (index < 0 || combo->itemText(index) != combo->currentText())
        return QString(QLatin1String(""));
    return combo->itemText(index);
}

void selectExactly(QComboBox* combo, const QString& text) {
    combo->setCurrentIndex(combo->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive));
}

// A maximum length for what the user types only: the program may put longer
// text into the control (a stored "22,00" into the 4-character rate) unchanged.
class TypedLengthValidator : public QValidator {
public:
    TypedLengthValidator(QLineEdit* edit, int limit) : QValidator(edit), m_limit(limit) {
        m_before = edit->text();
        connect(edit, &QLineEdit::textChanged, this, [this, edit] { m_before = edit->text(); });
    }
    State validate(QString& input, int&) const override {
        return input.size() > m_limit && input.size() > m_before.size() ? Invalid : Acceptable;
    }

private:
    int m_limit;
    QString m_before; // the text before the edit being validated
};

void limitTyping(QLineEdit* edit, int limit) {
    edit->setValidator(new TypedLengthValidator(edit, limit));
}

QFrame* overlayPanel(const char* name, QWidget* parent) {
    auto* panel = new QFrame(parent);
    panel->setObjectName(QString::fromLatin1(name));
    panel->setFrameShape(QFrame::StyledPanel);
    panel->setFrameShadow(QFrame::Raised);
    panel->setAutoFillBackground(true);
    return panel;
}

QLabel* title(const QString& text, int pointSize, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    QFont font = label->font();
    font.setPointSize(pointSize);
    font.setBold(true);
    label->setFont(font);
    return label;
}

DBEdit* dbEdit(const char* name, DataSource* source, const char* field, QWidget* parent,
               bool amount = false, bool readOnly = false) {
    auto* edit = new DBEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->bind(source, QString::fromLatin1(field));
    if (amount)
        edit->setAlignment(Qt::AlignRight);
    if (readOnly) {
        edit->setReadOnly(true);
        edit->setFocusPolicy(Qt::ClickFocus);
    }
    return edit;
}

DBMaskEdit* dbMaskEdit(const char* name, DataSource* source, const char* field, QWidget* parent) {
    auto* edit = new DBMaskEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->bind(source, QString::fromLatin1(field));
    return edit;
}

DBComboBox* dbCombo(const char* name, DataSource* source, const char* field,
                    const QStringList& items, QWidget* parent) {
    auto* combo = new DBComboBox(parent);
    combo->setObjectName(QString::fromLatin1(name));
    combo->addItems(items);
    combo->bind(source, QString::fromLatin1(field));
    return combo;
}

QStringList natures(int count) {
    QStringList items;
    for (int i = 1; i <= count; ++i)
        items << QStringLiteral("N%1").arg(i);
    return items;
}

DBNavigator* navigator(const char* name, DataSource* source, int buttons, QWidget* parent) {
    auto* nav = new DBNavigator(parent);
    nav->setObjectName(QString::fromLatin1(name));
    nav->bind(source, buttons);
    return nav;
}

void setColumnWidths(DBGrid* grid, const QVector<int>& widths) {
    for (int i = 0; i < widths.size(); ++i)
        grid->horizontalHeader()->resizeSection(i, widths.at(i));
}

} // namespace

TElenco_Fatt::TElenco_Fatt(TDiz& diz, QWidget* parent) : QDialog(parent), m_diz(diz) {
    setObjectName(QStringLiteral("TElenco_Fatt"));
    // The caption is the register code that log-in puts here; the window has none of its own.

    buildMainPage();
    buildLegend();
    buildHeaderEditor();

    // The overlay panels share the main page's cell and lie on top of it.
    auto* root = new QGridLayout(this);
    root->setContentsMargins(4, 4, 4, 4);
    root->addWidget(Panel1, 0, 0);
    root->addWidget(P2, 0, 0, Qt::AlignRight);
    root->addWidget(P4, 0, 0);
    P2->raise();
    P4->raise();
    cover(P4, Panel1);

    P2->hide();
    P3->hide();
    P4->hide();
    setMinimumSize(1000, 700);
    resize(1366, 740);

    // Enter as Tab must win over every control of the window, grids and buttons included.
    // The same filter runs the exit handlers and the overlay panels' covering.
    qApp->installEventFilter(this);
}

void TElenco_Fatt::setPickWindows(QDialog* customers, QDialog* articles) {
    m_customers = customers;
    m_articles = articles;
}

QLabel* TElenco_Fatt::label(const QString& text, QWidget* parent) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(QStringLiteral("Label%1").arg(++m_labelCount));
    return l;
}

QPushButton* TElenco_Fatt::button(const char* name, const QString& caption, QWidget* parent,
                                  void (TElenco_Fatt::*handler)()) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    connect(b, &QPushButton::clicked, this, [this, handler] { guarded(this, [&] { (this->*handler)(); }); });
    return b;
}

// The window's filter on the application (see the constructor) sees these
// controls' events already; a filter of their own would run each exit twice.
void TElenco_Fatt::onExit(QWidget* control, void (TElenco_Fatt::*handler)()) {
    m_exitHandlers.insert(control, handler);
}

void TElenco_Fatt::cover(QWidget* overlay, QWidget* covered) {
    m_covered.insert(overlay, covered);
}

// ---------------------------------------------------------------- building

void TElenco_Fatt::buildMainPage() {
    Panel1 = new QWidget(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));

    // The upper part: title, header navigator, the invoice list. The line editor covers it.
    m_listArea = new QWidget(Panel1);
    m_listArea->setObjectName(QStringLiteral("Panel2"));
    auto* heading = title(QStringLiteral("Fattura Elettronica"), 16, m_listArea);
    heading->setObjectName(QStringLiteral("Label%1").arg(++m_labelCount));
    auto* nav1 = navigator("DBNavigator1", &m_diz.TestataS,
                           DBNavigator::First | DBNavigator::Prior | DBNavigator::Next |
                               DBNavigator::Last | DBNavigator::Delete | DBNavigator::Edit |
                               DBNavigator::Post | DBNavigator::Cancel | DBNavigator::Refresh,
                           m_listArea);
    auto* nuova = button("BitBtn15", QStringLiteral("Nuova"), m_listArea, &TElenco_Fatt::BitBtn15Click);
    auto* cliente = button("BitBtn3", QStringLiteral("Sel. Cliente"), m_listArea, &TElenco_Fatt::BitBtn3Click);
    auto* legenda = button("BitBtn1", QStringLiteral("Legenda"), m_listArea, &TElenco_Fatt::BitBtn1Click);

    DBGrid1 = new DBGrid(m_listArea);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    const QStringList docTypes{QStringLiteral("TD01"), QStringLiteral("TD04"), QStringLiteral("TD05")};
    const QStringList payTerms{QStringLiteral("TP01"), QStringLiteral("TP02")};
    const QStringList payMethods{QStringLiteral("MP01"), QStringLiteral("MP02"), QStringLiteral("MP05"),
                                 QStringLiteral("MP12")};
    const Qt::Alignment left = Qt::AlignLeft | Qt::AlignVCenter;
    DBGrid1->bind(&m_diz.TestataS,
                  {
                      {QStringLiteral("id_invio"), QStringLiteral("Id. Invio"), left, {}, true},
                      {QStringLiteral("prot"), QStringLiteral("Prot."), left, {}, true},
                      {QStringLiteral("tipo_doc"), QStringLiteral("Tipo Doc."), kCentre, docTypes},
                      {QStringLiteral("data_doc"), QStringLiteral("Data Doc."), kCentre},
                      {QStringLiteral("num_doc"), QStringLiteral("N. Doc"), kRight},
                      {QStringLiteral("tot_doc"), QStringLiteral("Totale"), kRight},
                      {QStringLiteral("tipo_pag"), QStringLiteral("Tipo Pag."), kCentre, payTerms},
                      {QStringLiteral("mod_pag"), QStringLiteral("Mod. Pag."), kCentre, payMethods},
                      {QStringLiteral("rag_soc"), QStringLiteral("Ragione Sociale")},
                      {QStringLiteral("trasporto"), QStringLiteral("Trasportatore")},
                      {QStringLiteral("indirizzo"), QString()},
                      {QStringLiteral("cap"), QStringLiteral("CAP")},
                      {QStringLiteral("comune"), QStringLiteral("Comune")},
                      {QStringLiteral("prov"), QStringLiteral("Prov")},
                      {QStringLiteral("nazione"), QStringLiteral("Nazione")},
                      {QStringLiteral("p_iva"), QStringLiteral("Partita Iva")},
                      {QStringLiteral("cod_fis"), QStringLiteral("Codice Fiscale")},
                      {QStringLiteral("cod_dest"), QStringLiteral("Cod. Destin.")},
                      {QStringLiteral("pec"), QStringLiteral("Casella PEC")},
                      {QStringLiteral("dest_soc"), QString()},
                      {QStringLiteral("dest_indir"), QString()},
                      {QStringLiteral("dest_cap"), QString()},
                      {QStringLiteral("dest_comune"), QString()},
                  });
    setColumnWidths(DBGrid1, {60, 55, 70, 85, 70, 90, 70, 75, 230, 110, 200, 55, 150, 45, 60, 100,
                              140, 90, 180, 180, 180, 70, 150});
    DBGrid1->setDrawCell(&TElenco_Fatt::DBGrid1DrawColumnCell);

    auto* listLayout = new QVBoxLayout(m_listArea);
    listLayout->setContentsMargins(0, 0, 0, 0);
    auto* headingRow = new QHBoxLayout;
    headingRow->addWidget(heading);
    headingRow->addStretch();
    listLayout->addLayout(headingRow);
    auto* topRow = new QHBoxLayout;
    topRow->addWidget(nav1);
    topRow->addSpacing(12);
    topRow->addWidget(nuova);
    topRow->addWidget(cliente);
    topRow->addWidget(legenda);
    topRow->addStretch();
    listLayout->addLayout(topRow);
    listLayout->addWidget(DBGrid1, 1);

    buildLineEditor();

    // The lower part: lines navigator and buttons, the line list, the bottom row.
    auto* nav2 = navigator("DBNavigator2", &m_diz.DettaS,
                           DBNavigator::First | DBNavigator::Prior | DBNavigator::Next |
                               DBNavigator::Last | DBNavigator::Edit | DBNavigator::Post |
                               DBNavigator::Cancel | DBNavigator::Refresh,
                           Panel1);
    auto* articoli = button("BitBtn6", QStringLiteral("Articoli Magazzino"), Panel1, &TElenco_Fatt::BitBtn6Click);
    auto* insRiga = button("BitBtn7", QStringLiteral("Ins. Riga"), Panel1, &TElenco_Fatt::BitBtn7Click);
    auto* modRiga = button("BitBtn10", QStringLiteral("Mod. Riga"), Panel1, &TElenco_Fatt::BitBtn10Click);
    auto* elimRiga = button("BitBtn12", QStringLiteral("Elimina Riga"), Panel1, &TElenco_Fatt::BitBtn12Click);
    auto* testataDoc = button("BitBtn11", QStringLiteral("Testata Doc."), Panel1, &TElenco_Fatt::BitBtn11Click);

    DBGrid2 = new DBGrid(Panel1);
    DBGrid2->setObjectName(QStringLiteral("DBGrid2"));
    DBGrid2->bind(&m_diz.DettaS, {
                                     {QStringLiteral("prog"), QStringLiteral("Prog"), kRight},
                                     {QStringLiteral("descrizione"), QStringLiteral("Descrizione")},
                                     {QStringLiteral("um"), QStringLiteral("UM"), kCentre},
                                     {QStringLiteral("quantita"), QStringLiteral("Quantita"), kRight},
                                     {QStringLiteral("prezzo_unit"), QStringLiteral("Prezzo Unit."), kRight},
                                     {QStringLiteral("prezzo_tot"), QStringLiteral("Imp. Totale"), kRight},
                                     {QStringLiteral("aliquota"), QStringLiteral("Aliquota"), kCentre},
                                     {QStringLiteral("natura"), QString()},
                                     {QStringLiteral("tipo_cessione"), QStringLiteral("Premio/Abb")},
                                     {QStringLiteral("sc_tipo"), QStringLiteral("Tipo Sc."), kCentre},
                                     {QStringLiteral("sc_perc"), QStringLiteral("Perc. Sc."), kRight},
                                     {QStringLiteral("sc_importo"), QStringLiteral("Importo Sc."), kRight},
                                     {QStringLiteral("codice_tipo"), QStringLiteral("Tipo Cod.")},
                                     {QStringLiteral("codice_val"), QStringLiteral("Valore Cod.")},
                                 });
    DBGrid2->setReadOnly(true);
    DBGrid2->setSelectionBehavior(QAbstractItemView::SelectRows);
    setColumnWidths(DBGrid2, {45, 330, 45, 80, 95, 95, 65, 55, 85, 65, 70, 85, 100, 120});

    auto* xml = button("BitBtn4", QStringLiteral("Creazione File XML"), Panel1, &TElenco_Fatt::BitBtn4Click);
    auto* sdi = button("BitBtn5", QStringLiteral("Invio a SDI"), Panel1, &TElenco_Fatt::BitBtn5Click);
    auto* xmlPa = button("BitBtn20", QStringLiteral("XML P.A."), Panel1, &TElenco_Fatt::BitBtn20Click);
    auto* sdiPa = button("BitBtn21", QStringLiteral("Invio P.A."), Panel1, &TElenco_Fatt::BitBtn21Click);
    auto* importa = button("BitBtn18", QStringLiteral("Importa Fatture"), Panel1, &TElenco_Fatt::BitBtn18Click);
    M1 = new MaskEdit(Panel1);
    M1->setObjectName(QStringLiteral("M1"));
    M1->setFixedWidth(M1->fontMetrics().horizontalAdvance(QStringLiteral("00/00/00")) + 24);
    auto* batch = button("BitBtn19", QStringLiteral("Invio Fatture al SDI"), Panel1, &TElenco_Fatt::BitBtn19Click);
    auto* elimina = button("BitBtn16", QStringLiteral("Elimina Fattura"), Panel1, &TElenco_Fatt::BitBtn16Click);
    auto* stampa = button("BitBtn17", QStringLiteral("Stampa"), Panel1, &TElenco_Fatt::BitBtn17Click);

    auto* page = new QGridLayout(Panel1);
    page->setContentsMargins(0, 0, 0, 0);
    // The line editor shares the list's cell and lies over it.
    page->addWidget(m_listArea, 0, 0);
    page->addWidget(P3, 0, 0);
    P3->raise();
    cover(P3, m_listArea);
    auto* lineRow = new QHBoxLayout;
    lineRow->addWidget(nav2);
    lineRow->addSpacing(12);
    for (QPushButton* b : {articoli, insRiga, modRiga, elimRiga, testataDoc})
        lineRow->addWidget(b);
    lineRow->addStretch();
    page->addLayout(lineRow, 1, 0);
    page->addWidget(DBGrid2, 2, 0);
    auto* bottom = new QHBoxLayout;
    for (QWidget* w : std::initializer_list<QWidget*>{xml, sdi, xmlPa, sdiPa, importa, M1, batch, elimina, stampa})
        bottom->addWidget(w);
    bottom->addStretch();
    page->addLayout(bottom, 3, 0);
    page->setRowStretch(0, 3);
    page->setRowStretch(2, 2);
}

void TElenco_Fatt::buildLegend() {
    P2 = overlayPanel("P2", this);
    P2->setFixedWidth(250);
    auto* layout = new QVBoxLayout(P2);
    auto* heading = title(QStringLiteral("LEGENDA"), 12, P2);
    heading->setObjectName(QStringLiteral("Label%1").arg(++m_labelCount));
    heading->setAlignment(Qt::AlignCenter);
    layout->addWidget(heading);
    const QList<QPair<QString, QStringList>> groups{
        {QStringLiteral("Tipo Documento:"),
         {QStringLiteral("TD01 - Fattura"), QStringLiteral("TD04 - Nota Credito"),
          QStringLiteral("TD05 - Nota Debito"), QStringLiteral("TD20 - AutoFattura")}},
        {QStringLiteral("Tipo Pagamento:"), {QStringLiteral("TP01 - A Rate"), QStringLiteral("TP02 - Completo")}},
        {QStringLiteral("Modalità di Pag."),
         {QStringLiteral("MP01 - Contanti"), QStringLiteral("MP02 - Assegno"), QStringLiteral("MP05 - Bonifico"),
          QStringLiteral("MP12 - Ri.Ba.")}},
        {QStringLiteral("Esigibilta Iva:"), {QStringLiteral("I - Immediata"), QStringLiteral("D - Differita")}},
        {QStringLiteral("Natura Iva:"),
         {QStringLiteral("N1 - Escluse ex art.15"), QStringLiteral("N2 - Non Soggette"),
          QStringLiteral("N3 - Non Imponibili"), QStringLiteral("N4 - Esenti"),
          QStringLiteral("N5 - Regime del Margine"), QStringLiteral("N6 - Reverse Charge")}},
    };
    for (const auto& [groupTitle, items] : groups) {
        QLabel* g = label(groupTitle, P2);
        QFont bold = g->font();
        bold.setBold(true);
        g->setFont(bold);
        layout->addSpacing(6);
        layout->addWidget(g);
        for (const QString& item : items) {
            QLabel* l = label(item, P2);
            l->setIndent(12);
            layout->addWidget(l);
        }
    }
    layout->addStretch();
    layout->addWidget(button("BitBtn2", QStringLiteral("Chiudi"), P2, &TElenco_Fatt::BitBtn2Click));
}

void TElenco_Fatt::buildHeaderEditor() {
    P4 = overlayPanel("P4", this);
    DataSource* s = &m_diz.TestataS;
    auto* layout = new QVBoxLayout(P4);
    layout->setSpacing(6);
    auto* heading = title(QStringLiteral("Testata Documento"), 14, P4);
    heading->setObjectName(QStringLiteral("Label%1").arg(++m_labelCount));
    heading->setAlignment(Qt::AlignCenter);
    layout->addWidget(heading);

    // Header fields, row by row in the order of the document.
    auto* fields = new QGridLayout;
    fields->setHorizontalSpacing(8);
    fields->setVerticalSpacing(4);
    int cell = 0;
    auto add = [&](const QString& caption, QWidget* control) {
        const int row = cell / 4;
        const int column = (cell % 4) * 2;
        if (!caption.isEmpty())
            fields->addWidget(label(caption, P4), row, column);
        fields->addWidget(control, row, column + 1);
        ++cell;
    };
    const QStringList docTypes{QStringLiteral("TD01"), QStringLiteral("TD03"), QStringLiteral("TD04"),
                               QStringLiteral("TD20")};
    add(QStringLiteral("Tipo Documento"), dbCombo("DBComboBox1", s, "tipo_doc", docTypes, P4));
    add(QStringLiteral("Data Documento"), dbEdit("DBEdit1", s, "data_doc", P4));
    add(QStringLiteral("Numero Documento"), dbEdit("DBEdit2", s, "num_doc", P4));
    DBEdit* ragSoc = dbEdit("DBEdit3", s, "rag_soc", P4);
    ragSoc->setCharCase(DBEdit::CharCase::Upper);
    add(QStringLiteral("Ragione Sociale"), ragSoc);
    add(QStringLiteral("Indirizzo"), dbEdit("DBEdit4", s, "indirizzo", P4));
    add(QStringLiteral("Comune"), dbEdit("DBEdit5", s, "comune", P4));
    add(QStringLiteral("CAP"), dbEdit("DBEdit6", s, "cap", P4));
    add(QStringLiteral("Prov."), dbEdit("DBEdit7", s, "prov", P4));
    add(QStringLiteral("Nazione"), dbCombo("DBComboBox2", s, "nazione", {QStringLiteral("IT")}, P4));
    add(QStringLiteral("Partita Iva"), dbEdit("DBEdit8", s, "p_iva", P4));
    add(QStringLiteral("Codice Fiscale"), dbEdit("DBEdit9", s, "cod_fis", P4));
    add(QStringLiteral("Codice Destinatario"), dbEdit("DBEdit10", s, "cod_dest", P4));
    DBEdit* pec = dbEdit("DBEdit11", s, "pec", P4);
    pec->setCharCase(DBEdit::CharCase::Lower);
    add(QStringLiteral("Casella PEC"), pec);
    DBEdit* carrier = dbEdit("DBEdit12", s, "trasporto", P4);
    carrier->setCharCase(DBEdit::CharCase::Upper);
    add(QStringLiteral("Trasportatore"), carrier);
    add(QStringLiteral("Tipo Pagamento"),
        dbCombo("DBComboBox3", s, "tipo_pag", {QStringLiteral("TP01"), QStringLiteral("TP02")}, P4));
    add(QStringLiteral("Modalita Pagamento"),
        dbCombo("DBComboBox4", s, "mod_pag",
                {QStringLiteral("MP01"), QStringLiteral("MP02"), QStringLiteral("MP05"), QStringLiteral("MP12")}, P4));
    add(QStringLiteral("N. Rate"), dbEdit("DBEdit13", s, "n_rate", P4, true));
    add(QStringLiteral("1° Data Scadenza "), dbMaskEdit("DBEdit14", s, "scad1", P4));
    add(QStringLiteral("2° Data Scadenza "), dbMaskEdit("DBEdit15", s, "scad2", P4));
    add(QStringLiteral("3° Data Scadenza "), dbMaskEdit("DBEdit16", s, "scad3", P4));
    add(QStringLiteral("4° Data Scadenza "), dbMaskEdit("DBEdit17", s, "scad4", P4));
    auto* sent = new DBCheckBox(P4);
    sent->setObjectName(QStringLiteral("DBCheckBox1"));
    sent->setText(QStringLiteral("Inviata"));
    sent->bind(s, QStringLiteral("inviata"));
    add(QString(), sent);
    for (int column = 1; column < 8; column += 2)
        fields->setColumnStretch(column, 1);
    layout->addLayout(fields);

    // The four VAT buckets.
    auto* buckets = new QHBoxLayout;
    const QStringList exigibility{QStringLiteral("I"), QStringLiteral("D"), QStringLiteral("S")};
    int editNumber = 18;
    int comboNumber = 5;
    auto nextEdit = [&] { return QStringLiteral("DBEdit%1").arg(editNumber++).toLatin1(); };
    auto nextCombo = [&] { return QStringLiteral("DBComboBox%1").arg(comboNumber++).toLatin1(); };
    for (int bucket = 1; bucket <= 4; ++bucket) {
        const QString suffix = bucket == 1 ? QString() : QString::number(bucket);
        auto field = [&](const char* base) { return (QString::fromLatin1(base) + suffix).toLatin1(); };
        auto* box = new QGroupBox(QStringLiteral("Riepilogo Iva %1").arg(bucket), P4);
        box->setObjectName(QStringLiteral("GroupBox%1").arg(bucket));
        auto* grid = new QGridLayout(box);
        grid->setHorizontalSpacing(6);
        grid->setVerticalSpacing(4);
        int place = 0;
        auto put = [&](const QString& caption, QWidget* control, bool wide = false) {
            const int row = place / 2;
            const int column = (place % 2) * 2;
            grid->addWidget(label(caption, box), row, column);
            grid->addWidget(control, row, column + 1, 1, wide ? 3 : 1);
            place += wide ? 2 : 1;
        };
        put(QStringLiteral("Aliquota"), dbEdit(nextEdit(), s, field("aliquota"), box, true));
        put(QStringLiteral("Esigib. Iva"), dbCombo(nextCombo(), s, field("esig_iva"), exigibility, box));
        if (bucket < 4)
            put(QStringLiteral("Spese"), dbEdit(nextEdit(), s, field("spese"), box, true));
        put(QStringLiteral("Imponibile"), dbEdit(nextEdit(), s, field("imponibile"), box, true, true));
        put(QStringLiteral("Imposta"), dbEdit(nextEdit(), s, field("imposta"), box, true, true));
        if (bucket < 4)
            put(QStringLiteral("Omaggio"), dbEdit(nextEdit(), s, field("tot_omaggio"), box, true, true));
        put(QStringLiteral("Natura"), dbCombo(nextCombo(), s, field("natura"), natures(bucket == 1 ? 5 : 6), box));
        if (bucket < 4) {
            if (place % 2)
                ++place;
            put(QStringLiteral("Normativa"), dbEdit(nextEdit(), s, field("normativa"), box), true);
        }
        grid->setColumnStretch(1, 1);
        grid->setColumnStretch(3, 1);
        grid->setRowStretch(grid->rowCount(), 1);
        buckets->addWidget(box, 1);
    }
    layout->addLayout(buckets);

    // Reference groups, the document discount, and the editor's buttons.
    auto* lower = new QHBoxLayout;
    auto* references = new QGroupBox(QStringLiteral("Ordine Acquisto - Contratto - Convenzione"), P4);
    references->setObjectName(QStringLiteral("GroupBox5"));
    const int refButtons = DBNavigator::Insert | DBNavigator::Delete | DBNavigator::Edit |
                           DBNavigator::Post | DBNavigator::Cancel | DBNavigator::Refresh;
    auto* nav3 = navigator("DBNavigator3", &m_diz.ContrattoS, refButtons, references);
    auto* DBGrid3 = new DBGrid(references);
    DBGrid3->setObjectName(QStringLiteral("DBGrid3"));
    DBGrid3->bind(&m_diz.ContrattoS,
                  {{QStringLiteral("tipo"), QStringLiteral("Tipo"), Qt::AlignLeft | Qt::AlignVCenter,
                    {QStringLiteral("DatiOrdineAcquisto"), QStringLiteral("DatiContratto"),
                     QStringLiteral("DatiConvenzione"), QStringLiteral("DatiRicezione"),
                     QStringLiteral("DatiFattureCollegate")}}});
    DBGrid3->horizontalHeader()->setStretchLastSection(true);
    auto* nav4 = navigator("DBNavigator4", &m_diz.ContrattoDS, refButtons, references);
    auto* DBGrid4 = new DBGrid(references);
    DBGrid4->setObjectName(QStringLiteral("DBGrid4"));
    DBGrid4->bind(&m_diz.ContrattoDS, {
                                          {QStringLiteral("n_linea"), QStringLiteral("N.Linea"), kRight},
                                          {QStringLiteral("id_documento"), QStringLiteral("Documento")},
                                          {QStringLiteral("data"), QStringLiteral("Data"), kCentre},
                                          {QStringLiteral("numero"), QStringLiteral("Numero")},
                                          {QStringLiteral("cup"), QStringLiteral("CUP")},
                                          {QStringLiteral("cig"), QStringLiteral("CIG")},
                                          {QStringLiteral("cod_comm"), QStringLiteral("Codice Commessa")},
                                      });
    setColumnWidths(DBGrid4, {60, 120, 80, 90, 110, 110, 160});
    auto* refLayout = new QGridLayout(references);
    refLayout->addWidget(nav3, 0, 0, Qt::AlignLeft);
    refLayout->addWidget(DBGrid3, 1, 0);
    refLayout->addWidget(nav4, 0, 1, Qt::AlignLeft);
    refLayout->addWidget(DBGrid4, 1, 1);
    refLayout->setColumnStretch(0, 1);
    refLayout->setColumnStretch(1, 3);
    lower->addWidget(references, 1);

    auto* discount = new QGroupBox(P4);
    discount->setObjectName(QStringLiteral("GroupBox6"));
    auto* discountLayout = new QGridLayout(discount);
    discountLayout->addWidget(label(QStringLiteral("Tipo Sconto"), discount), 0, 0);
    discountLayout->addWidget(
        dbCombo("DBComboBox13", s, "sc_tipo", {QStringLiteral("SC"), QStringLiteral("MG")}, discount), 0, 1);
    discountLayout->addWidget(label(QStringLiteral("Perc."), discount), 1, 0);
    discountLayout->addWidget(dbEdit("DBEdit40", s, "sc_perc", discount, true), 1, 1);
    discountLayout->addWidget(label(QStringLiteral("Totale Sconto"), discount), 2, 0);
    discountLayout->addWidget(dbEdit("DBEdit41", s, "sc_importo", discount, true), 2, 1);
    discountLayout->addWidget(label(QStringLiteral("Totale Documento"), discount), 3, 0);
    DBEdit* total = dbEdit("DBEdit42", s, "tot_doc", discount, true, true);
    QFont bold = total->font();
    bold.setBold(true);
    total->setFont(bold);
    discountLayout->addWidget(total, 3, 1);
    discountLayout->setRowStretch(4, 1);
    lower->addWidget(discount);

    auto* actions = new QVBoxLayout;
    actions->addStretch();
    actions->addWidget(button("BitBtn13", QStringLiteral("Registra"), P4, &TElenco_Fatt::BitBtn13Click));
    actions->addWidget(button("BitBtn14", QStringLiteral("Annulla"), P4, &TElenco_Fatt::BitBtn14Click));
    lower->addLayout(actions);
    layout->addLayout(lower, 1);
}

void TElenco_Fatt::buildLineEditor() {
    P3 = overlayPanel("P3", Panel1);
    auto* grid = new QGridLayout(P3);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(6);

    auto edit = [&](const char* name, int maxLength, bool amount = false) {
        auto* e = new QLineEdit(P3);
        e->setObjectName(QString::fromLatin1(name));
        limitTyping(e, maxLength);
        if (amount)
            e->setAlignment(Qt::AlignRight);
        return e;
    };
    auto combo = [&](const char* name, const QStringList& items) {
        auto* c = new QComboBox(P3);
        c->setObjectName(QString::fromLatin1(name));
        c->setEditable(true);
        c->setInsertPolicy(QComboBox::NoInsert);
        c->addItems(items);
        c->setCurrentIndex(-1);
        c->lineEdit()->setMaxLength(2);
        onExit(c, &TElenco_Fatt::cb1Exit);
        return c;
    };
    // Created in the order the user fills a line, which is also the Tab order.
    Edit1 = edit("Edit1", 100);
    Edit2 = edit("Edit2", 100, true);
    Edit3 = edit("Edit3", 4);
    Edit4 = edit("Edit4", 4, true);
    Edit5 = edit("Edit5", 35);
    Edit6 = edit("Edit6", 35);
    Edit7 = edit("Edit7", 12, true);
    cb1 = combo("cb1", {QStringLiteral("SC"), QStringLiteral("MG")});
    Edit8 = edit("Edit8", 6, true);
    Edit9 = edit("Edit9", 12, true);
    Edit10 = edit("Edit10", 12, true);
    cb2 = combo("cb2", {QStringLiteral("SC"), QStringLiteral("PR"), QStringLiteral("AB"), QStringLiteral("AC")});
    cb3 = combo("cb3", {QString(QLatin1String("")), QStringLiteral("SI")});
    CB4 = combo("CB4", natures(6));
    Edit11 = edit("Edit11", 20);
    DBEdit39 = dbEdit("DBEdit39", &m_diz.DettaS, "natura", P3);
    auto* save = button("BitBtn8", QStringLiteral("Registra"), P3, &TElenco_Fatt::BitBtn8Click);
    auto* cancel = button("BitBtn9", QStringLiteral("Annulla"), P3, &TElenco_Fatt::BitBtn9Click);
    for (QLineEdit* e : {Edit9, Edit10}) {
        e->setReadOnly(true);
        e->setFocusPolicy(Qt::ClickFocus);
    }
    onExit(Edit2, &TElenco_Fatt::Edit2Exit);
    onExit(Edit7, &TElenco_Fatt::Edit7Exit);
    onExit(Edit8, &TElenco_Fatt::Edit8Exit);

    auto put = [&](const QString& caption, QWidget* control, int row, int column, int span = 1) {
        grid->addWidget(label(caption, P3), row, column);
        grid->addWidget(control, row, column + 1, 1, span);
    };
    put(QStringLiteral("DESCRIZIONE"), Edit1, 0, 0, 7);
    put(QStringLiteral("Quantita"), Edit2, 1, 0);
    put(QStringLiteral("U.M."), Edit3, 1, 2);
    put(QStringLiteral("Aliquota"), Edit4, 1, 4);
    put(QStringLiteral("Codice Tipo"), Edit5, 2, 0);
    put(QStringLiteral("Codice Valore"), Edit6, 2, 2, 3);
    put(QStringLiteral("Pr. Lordo "), Edit7, 3, 0);
    put(QStringLiteral("Tipo Sc."), cb1, 3, 2);
    put(QStringLiteral("Sc.Perc."), Edit8, 3, 4);
    put(QStringLiteral("Tot. Sconto "), Edit9, 3, 6);
    put(QStringLiteral("Prezzo Totale"), Edit10, 4, 6);
    put(QStringLiteral("Premio/Abbuono"), cb2, 4, 0);
    put(QStringLiteral("Ritenuta"), cb3, 4, 2);
    put(QStringLiteral("Natura"), CB4, 1, 6);
    grid->addWidget(DBEdit39, 2, 7);
    put(QStringLiteral("Rif. Amministrativo"), Edit11, 4, 4);
    for (int column = 1; column < 8; column += 2)
        grid->setColumnStretch(column, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(save);
    buttons->addWidget(cancel);
    grid->addLayout(buttons, 5, 0, 1, 8);
    grid->setRowStretch(6, 1);
}

// ---------------------------------------------------------------- events

void TElenco_Fatt::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

bool TElenco_Fatt::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress: {
        if (!watched->isWidgetType() || static_cast<QWidget*>(watched)->window() != this)
            break;
        int key = static_cast<QKeyEvent*>(event)->key();
        FormKeyPress(key);
        if (key == 0)
            return true;
        break;
    }
    case QEvent::FocusOut: {
        const auto handler = m_exitHandlers.constFind(watched);
        if (handler == m_exitHandlers.constEnd())
            break;
        // Opening a drop-down list or switching windows does not leave the control.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason == Qt::PopupFocusReason || reason == Qt::ActiveWindowFocusReason)
            break;
        const auto run = *handler;
        guarded(this, [&] { (this->*run)(); });
        break;
    }
    case QEvent::ShowToParent:
    case QEvent::HideToParent:
        if (QWidget* covered = m_covered.value(watched))
            covered->setEnabled(event->type() == QEvent::HideToParent);
        break;
    default:
        break;
    }
    return QDialog::eventFilter(watched, event);
}

void TElenco_Fatt::FormShow() {
    P2->hide();
    P3->hide();
    P4->hide();
    M1->setText(QDate::currentDate().toString(QStringLiteral("dd/MM/yy")));
}

void TElenco_Fatt::FormKeyPress(int& key) {
    if (key != Qt::Key_Return && key != Qt::Key_Enter)
        return;
    focusNextChild();
    key = 0;
}

bool TElenco_Fatt::DBGrid1DrawColumnCell(QPainter* painter, const QStyleOptionViewItem& option,
                                         const Record& row, const GridColumn& column) {
    if (!row.value(QStringLiteral("inviata")).toBool())
        return false;
    painter->save();
    painter->setClipRect(option.rect);
    painter->fillRect(option.rect, QColor(255, 0, 0));
    painter->setPen(QColor(255, 255, 255));
    painter->setFont(option.font);
    // Always from the top-left corner, whatever the column's alignment.
    painter->drawText(option.rect.adjusted(2, 2, 0, 0), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                      row.text(column.field));
    painter->restore();
    return true;
}

// ---------------------------------------------------------------- main page

void TElenco_Fatt::BitBtn1Click() {
    P2->show();
    P2->raise();
}

void TElenco_Fatt::BitBtn2Click() {
    P2->hide();
}

void TElenco_Fatt::BitBtn3Click() {
    if (m_customers)
        m_customers->exec();
}

void TElenco_Fatt::BitBtn6Click() {
    if (m_articles)
        m_articles->exec();
}

void TElenco_Fatt::BitBtn4Click() {
    WriteInvoiceXmlFPR12(m_diz, windowTitle());
}

void TElenco_Fatt::BitBtn20Click() {
    WriteInvoiceXmlFPA12(m_diz, windowTitle());
}

void TElenco_Fatt::BitBtn5Click() {
    dispatch::sendCurrent(m_diz, this, false);
}

void TElenco_Fatt::BitBtn21Click() {
    dispatch::sendCurrent(m_diz, this, true);
}

void TElenco_Fatt::BitBtn19Click() {
    dispatch::sendUnsent(m_diz, this);
}

void TElenco_Fatt::BitBtn18Click() {
    // The import of the accounting documents is not part of this window yet.
}

void TElenco_Fatt::BitBtn11Click() {
    P4->show();
    P4->raise();
    if (QWidget* first = P4->findChild<QWidget*>(QStringLiteral("DBComboBox1")))
        first->setFocus();
}

void TElenco_Fatt::BitBtn15Click() {
    m_diz.Testata.append();
    m_diz.Testata.post();
}

void TElenco_Fatt::BitBtn16Click() {
    Dataset& header = m_diz.Testata;
    if (header.value(QStringLiteral("inviata")).toBool()) {
        dialogs().message(this, QStringLiteral("Operazione non possibile... Fattura Inviata"));
        return;
    }
    if (!dialogs().confirm(this, QStringLiteral("Confermi Eliminazione Fattura: ?")))
        return;
    const int id = header.value(QStringLiteral("id_invio")).toInt();

    // Lines and header go together or not at all: a header left without its lines
    // (or lines without their header) would be a half-deleted invoice.
    QSqlDatabase db = m_diz.xml_conn.qtDatabase();
    if (!db.transaction())
        throw DatabaseError(db.lastError().text());
    try {
        m_diz.Query.close();
        m_diz.Query.setSql(QStringLiteral("delete from dettaglio where id_invio=") + QString::number(id));
        m_diz.Query.execSql();
        m_diz.Detta.refresh();
        header.remove();
        if (!db.commit())
            throw DatabaseError(db.lastError().text());
    } catch (...) {
        db.rollback();
        // Show what the database holds again; the first error is the one reported.
        try {
            header.cancel();
            header.refresh();
            m_diz.Detta.cancel();
            m_diz.Detta.refresh();
        } catch (...) {
        }
        throw;
    }
}

void TElenco_Fatt::BitBtn17Click() {
    try {
        if (m_diz.Testata.currentIndex() < 0)
            throw AppError(QStringLiteral("no invoice"));
        if (m_printPreview)
            m_printPreview();
    } catch (...) {
        dialogs().message(this, QStringLiteral("Mancanza Dati"));
    }
}

// ---------------------------------------------------------------- header editor

void TElenco_Fatt::BitBtn13Click() {
    ComputeDocumentTotals(m_diz);
    P4->hide();
}

void TElenco_Fatt::BitBtn14Click() {
    if (m_diz.Testata.isEditing())
        m_diz.Testata.cancel();
    P4->hide();
}

// ---------------------------------------------------------------- line editor

void TElenco_Fatt::BitBtn7Click() {
    m_lineMode = LineMode::Insert;
    P3->show();
    P3->raise();
    Edit1->setFocus();
    Edit2->setText(QStringLiteral("0,00"));
    Edit7->setText(QStringLiteral("0,00"));
    Edit3->setText(QStringLiteral("PZ"));
    Edit4->setText(QStringLiteral("22"));
}

void TElenco_Fatt::BitBtn10Click() {
    m_lineMode = LineMode::Modify;
    P3->show();
    P3->raise();
    const Dataset& line = m_diz.Detta;
    auto field = [&](const char* name) { return line.text(QString::fromLatin1(name)); };
    Edit1->setText(field("descrizione"));
    Edit5->setText(field("codice_tipo"));
    Edit6->setText(field("codice_val"));
    Edit3->setText(field("um"));
    Edit7->setText(field("prezzo_unit"));
    cb1->setCurrentIndex(-1);
    const QString discountType = field("sc_tipo");
    if (discountType == QLatin1String("SC") || discountType == QLatin1String("MG"))
        selectExactly(cb1, discountType);
    Edit8->setText(field("sc_perc"));
    Edit9->setText(field("sc_importo"));
    Edit10->setText(field("prezzo_tot"));
    Edit4->setText(field("aliquota"));
    Edit2->setText(field("quantita"));
    selectExactly(cb2, field("tipo_cessione"));
    selectExactly(cb3, field("ritenuta"));
    selectExactly(CB4, field("natura"));
    Edit11->setText(field("rif_amm"));
    Edit1->setFocus();
}

void TElenco_Fatt::BitBtn8Click() {
    Dataset& line = m_diz.Detta;
    if (m_lineMode == LineMode::Modify) {
        line.edit();
    } else {
        line.last();
        int number = 1;
        if (!line.isEmpty()) {
            bool ok = false;
            const int last = line.text(QStringLiteral("prog")).toInt(&ok);
            if (ok)
                number = last + 1;
        }
        line.append();
        line.setValue(QStringLiteral("prog"), number);
    }
    auto set = [&](const char* field, const QString& text) {
        line.setValue(QString::fromLatin1(field), nonNull(text));
    };
    set("descrizione", Edit1->text());
    set("codice_tipo", Edit5->text());
    set("codice_val", Edit6->text());
    set("um", Edit3->text());
    set("prezzo_unit", Edit7->text());
    set("sc_tipo", selectedItem(cb1));
    set("tipo_cessione", selectedItem(cb2));
    set("ritenuta", selectedItem(cb3));
    set("natura", selectedItem(CB4));
    set("sc_perc", Edit8->text());
    set("sc_importo", Edit9->text());
    set("prezzo_tot", Edit10->text());
    set("rif_amm", Edit11->text());
    set("aliquota", Edit4->text());
    set("quantita", Edit2->text());
    line.post();
    ComputeDocumentTotals(m_diz);
    P3->hide();
}

void TElenco_Fatt::BitBtn9Click() {
    P3->hide();
}

void TElenco_Fatt::BitBtn12Click() {
    if (dialogs().confirm(this, QStringLiteral("Confermi Eliminazione Riga: ?")))
        m_diz.Detta.remove();
}

void TElenco_Fatt::Edit2Exit() {
    Edit2->setText(reformatLineQuantity(Edit2->text()));
    RecalcLineEditor();
}

void TElenco_Fatt::Edit7Exit() {
    Edit7->setText(reformatLinePrice(Edit7->text()));
    RecalcLineEditor();
}

void TElenco_Fatt::Edit8Exit() {
    Edit8->setText(reformatLinePercentage(Edit8->text()));
    RecalcLineEditor();
}

void TElenco_Fatt::cb1Exit() {
    RecalcLineEditor();
}

void TElenco_Fatt::RecalcLineEditor() {
    const LineRecalc result = recalcLine(Edit2->text(), Edit7->text(), selectedItem(cb1), Edit8->text());
    Edit8->setText(result.percentage);
    if (result.discountAmount)
        Edit9->setText(*result.discountAmount);
    if (result.total)
        Edit10->setText(*result.total);
    if (result.error)
        dialogs().message(this, QStringLiteral("Errore"));
}
