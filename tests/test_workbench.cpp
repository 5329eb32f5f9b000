// The invoice workbench driven through its own controls against a real database:
// panels, Enter as Tab, sent rows, new and deleted e-invoices, the header editor,
// the line editor and its arithmetic, the print button, columns and navigators.
#include "data/diz.h"
#include "invoices/gui/elenco_fatt.h"
#include "platform/core/errors.h"
#include "platform/gui/dbgrid.h"
#include "platform/gui/dbnavigator.h"
#include "support/recordingdialogs.h"
#include "support/testdb.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QImage>
#include <QLayout>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QToolButton>
#include <QtTest>
#include <stdexcept>

namespace {
const QString kDb = QStringLiteral("t_workbench");

// Every stored column of one row, as text; empty when the row does not exist.
QStringList storedRow(const QString& sql, const QVariantList& binds) {
    QSqlQuery query(testdb::connection(kDb));
    query.prepare(sql);
    for (const QVariant& v : binds)
        query.addBindValue(v);
    if (!query.exec())
        throw std::runtime_error(query.lastError().text().toStdString());
    QStringList values;
    if (query.next())
        for (int i = 0; i < query.record().count(); ++i)
            values << (query.isNull(i) ? QStringLiteral("<null>") : query.value(i).toString());
    return values;
}

int count(const QString& sql, const QVariantList& binds = {}) {
    return testdb::scalar(kDb, sql, binds).toInt();
}

// Statements the server does not take as prepared ones (triggers).
void execDirect(const QString& sql) {
    QSqlQuery query(testdb::connection(kDb));
    if (!query.exec(sql))
        throw std::runtime_error((sql + ": " + query.lastError().text()).toStdString());
}

QStringList headerTitles(const DBGrid* grid) {
    QStringList titles;
    for (int c = 0; c < grid->model()->columnCount(); ++c)
        titles << grid->model()->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
    return titles;
}
} // namespace

class TestWorkbench : public QObject {
    Q_OBJECT
    RecordingDialogs boxes;
    std::unique_ptr<TDiz> diz;
    std::unique_ptr<TElenco_Fatt> window;

    template <class T = QWidget>
    T* child(const char* name) {
        T* found = window->findChild<T*>(QString::fromLatin1(name));
        if (!found)
            qFatal("no control %s", name);
        return found;
    }
    QLineEdit* edit(const char* name) { return child<QLineEdit>(name); }
    QComboBox* combo(const char* name) { return child<QComboBox>(name); }
    void click(const char* name) { QTest::mouseClick(child<QPushButton>(name), Qt::LeftButton); }

    int currentId() { return diz->Testata.value("id_invio").toInt(); }
    // "Nuova", and the new header is the current one.
    int newInvoice() {
        click("BitBtn15");
        return currentId();
    }
    // An e-invoice written by another client, made current in the list.
    int storedInvoice(const QString& ragSoc, bool sent, int lines) {
        testdb::exec(kDb, "insert into testata (rag_soc, inviata, tot_doc) values (?, ?, '12,50')", {ragSoc, sent});
        const int id = testdb::scalar(kDb, "select max(id_invio) from testata").toInt();
        for (int prog = 1; prog <= lines; ++prog)
            testdb::exec(kDb,
                         "insert into dettaglio (id_invio, prog, descrizione, quantita, aliquota, prezzo_tot) "
                         "values (?, ?, ?, '1', '22', '10,000')",
                         {id, prog, QStringLiteral("Riga %1").arg(prog)});
        diz->Testata.refresh();
        if (!diz->Testata.locate({"id_invio"}, {id}))
            qFatal("invoice %d not in the list", id);
        return id;
    }
    QStringList progs(int id) {
        return testdb::scalar(kDb, "select group_concat(prog order by prog) from dettaglio where id_invio=?", {id})
            .toString()
            .split(',', Qt::SkipEmptyParts);
    }
    // The user fills the line editor's numbers, leaving each control for the next.
    void typeLine(const QString& quantity, const QString& price, const QString& type, const QString& percentage) {
        edit("Edit2")->setFocus();
        edit("Edit2")->setText(quantity);
        edit("Edit7")->setFocus();
        edit("Edit7")->setText(price);
        combo("cb1")->setFocus();
        combo("cb1")->setCurrentIndex(combo("cb1")->findText(type));
        edit("Edit8")->setFocus();
        edit("Edit8")->setText(percentage);
        edit("Edit1")->setFocus();
    }

private Q_SLOTS:
    void init() {
        window.reset();
        diz.reset();
        testdb::createInvoicingDatabase(kDb);
        diz = std::make_unique<TDiz>();
        diz->login("127.0.0.1", kDb);
        window = std::make_unique<TElenco_Fatt>(*diz);
        window->show();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        boxes.clear();
    }
    void cleanup() {
        window.reset();
        diz.reset();
    }
    void cleanupTestCase() { testdb::dropDatabase(kDb); }

