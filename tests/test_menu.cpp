// Start-up, the connection settings file and log-in, through the real main window.
#include "app/menu.h"
#include "app/program.h"
#include "data/diz.h"
#include "invoices/gui/elenco_fatt.h"
#include "support/recordingdialogs.h"
#include "support/testdb.h"

#include <QApplication>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

namespace {
const QString kDb = QStringLiteral("t_menu_abc"); // ten characters: the most log-in keeps
}

class TestMenu : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    std::unique_ptr<Program> program;
    RecordingDialogs boxes;

    void writeIni(const QByteArray& content) {
        QFile file(dir.filePath("ip.ini"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    QList<QPushButton*> functionButtons() {
        QList<QPushButton*> buttons;
        for (const char* name : {"B1", "B2", "B3", "B4", "B5", "B6"})
            buttons << program->Menu->findChild<QPushButton*>(name);
        return buttons;
    }
    bool buttonsEnabled() {
        for (QPushButton* b : functionButtons())
            if (!b->isEnabled())
                return false;
        return true;
    }
    bool anyButtonEnabled() {
        for (QPushButton* b : functionButtons())
            if (b->isEnabled())
                return true;
        return false;
    }
    void accedi() { QTest::mouseClick(program->Menu->findChild<QPushButton*>("BitBtn7"), Qt::LeftButton); }

private Q_SLOTS:
    void initTestCase() { QVERIFY(QDir::setCurrent(dir.path())); }
    void init() {
        testdb::createInvoicingDatabase(kDb);
        QFile::remove(dir.filePath("ip.ini"));
        program = std::make_unique<Program>();
        program->Menu->show();
        boxes.clear();
    }
    void cleanup() { program.reset(); }
    void cleanupTestCase() { testdb::dropDatabase(kDb); }

    void windowsExistWithTheirNames() {
        QCOMPARE(program->Menu->objectName(), QStringLiteral("TMenu"));
        const QStringList names{"Tanag_az", "TElenco_Fatt", "TAnag_Cl", "TAnag_Fo", "TElenco_Carico", "TArticoli", "TSt_Fatt"};
        for (const QString& name : names)
            QVERIFY2(program->Menu->findChild<QWidget*>(name), qPrintable(name));
        QCOMPARE(program->Menu->findChild<QPushButton*>("BitBtn7")->text(), QStringLiteral("Accedi"));
        QCOMPARE(functionButtons().at(5)->text(), QStringLiteral("Dati Azienda"));
        QVERIFY(!anyButtonEnabled());
        QVERIFY(program->Menu->findChild<QPushButton*>("BitBtn7")->isEnabled());
    }

    void noSettingsFileDoesNothing() {
        accedi();
        QVERIFY(!anyButtonEnabled());
        QVERIFY(boxes.errors.isEmpty() && boxes.messages.isEmpty());
        QVERIFY(!program->Diz->xml_conn.isConnected());
    }

    void loginCutsTheLinesAndOpensTheTables_data() {
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<QString>("caption");
        QTest::newRow("main register") << QByteArray("127.0.0.1\nt_menu_abc\nA\n") << "A";
        QTest::newRow("database of 14 characters") << QByteArray("127.0.0.1\r\nt_menu_abcdef\r\nB\r\n") << "B";
        QTest::newRow("two lines") << QByteArray("127.0.0.1\nt_menu_abc") << "";
        QTest::newRow("lines after the third ignored") << QByteArray("127.0.0.1\nt_menu_abc\nA\nxx\nyy\n") << "A";
    }
    void loginCutsTheLinesAndOpensTheTables() {
        QFETCH(QByteArray, ini);
        QFETCH(QString, caption);
        writeIni(ini);
        accedi();
        QVERIFY2(boxes.errors.isEmpty(), qPrintable(boxes.errors.join('\n')));
        QVERIFY(buttonsEnabled());
        QCOMPARE(program->Elenco_Fatt->windowTitle(), caption);
        QCOMPARE(program->Diz->xml_conn.database(), kDb);
        for (Dataset* table : program->Diz->tablesInOpeningOrder())
            QVERIFY2(table->isActive(), qPrintable(table->name()));
        program->Menu->close();
        for (Dataset* table : program->Diz->tablesInOpeningOrder())
            QVERIFY2(!table->isActive(), qPrintable(table->name()));
    }

    void failuresShowTheErrorAndKeepTheButtonsOff_data() {
        QTest::addColumn<QByteArray>("ini");
        QTest::newRow("server of 20 characters") << QByteArray("127.0.0.1xxxxxxxxxx\nt_menu_abc\nA\n");
        QTest::newRow("nothing listens") << QByteArray("127.0.0.2\nt_menu_abc\nA\n");
        QTest::newRow("unknown database") << QByteArray("127.0.0.1\nnessuno\nA\n");
        QTest::newRow("empty file") << QByteArray();
        QTest::newRow("binary") << QByteArray("\x00\xff\xfe\x01\n\x80\x81\x00\nA", 11);
    }
    void failuresShowTheErrorAndKeepTheButtonsOff() {
        QFETCH(QByteArray, ini);
        writeIni(ini);
        accedi();
        QCOMPARE(boxes.errors.size(), 1);
        QVERIFY(!anyButtonEnabled());
        QVERIFY(program->Diz->xml_conn.server().size() <= 15);
        for (Dataset* table : program->Diz->tablesInOpeningOrder())
            QVERIFY(!table->isActive());
    }

    void serverNameKeepsFifteenCharacters() {
        writeIni("127.0.0.1xxxxxxxxxx\nt_menu_abc\nA\n");
        accedi();
        QCOMPARE(program->Diz->xml_conn.server(), QStringLiteral("127.0.0.1xxxxxx"));
    }

    void missingTableLeavesTheEarlierOnesOpen() {
        testdb::exec(kDb, "drop table clienti");
        writeIni("127.0.0.1\nt_menu_abc\nA\n");
        accedi();
        QCOMPARE(boxes.errors.size(), 1);
        QVERIFY2(boxes.errors.first().contains("clienti"), qPrintable(boxes.errors.first()));
        QVERIFY(!anyButtonEnabled());
        TDiz& diz = *program->Diz;
        QVERIFY(diz.AziendaT.isActive() && diz.Testata.isActive() && diz.Detta.isActive());
        for (Dataset* later : {&diz.Clienti, &diz.Fornitori, &diz.Testa_Car, &diz.Articoli, &diz.ContrattoD})
            QVERIFY(!later->isActive());
        // Mended, the user presses "Accedi" again.
        testdb::createInvoicingDatabase(kDb);
        accedi();
        QVERIFY(buttonsEnabled());
    }

    void buttonsOpenTheirWindowsModally() {
        writeIni("127.0.0.1\nt_menu_abc\nA\n");
        accedi();
        const QList<QPair<const char*, const char*>> pairs{{"B1", "TElenco_Fatt"}, {"B2", "TAnag_Cl"},
                                                           {"B3", "TElenco_Carico"}, {"B4", "TAnag_Fo"},
                                                           {"B5", "TArticoli"}, {"B6", "Tanag_az"}};
        for (const auto& [button, window] : pairs) {
            QString shown;
            QTimer::singleShot(0, [&] {
                QWidget* modal = QApplication::activeModalWidget();
                shown = modal ? modal->objectName() : QString();
                if (modal)
                    modal->close();
            });
            QTest::mouseClick(program->Menu->findChild<QPushButton*>(button), Qt::LeftButton);
            QCOMPARE(shown, QString::fromLatin1(window));
        }
    }
};

QTEST_MAIN(TestMenu)
#include "test_menu.moc"
