// Sending: the addresses handed to the browser, the refusals, and the list the
// batch gives back.
#include "data/diz.h"
#include "invoices/gui/dispatch.h"
#include "platform/core/errors.h"
#include "support/recordingdialogs.h"
#include "support/testdb.h"

#include <QWidget>
#include <QtTest>

namespace {
const QString kDb = QStringLiteral("t_dispatch");
const QString kPrivate = QStringLiteral("http://localhost/Fatt_Ven/mail_sdi.php?nome_file=");
const QString kPublic = QStringLiteral("http://localhost/Fatt_Ven/mail_sdi_pa.php?nome_file=");
const QString kConfirmOne = QStringLiteral("Confermi invio a SDI ?");
const QString kConfirmAll = QStringLiteral("Confermi invio Fatture al SDI: ?");
const QString kAllHeaders = QStringLiteral("select * from testata");

struct Header {
    int id;
    QVariant name;
    QVariant sent;
};
using Headers = QList<Header>;
} // namespace

Q_DECLARE_METATYPE(Headers)

class TestDispatch : public QObject {
    Q_OBJECT
    std::unique_ptr<TDiz> diz;
    std::unique_ptr<RecordingDialogs> boxes;
    std::unique_ptr<RecordingUrlOpener> browser;
    QWidget owner;

    // Stored in the order given, which need not be the order of the ids.
    void store(const Headers& headers) {
        for (const Header& h : headers)
            testdb::exec(kDb, "insert into testata (id_invio, nome_file, inviata) values (?, ?, ?)",
                         {h.id, h.name, h.sent});
        diz->Testata.refresh();
    }
    // The message of what stopped the call; empty when nothing did.
    template <typename Call> QString stopOf(Call call) {
        try {
            call();
        } catch (const AppError& error) {
            return error.message();
        }
        return QString();
    }

private Q_SLOTS:
    void init() {
        diz.reset();
        testdb::createInvoicingDatabase(kDb);
        diz = std::make_unique<TDiz>();
        diz->login("127.0.0.1", kDb);
        boxes = std::make_unique<RecordingDialogs>();
        browser = std::make_unique<RecordingUrlOpener>();
    }
    void cleanup() {
        browser.reset();
        boxes.reset();
    }
    void cleanupTestCase() {
        diz.reset();
        testdb::dropDatabase(kDb);
    }

    void sendsTheCurrentInvoice_data() {
        QTest::addColumn<bool>("publicAdministration");
        QTest::addColumn<QVariant>("name");
        QTest::addColumn<QVariant>("sent");
        QTest::addColumn<bool>("answer");
        QTest::addColumn<QStringList>("opened");
        QTest::addColumn<QStringList>("questions");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<bool>("stops"); // refused with a message naming the invoice

        const QString file = QStringLiteral("IT01234567890_P0042.xml");
        const QVariant unsent = 0;
        QTest::newRow("Invio a SDI") << false << QVariant(file) << unsent << true
                                     << QStringList{kPrivate + file + "&n_invio=42"}
                                     << QStringList{kConfirmOne} << QStringList{} << false;
        QTest::newRow("Invio P.A.") << true << QVariant(file) << unsent << true
                                    << QStringList{kPublic + file + "&n_invio=42"}
                                    << QStringList{kConfirmOne} << QStringList{} << false;
        QTest::newRow("name with blank and ampersand unchanged")
            << false << QVariant("a b&c.xml") << unsent << true
            << QStringList{kPrivate + "a b&c.xml&n_invio=42"} << QStringList{kConfirmOne}
            << QStringList{} << false;
        QTest::newRow("NULL sent flag counts as not sent")
            << true << QVariant(file) << QVariant() << true
            << QStringList{kPublic + file + "&n_invio=42"} << QStringList{kConfirmOne}
            << QStringList{} << false;
        QTest::newRow("sent, private page")
            << false << QVariant(file) << QVariant(1) << true << QStringList{} << QStringList{}
            << QStringList{"Fattura gia inviata"} << false;
        QTest::newRow("sent, P.A. page")
            << true << QVariant(file) << QVariant(1) << true << QStringList{} << QStringList{}
            << QStringList{"Fattura gia inviata"} << false;
        QTest::newRow("answered No") << false << QVariant(file) << unsent << false << QStringList{}
                                     << QStringList{kConfirmOne} << QStringList{} << false;
        QTest::newRow("empty file name") << false << QVariant("") << unsent << true << QStringList{}
                                         << QStringList{kConfirmOne} << QStringList{} << true;
        QTest::newRow("NULL file name") << true << QVariant() << unsent << true << QStringList{}
                                        << QStringList{kConfirmOne} << QStringList{} << true;
    }
    void sendsTheCurrentInvoice() {
        QFETCH(bool, publicAdministration);
        QFETCH(QVariant, name);
        QFETCH(QVariant, sent);
        QFETCH(bool, answer);
        QFETCH(QStringList, opened);
        QFETCH(QStringList, questions);
        QFETCH(QStringList, messages);
        QFETCH(bool, stops);
        store({{7, "IT01234567890_P0007.xml", 0}, {42, name, sent}});
        QVERIFY(diz->Testata.locate({"id_invio"}, {42}));
        boxes->answers = {answer};

        const QString stop =
            stopOf([&] { dispatch::sendCurrent(*diz, &owner, publicAdministration); });

        QCOMPARE(browser->opened, opened);
        QCOMPARE(boxes->questions, questions);
        QCOMPARE(boxes->messages, messages);
        if (stops)
            QVERIFY2(stop.contains(QRegularExpression(QStringLiteral("\\b42\\b"))),
                     qPrintable(stop));
        else
            QCOMPARE(stop, QString());
        QCOMPARE(diz->Testata.value("id_invio").toInt(), 42);
    }