    // ------------------------------------------------------------ window

    void showingAgainHidesThePanelsAndDatesTheCutOff() {
        storedInvoice("ROSSI", false, 1);
        click("BitBtn1");
        click("BitBtn7");
        click("BitBtn11");
        for (const char* panel : {"P2", "P3", "P4"})
            QVERIFY2(child(panel)->isVisible(), panel);
        QVERIFY(!child("Panel1")->isEnabled());
        edit("M1")->setText("01/01/00");

        window->close();
        // The menu opens the window modally.
        QStringList open;
        bool enabled = false;
        QString cutOff;
        QTimer::singleShot(0, [&] {
            for (const char* panel : {"P2", "P3", "P4"})
                if (child(panel)->isVisible())
                    open << panel;
            enabled = child("Panel1")->isEnabled() && child("Panel2")->isEnabled();
            cutOff = edit("M1")->text();
            window->close();
        });
        window->exec();
        QCOMPARE(open, QStringList());
        QVERIFY(enabled);
        QCOMPARE(cutOff, QDate::currentDate().toString("dd/MM/yy"));
    }

    void enterInTheHeaderEditorMovesOnAsTab_data() {
        QTest::addColumn<QString>("start");
        QTest::newRow("document type combo") << "DBComboBox1";
        QTest::newRow("document date") << "DBEdit1";
        QTest::newRow("customer name") << "DBEdit3";
        QTest::newRow("first due date") << "DBEdit14";
        QTest::newRow("bucket rate") << "DBEdit18";
        QTest::newRow("discount amount") << "DBEdit41";
        QTest::newRow("Registra") << "BitBtn13";
        QTest::newRow("Annulla") << "BitBtn14";
    }
    void enterInTheHeaderEditorMovesOnAsTab() {
        QFETCH(QString, start);
        storedInvoice("ROSSI", false, 0);
        click("BitBtn11");
        // An unsaved change: a pressed "Registra" would save it, "Annulla" drop it.
        QTest::keyClicks(edit("DBEdit3"), "x");
        QVERIFY(diz->Testata.isEditing());

        QWidget* from = child(start.toLatin1());
        from->setFocus();
        QCOMPARE(QApplication::focusWidget(), from);
        QTest::keyClick(from, Qt::Key_Tab);
        QWidget* tabbed = QApplication::focusWidget();
        QVERIFY(tabbed && tabbed != from);

        from->setFocus();
        int returned = 0; // an edit that saw the key would report it
        for (QLineEdit* line : window->findChildren<QLineEdit*>())
            connect(line, &QLineEdit::returnPressed, this, [&returned] { ++returned; });
        QTest::keyClick(from, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), tabbed);
        QTest::keyClick(tabbed, Qt::Key_Enter);
        QCOMPARE(returned, 0);
        QVERIFY(child("P4")->isVisible());
        QVERIFY(diz->Testata.isEditing());
        QCOMPARE(diz->Testata.text("rag_soc"), QStringLiteral("ROSSIX"));
        QVERIFY(boxes.errors.isEmpty());
    }

    // ------------------------------------------------------------ the list

    void sentRowsArePaintedWhiteOnRed_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<int>("width");
        QTest::newRow("right-aligned total") << "tot_doc" << 90;
        QTest::newRow("centred type") << "tipo_doc" << 70;
        QTest::newRow("name wider than its cell") << "rag_soc" << 40;
    }
    void sentRowsArePaintedWhiteOnRed() {
        QFETCH(QString, field);
        QFETCH(int, width);
        storedInvoice("COSTRUZIONI EDILI ROSSI MARIO SRL", true, 0);
        testdb::exec(kDb, "update testata set tipo_doc='TD01'");
        storedInvoice("BIANCHI", false, 0);
        testdb::exec(kDb, "insert into testata (rag_soc, inviata, tot_doc) values ('VERDI', null, '1,00')");
        diz->Testata.refresh();
        const auto& columns = child<DBGrid>("DBGrid1")->datasetModel()->columns();
        const auto column = std::find_if(columns.begin(), columns.end(), [&](const GridColumn& c) { return c.field == field; });
        QVERIFY(column != columns.end());

        const QColor background(90, 90, 90);
        const QRect cell(20, 10, width, 18);
        auto paint = [&](int row, bool* painted) {
            QImage image(200, 40, QImage::Format_RGB32);
            image.fill(background);
            QStyleOptionViewItem option;
            option.rect = cell;
            option.font = QFont(QStringLiteral("DejaVu Sans"), 9);
            option.font.setStyleStrategy(QFont::NoAntialias);
            option.displayAlignment = column->alignment;
            QPainter painter(&image);
            *painted = TElenco_Fatt::DBGrid1DrawColumnCell(&painter, option, diz->Testata.recordAt(row), *column);
            return image;
        };

        bool painted = false;
        const QImage sent = paint(0, &painted);
        QVERIFY(painted);
        int left = INT_MAX, top = INT_MAX, white = 0;
        for (int y = 0; y < sent.height(); ++y) {
            for (int x = 0; x < sent.width(); ++x) {
                const QColor pixel = sent.pixelColor(x, y);
                if (!cell.contains(x, y)) {
                    QVERIFY2(pixel == background, qPrintable(QStringLiteral("outside at %1,%2").arg(x).arg(y)));
                } else if (pixel == QColor(255, 255, 255)) {
                    ++white;
                    left = qMin(left, x);
                    top = qMin(top, y);
                } else {
                    QVERIFY2(pixel == QColor(255, 0, 0), qPrintable(QStringLiteral("inside at %1,%2").arg(x).arg(y)));
                }
            }
        }
        QVERIFY(white > 0);
        QVERIFY2(left >= cell.left() + 2 && left <= cell.left() + 4, qPrintable(QString::number(left - cell.left())));
        QVERIFY2(top >= cell.top() + 2 && top <= cell.top() + 6, qPrintable(QString::number(top - cell.top())));

        for (int unsent : {1, 2}) { // inviata false, inviata null
            const QImage untouched = paint(unsent, &painted);
            QVERIFY(!painted);
            QCOMPARE(untouched.pixelColor(cell.center()), background);
        }
    }

    void theListPaintsSentRowsThroughTheHook() {
        storedInvoice("ROSSI", true, 0);
        storedInvoice("BIANCHI", false, 0);
        auto* grid = child<DBGrid>("DBGrid1");
        const QImage shot = grid->viewport()->grab().toImage();
        const int total = 5; // "Totale"
        const QRect sentCell = grid->visualRect(grid->model()->index(0, total));
        const QRect unsentCell = grid->visualRect(grid->model()->index(1, total));
        QCOMPARE(shot.pixelColor(sentCell.right() - 2, sentCell.center().y()), QColor(255, 0, 0));
        QVERIFY(shot.pixelColor(unsentCell.right() - 2, unsentCell.center().y()) != QColor(255, 0, 0));
    }

    void nuovaTwiceGivesConsecutiveHeadersWithDefaults() {
        storedInvoice("ROSSI", false, 0);
        const int first = newInvoice();
        const int second = newInvoice();
        QCOMPARE(second, first + 1);
        QCOMPARE(count("select count(*) from testata"), 3);
        QCOMPARE(diz->Testata.state(), Dataset::State::Browse);
        QVERIFY(!child("P4")->isVisible());
        auto* grid = child<DBGrid>("DBGrid1");
        QCOMPARE(grid->currentIndex().row(), 2);
        for (int id : {first, second}) {
            QCOMPARE(storedRow("select tipo_doc, tipo_pag, mod_pag, rag_soc from testata where id_invio=?", {id}),
                     QStringList({"TD01", "TP02", "MP01", ""}));
            const int row = id - first + 1;
            QCOMPARE(grid->model()->index(row, 0).data().toInt(), id);
            QCOMPARE(grid->model()->index(row, 2).data().toString(), QStringLiteral("TD01"));
            QCOMPARE(grid->model()->index(row, 6).data().toString(), QStringLiteral("TP02"));
            QCOMPARE(grid->model()->index(row, 7).data().toString(), QStringLiteral("MP01"));
        }
    }

    // ------------------------------------------------------------ deleting an e-invoice

    void eliminaFattura_data() {
        QTest::addColumn<bool>("sent");
        QTest::addColumn<bool>("answer");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<QStringList>("questions");
        QTest::addColumn<bool>("deleted");
        const QStringList asked{"Confermi Eliminazione Fattura: ?"};
        QTest::newRow("sent") << true << true << QStringList{"Operazione non possibile... Fattura Inviata"}
                              << QStringList() << false;
        QTest::newRow("answered No") << false << false << QStringList() << asked << false;
        QTest::newRow("confirmed") << false << true << QStringList() << asked << true;
    }
    void eliminaFattura() {
        QFETCH(bool, sent);
        QFETCH(bool, answer);
        QFETCH(QStringList, messages);
        QFETCH(QStringList, questions);
        QFETCH(bool, deleted);
        const int other = storedInvoice("BIANCHI", false, 2);
        const int id = storedInvoice("ROSSI", sent, 5);
        testdb::exec(kDb, "insert into test_dati (id_invio, tipo) values (?, 'DatiContratto')", {id});
        testdb::exec(kDb, "insert into dati_acquisto (id_invio, tipo, n_linea, id_documento) values (?, 'DatiContratto', 1, 'C-7')",
                     {id});
        diz->Testata.refresh();
        QCOMPARE(diz->Detta.recordCount(), 5);

        boxes.answers << answer;
        click("BitBtn16");
        QCOMPARE(boxes.messages, messages);
        QCOMPARE(boxes.questions, questions);
        QVERIFY2(boxes.errors.isEmpty(), qPrintable(boxes.errors.join('\n')));
        QCOMPARE(count("select count(*) from testata where id_invio=?", {id}), deleted ? 0 : 1);
        QCOMPARE(count("select count(*) from dettaglio where id_invio=?", {id}), deleted ? 0 : 5);
        QCOMPARE(count("select count(*) from dettaglio where id_invio=?", {other}), 2);
        QCOMPARE(count("select count(*) from test_dati where id_invio=?", {id}), 1);
        QCOMPARE(count("select count(*) from dati_acquisto where id_invio=?", {id}), 1);
        QCOMPARE(diz->Testata.recordCount(), deleted ? 1 : 2);
        QCOMPARE(diz->Detta.recordCount(), deleted ? 2 : 5); // the list shows the lines of the row now current
    }

    void aFailedHeaderDeleteKeepsTheLinesToo() {
        const int id = storedInvoice("ROSSI", false, 5);
        execDirect("create trigger keep_headers before delete on testata for each row "
                   "signal sqlstate '45000' set message_text = 'headers are kept'");

        boxes.answers << true;
        QVERIFY_THROWS_EXCEPTION(DatabaseError, window->BitBtn16Click());
        boxes.answers << true;
        click("BitBtn16");
        QCOMPARE(boxes.errors.size(), 1);
        QVERIFY2(boxes.errors.first().contains("headers are kept"), qPrintable(boxes.errors.first()));

        QCOMPARE(count("select count(*) from testata where id_invio=?", {id}), 1);
        QCOMPARE(count("select count(*) from dettaglio where id_invio=?", {id}), 5);
        QSqlQuery open(diz->xml_conn.qtDatabase());
        QVERIFY(open.exec("select @@in_transaction") && open.next());
        QCOMPARE(open.value(0).toInt(), 0);
        QCOMPARE(currentId(), id);
        QCOMPARE(diz->Testata.state(), Dataset::State::Browse);
        QCOMPARE(diz->Detta.recordCount(), 5);

        // Mended, the same button deletes the whole e-invoice.
        execDirect("drop trigger keep_headers");
        boxes.answers << true;
        click("BitBtn16");
        QCOMPARE(boxes.errors.size(), 1);
        QCOMPARE(count("select count(*) from testata"), 0);
        QCOMPARE(count("select count(*) from dettaglio"), 0);
    }

    // ------------------------------------------------------------ header editor

    void annullaRestoresWhatWasTyped_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<bool>("sent");
        QTest::addColumn<QString>("typed"); // empty: the control is clicked
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("edited"); // the edit buffer before "Annulla"
        QTest::newRow("customer name") << "DBEdit3" << false << "nuovo nome" << "rag_soc" << "NUOVO NOME";
        QTest::newRow("sent flag ticked") << "DBCheckBox1" << false << "" << "inviata" << "true";
        QTest::newRow("sent flag cleared") << "DBCheckBox1" << true << "" << "inviata" << "false";
    }
    void annullaRestoresWhatWasTyped() {
        QFETCH(QString, control);
        QFETCH(bool, sent);
        QFETCH(QString, typed);
        QFETCH(QString, field);
        QFETCH(QString, edited);
        const int id = storedInvoice("ROSSI SPA", sent, 0);
        const QStringList before = storedRow("select * from testata where id_invio=?", {id});
        const Record shown = diz->Testata.currentRecord();
        click("BitBtn11");
        auto* box = qobject_cast<QCheckBox*>(child(control.toLatin1()));
        auto* line = qobject_cast<QLineEdit*>(child(control.toLatin1()));
        if (box) {
            QCOMPARE(box->isChecked(), sent);
            QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2)); // on the box itself
            QCOMPARE(box->isChecked(), !sent);
        } else {
            line->selectAll();
            QTest::keyClicks(line, typed);
            QCOMPARE(line->text(), edited);
        }
        QVERIFY(diz->Testata.isEditing());
        QCOMPARE(diz->Testata.text(field), edited);

        click("BitBtn14");
        QVERIFY(!child("P4")->isVisible());
        QCOMPARE(diz->Testata.state(), Dataset::State::Browse);
        QCOMPARE(diz->Testata.currentRecord(), shown);
        if (box)
            QCOMPARE(box->isChecked(), sent);
        else
            QCOMPARE(line->text(), QStringLiteral("ROSSI SPA"));
        QCOMPARE(storedRow("select * from testata where id_invio=?", {id}), before);
        QVERIFY(boxes.errors.isEmpty());
    }

    void registraWithoutLinesEmptiesTheSummary() {
        const int id = newInvoice();
        testdb::exec(kDb, "update testata set aliquota='22', imponibile='10,00', imposta='2,20', tot_omaggio='1,00', "
                          "aliquota2='10', imponibile3='5,00', aliquota4='4', imposta4='0,20', sc_importo='9,00', "
                          "tot_doc='99,00' where id_invio=?",
                     {id});
        diz->Testata.refresh();
        click("BitBtn11");
        QCOMPARE(edit("DBEdit42")->text(), QStringLiteral("99,00"));
        click("BitBtn13");
        QVERIFY2(boxes.errors.isEmpty(), qPrintable(boxes.errors.join('\n')));
        QVERIFY(!child("P4")->isVisible());
        QCOMPARE(diz->Testata.state(), Dataset::State::Browse);
        const QStringList buckets = storedRow(
            "select aliquota, imponibile, imposta, tot_omaggio, aliquota2, imponibile2, imposta2, tot_omaggio2, "
            "aliquota3, imponibile3, imposta3, tot_omaggio3, aliquota4, imponibile4, imposta4 "
            "from testata where id_invio=?",
            {id});
        for (int i = 0; i < buckets.size(); ++i)
            QVERIFY2(buckets.at(i).isEmpty() || buckets.at(i) == "<null>", qPrintable(QString::number(i)));
        QCOMPARE(storedRow("select spese, sc_importo, tot_doc from testata where id_invio=?", {id}),
                 QStringList({"0,00", "0,00", "0,00"}));
        QCOMPARE(edit("DBEdit42")->text(), QStringLiteral("0,00"));
    }

    void aTotalsFailureKeepsTheEditorOpen_data() {
        QTest::addColumn<QString>("open");
        QTest::addColumn<QString>("save");
        QTest::addColumn<QString>("panel");
        QTest::newRow("header editor") << "BitBtn11" << "BitBtn13" << "P4";
        QTest::newRow("line editor") << "BitBtn7" << "BitBtn8" << "P3";
    }
    void aTotalsFailureKeepsTheEditorOpen() {
        QFETCH(QString, open);
        QFETCH(QString, save);
        QFETCH(QString, panel);
        const int id = storedInvoice("ROSSI", false, 1);
        testdb::exec(kDb, "update dettaglio set quantita='uno' where id_invio=?", {id});
        diz->Detta.refresh();
        const bool lineEditor = panel == "P3";
        click(open.toLatin1());
        if (lineEditor) {
            edit("Edit1")->setText("Nuova riga");
            typeLine("1", "10", "", "");
        }
        click(save.toLatin1());
        QCOMPARE(boxes.errors.size(), 1);
        QVERIFY(child(panel.toLatin1())->isVisible());
        if (lineEditor) {
            QCOMPARE(edit("Edit1")->text(), QStringLiteral("Nuova riga"));
            QCOMPARE(edit("Edit10")->text(), QStringLiteral("10,000"));
        }
    }

    // ------------------------------------------------------------ line editor

    void lineArithmeticOnLeavingTheControls_data() {
        QTest::addColumn<QString>("quantity");
        QTest::addColumn<QString>("price");
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("percentage");
        QTest::addColumn<QStringList>("shown"); // Edit2, Edit7, Edit8, Edit9, Edit10
        QTest::newRow("discount") << "3" << "10" << "SC" << "10" << QStringList{"3,00", "10,000", "10,00", "3,00", "27,000"};
        QTest::newRow("surcharge") << "3" << "10" << "MG" << "10" << QStringList{"3,00", "10,000", "10,00", "3,00", "33,000"};
        QTest::newRow("no type") << "3" << "10" << "" << "10" << QStringList{"3,00", "10,000", "", "", "30,000"};
        QTest::newRow("letters as quantity") << "tre" << "10" << "SC" << "10"
                                             << QStringList{"0,00", "10,000", "10,00", "0,00", "0,000"};
        QTest::newRow("letters as percentage") << "3" << "10" << "SC" << "dieci"
                                               << QStringList{"3,00", "10,000", "", "0,00", "30,000"};
        QTest::newRow("price beyond single precision") << "1" << "1234567,89" << "" << ""
                                                       << QStringList{"1,00", "1234567,890", "", "", "1234567,875"};
    }
    void lineArithmeticOnLeavingTheControls() {
        QFETCH(QString, quantity);
        QFETCH(QString, price);
        QFETCH(QString, type);
        QFETCH(QString, percentage);
        QFETCH(QStringList, shown);
        newInvoice();
        click("BitBtn7");
        QVERIFY(child("P3")->isVisible());
        QCOMPARE(QApplication::focusWidget(), edit("Edit1"));
        typeLine(quantity, price, type, percentage);
        QStringList texts;
        for (const char* name : {"Edit2", "Edit7", "Edit8", "Edit9", "Edit10"})
            texts << edit(name)->text();
        QCOMPARE(texts, shown);
        QVERIFY(boxes.messages.isEmpty() && boxes.errors.isEmpty());
    }

    void anOverflowingNumberShowsErroreOnce_data() {
        QTest::addColumn<QString>("control");
        QTest::newRow("quantity") << "Edit2";
        QTest::newRow("price") << "Edit7";
    }
    void anOverflowingNumberShowsErroreOnce() {
        QFETCH(QString, control);
        newInvoice();
        click("BitBtn7");
        typeLine("3", "10", "SC", "10");
        QCOMPARE(edit("Edit10")->text(), QStringLiteral("27,000"));
        QLineEdit* number = edit(control.toLatin1());
        number->setFocus();
        number->setText("1" + QString(39, '0')); // beyond single precision
        edit("Edit1")->setFocus();
        QCOMPARE(boxes.messages, QStringList{"Errore"});
        QCOMPARE(edit("Edit9")->text(), QStringLiteral("3,00"));
        QCOMPARE(edit("Edit10")->text(), QStringLiteral("27,000"));
    }

    void typingStopsAtEachControlsLength_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<int>("length");
        for (const auto& [name, length] : QList<QPair<const char*, int>>{
                 {"Edit1", 100}, {"Edit2", 100}, {"Edit3", 4}, {"Edit4", 4}, {"Edit5", 35}, {"Edit6", 35},
                 {"Edit7", 12}, {"Edit8", 6}, {"Edit11", 20}})
            QTest::newRow(name) << name << length;
    }
    void typingStopsAtEachControlsLength() {
        QFETCH(QString, control);
        QFETCH(int, length);
        newInvoice();
        click("BitBtn7");
        QLineEdit* e = edit(control.toLatin1());
        e->clear();
        QTest::keyClicks(e, QString(length + 5, '7'));
        QCOMPARE(e->text().size(), length);
    }

    void linesAreNumberedOnFromTheLastOne() {
        const int id = newInvoice();
        for (const char* description : {"Uno", "Due", "Tre"}) {
            click("BitBtn7");
            edit("Edit1")->setText(description);
            typeLine("1", "10", "", "");
            click("BitBtn8");
            QVERIFY(!child("P3")->isVisible());
        }
        QCOMPARE(progs(id), QStringList({"1", "2", "3"}));
        QCOMPARE(count("select count(*) from dettaglio where id_invio=? and prog=1 and descrizione='Uno'", {id}), 1);

        child<DBGrid>("DBGrid2")->selectRow(1);
        QCOMPARE(diz->Detta.text("descrizione"), QStringLiteral("Due"));
        boxes.answers << true;
        click("BitBtn12");
        QCOMPARE(progs(id), QStringList({"1", "3"}));

        click("BitBtn7");
        edit("Edit1")->setText("Quattro");
        typeLine("1", "10", "", "");
        click("BitBtn8");
        QCOMPARE(progs(id), QStringList({"1", "3", "4"}));
        QCOMPARE(count("select count(*) from dettaglio where id_invio=? and prog=4 and descrizione='Quattro'", {id}), 1);
        QVERIFY(boxes.errors.isEmpty());
    }

    void eliminaRigaAsksAndLeavesTheTotals_data() {
        QTest::addColumn<bool>("answer");
        QTest::newRow("No") << false;
        QTest::newRow("Yes") << true;
    }
    void eliminaRigaAsksAndLeavesTheTotals() {
        QFETCH(bool, answer);
        const int id = newInvoice();
        for (const char* price : {"10", "5"}) {
            click("BitBtn7");
            edit("Edit1")->setText("Articolo");
            typeLine("2", price, "", "");
            click("BitBtn8");
        }
        QCOMPARE(testdb::scalar(kDb, "select tot_doc from testata where id_invio=?", {id}).toString(),
                 QStringLiteral("36,60"));
        const QStringList header = storedRow("select * from testata where id_invio=?", {id});

        child<DBGrid>("DBGrid2")->selectRow(0);
        boxes.answers << answer;
        click("BitBtn12");
        QCOMPARE(boxes.questions, QStringList{"Confermi Eliminazione Riga: ?"});
        QCOMPARE(progs(id), answer ? QStringList{"2"} : QStringList({"1", "2"}));
        QCOMPARE(diz->Detta.recordCount(), answer ? 1 : 2);
        QCOMPARE(storedRow("select * from testata where id_invio=?", {id}), header);
        QVERIFY(boxes.errors.isEmpty());
    }

    void modRigaShowsTheStoredKindsAndSavesThemBack() {
        const int id = newInvoice();
        testdb::exec(kDb,
                     "insert into dettaglio (id_invio, prog, descrizione, codice_tipo, codice_val, um, quantita, "
                     "prezzo_unit, sc_tipo, sc_perc, sc_importo, prezzo_tot, aliquota, natura, tipo_cessione, "
                     "ritenuta, rif_amm) values (?, 1, 'Premio fedelta', 'EAN', '8001234', 'PZ', '3,00', '10,000', "
                     "'SC', '10,00', '3,00', '27,000', '0', 'N4', 'PR', 'SI', 'RIF-7')",
                     {id});
        diz->Detta.refresh();
        const QString lineSql = QStringLiteral("select * from dettaglio where id_invio=? and prog=1");
        const QStringList stored = storedRow(lineSql, {id});

        click("BitBtn10");
        QCOMPARE(window->lineMode(), TElenco_Fatt::LineMode::Modify);
        QCOMPARE(QApplication::focusWidget(), edit("Edit1"));
        const QList<QPair<const char*, const char*>> selected{{"cb1", "SC"}, {"cb2", "PR"}, {"cb3", "SI"}, {"CB4", "N4"}};
        for (const auto& [name, item] : selected) {
            QCOMPARE(combo(name)->currentIndex(), combo(name)->findText(item));
            QCOMPARE(combo(name)->currentText(), QString::fromLatin1(item));
        }
        QCOMPARE(edit("DBEdit39")->text(), QStringLiteral("N4"));
        QCOMPARE(edit("Edit1")->text(), QStringLiteral("Premio fedelta"));
        QCOMPARE(edit("Edit10")->text(), QStringLiteral("27,000"));

        click("BitBtn8");
        QVERIFY2(boxes.errors.isEmpty(), qPrintable(boxes.errors.join('\n')));
        QCOMPARE(count("select count(*) from dettaglio"), 1);
        QCOMPARE(storedRow(lineSql, {id}), stored);

        // "Ins. Riga" after a "Mod. Riga" given up: the description stays, the numbers restart.
        click("BitBtn10");
        click("BitBtn9");
        QVERIFY(!child("P3")->isVisible());
        click("BitBtn7");
        QCOMPARE(window->lineMode(), TElenco_Fatt::LineMode::Insert);
        QCOMPARE(edit("Edit1")->text(), QStringLiteral("Premio fedelta"));
        QCOMPARE(edit("Edit2")->text(), QStringLiteral("0,00"));
        QCOMPARE(edit("Edit7")->text(), QStringLiteral("0,00"));
        click("BitBtn8");
        QCOMPARE(storedRow(lineSql, {id}), stored);
        QCOMPARE(storedRow("select prog, descrizione, quantita, prezzo_unit, tipo_cessione, natura from dettaglio "
                           "where id_invio=? and prog=2",
                           {id}),
                 QStringList({"2", "Premio fedelta", "0,00", "0,00", "PR", "N4"}));
    }

    // ------------------------------------------------------------ print

    void stampaShowsMancanzaDatiOnAnyFailure_data() {
        QTest::addColumn<bool>("invoice");
        QTest::addColumn<int>("preview"); // 0 none, 1 succeeds, 2 program error, 3 other exception
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<int>("calls");
        const QStringList missing{"Mancanza Dati"};
        QTest::newRow("no invoice") << false << 0 << missing << 0;
        QTest::newRow("preview succeeds") << true << 1 << QStringList() << 1;
        QTest::newRow("preview fails") << true << 2 << missing << 1;
        QTest::newRow("preview throws anything") << true << 3 << missing << 1;
    }
    void stampaShowsMancanzaDatiOnAnyFailure() {
        QFETCH(bool, invoice);
        QFETCH(int, preview);
        QFETCH(QStringList, messages);
        QFETCH(int, calls);
        if (invoice)
            storedInvoice("ROSSI", false, 1);
        int called = 0;
        if (preview)
            window->setPrintPreview([&called, preview] {
                ++called;
                if (preview == 2)
                    throw DatabaseError("no report data");
                if (preview == 3)
                    throw std::runtime_error("printer gone");
            });
        click("BitBtn17");
        QCOMPARE(boxes.messages, messages);
        QCOMPARE(called, calls);
        QVERIFY(boxes.errors.isEmpty());
    }

    // ------------------------------------------------------------ layout

    void gridColumnTitles_data() {
        QTest::addColumn<QString>("grid");
        QTest::addColumn<QStringList>("titles");
        QTest::newRow("invoices") << "DBGrid1"
                                  << QStringList{"Id. Invio", "Prot.", "Tipo Doc.", "Data Doc.", "N. Doc", "Totale",
                                                 "Tipo Pag.", "Mod. Pag.", "Ragione Sociale", "Trasportatore",
                                                 "indirizzo", "CAP", "Comune", "Prov", "Nazione", "Partita Iva",
                                                 "Codice Fiscale", "Cod. Destin.", "Casella PEC", "dest_soc",
                                                 "dest_indir", "dest_cap", "dest_comune"};
        QTest::newRow("lines") << "DBGrid2"
                               << QStringList{"Prog", "Descrizione", "UM", "Quantita", "Prezzo Unit.", "Imp. Totale",
                                              "Aliquota", "natura", "Premio/Abb", "Tipo Sc.", "Perc. Sc.",
                                              "Importo Sc.", "Tipo Cod.", "Valore Cod."};
        QTest::newRow("reference groups") << "DBGrid3" << QStringList{"Tipo"};
        QTest::newRow("reference rows") << "DBGrid4"
                                        << QStringList{"N.Linea", "Documento", "Data", "Numero", "CUP", "CIG",
                                                       "Codice Commessa"};
    }
    void gridColumnTitles() {
        QFETCH(QString, grid);
        QFETCH(QStringList, titles);
        QCOMPARE(headerTitles(child<DBGrid>(grid.toLatin1())), titles);
    }

    void invoiceListPickListsAndAlignment() {
        const auto& columns = child<DBGrid>("DBGrid1")->datasetModel()->columns();
        QHash<QString, GridColumn> byField;
        for (const GridColumn& c : columns)
            byField.insert(c.field, c);
        QCOMPARE(byField.value("tipo_doc").pickList, QStringList({"TD01", "TD04", "TD05"}));
        QCOMPARE(byField.value("tipo_pag").pickList, QStringList({"TP01", "TP02"}));
        QCOMPARE(byField.value("mod_pag").pickList, QStringList({"MP01", "MP02", "MP05", "MP12"}));
        for (const char* right : {"num_doc", "tot_doc"})
            QVERIFY(byField.value(right).alignment & Qt::AlignRight);
        for (const char* centred : {"tipo_doc", "data_doc", "tipo_pag", "mod_pag"})
            QVERIFY(byField.value(centred).alignment & Qt::AlignHCenter);
        QCOMPARE(child<DBGrid>("DBGrid2")->editTriggers(), QAbstractItemView::NoEditTriggers);
        QCOMPARE(child<DBGrid>("DBGrid2")->selectionBehavior(), QAbstractItemView::SelectRows);
    }

    void navigatorButtonSets_data() {
        QTest::addColumn<QString>("navigator");
        QTest::addColumn<int>("buttons");
        const int moves = DBNavigator::First | DBNavigator::Prior | DBNavigator::Next | DBNavigator::Last;
        const int edits = DBNavigator::Edit | DBNavigator::Post | DBNavigator::Cancel | DBNavigator::Refresh;
        QTest::newRow("invoices") << "DBNavigator1" << (moves | DBNavigator::Delete | edits);
        QTest::newRow("lines") << "DBNavigator2" << (moves | edits);
        QTest::newRow("reference groups") << "DBNavigator3" << (DBNavigator::Insert | DBNavigator::Delete | edits);
        QTest::newRow("reference rows") << "DBNavigator4" << (DBNavigator::Insert | DBNavigator::Delete | edits);
    }
    void navigatorButtonSets() {
        QFETCH(QString, navigator);
        QFETCH(int, buttons);
        auto* nav = child<DBNavigator>(navigator.toLatin1());
        for (int bit = 1; bit < DBNavigator::All; bit <<= 1)
            QCOMPARE(nav->button(DBNavigator::Button(bit)) != nullptr, bool(buttons & bit));
        QCOMPARE(nav->findChildren<QToolButton*>().size(), qPopulationCount(quint32(buttons)));
    }
};

QTEST_MAIN(TestWorkbench)
#include "test_workbench.moc"