    void sendsEveryUnsentInvoice_data() {
        QTest::addColumn<Headers>("headers");
        QTest::addColumn<bool>("answer");
        QTest::addColumn<QStringList>("opened");
        QTest::addColumn<QString>("stoppedAt"); // the id the refusal names; empty when none

        const auto name = [](int id) {
            return QStringLiteral("IT01234567890_P%1.xml").arg(id, 4, 10, QLatin1Char('0'));
        };
        const auto address = [&](int id) {
            return kPrivate + name(id) + "&n_invio=" + QString::number(id);
        };
        QTest::newRow("three unsent, one sent, one NULL flag")
            << Headers{{4, name(4), 0},
                       {3, name(3), 1},
                       {1, name(1), 0},
                       {5, name(5), QVariant()},
                       {2, name(2), 0}}
            << true << QStringList{address(1), address(2), address(4)} << QString();
        QTest::newRow("none unsent") << Headers{{1, name(1), 1}, {2, name(2), QVariant()}} << true
                                     << QStringList{} << QString();
        QTest::newRow("answered No")
            << Headers{{1, name(1), 0}} << false << QStringList{} << QString();
        QTest::newRow("stopped by an invoice without file name")
            << Headers{{1, name(1), 0}, {2, QVariant(), 0}, {3, name(3), 0}, {4, name(4), 1}}
            << true << QStringList{address(1)} << QStringLiteral("2");
        QTest::newRow("stopped by an empty file name")
            << Headers{{1, "", 0}, {2, name(2), 0}} << true << QStringList{} << QStringLiteral("1");
    }
    void sendsEveryUnsentInvoice() {
        QFETCH(Headers, headers);
        QFETCH(bool, answer);
        QFETCH(QStringList, opened);
        QFETCH(QString, stoppedAt);
        store(headers);
        const QString sqlBefore = diz->Testata.sql();
        const QVariant flags = testdb::scalar(
            kDb, "select group_concat(coalesce(inviata, 'n') order by id_invio) from testata");
        boxes->answers = {answer};

        const QString stop = stopOf([&] { dispatch::sendUnsent(*diz, &owner); });

        QCOMPARE(browser->opened, opened);
        QCOMPARE(boxes->questions, QStringList{kConfirmAll});
        if (stoppedAt.isEmpty())
            QCOMPARE(stop, QString());
        else
            QVERIFY2(stop.contains(QRegularExpression(QStringLiteral("\\b%1\\b").arg(stoppedAt))),
                     qPrintable(stop));
        // The whole list is back, on its first row, whatever happened.
        QCOMPARE(diz->Testata.sql(), answer ? kAllHeaders : sqlBefore);
        QVERIFY(diz->Testata.isActive());
        QCOMPARE(diz->Testata.recordCount(), int(headers.size()));
        QCOMPARE(diz->Testata.currentIndex(), 0);
        QCOMPARE(
            testdb::scalar(
                kDb, "select group_concat(coalesce(inviata, 'n') order by id_invio) from testata"),
            flags);
    }
};

QTEST_MAIN(TestDispatch)
#include "test_dispatch.moc"
