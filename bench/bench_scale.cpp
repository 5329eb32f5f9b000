// Years of invoices: 100,000 headers and 1,000,000 lines. Prints how long log-in
// takes to show the first list, one automatic re-read of the list, one move to the
// last row, and the peak memory of the program while doing so.
//
//   build/bench/bench_scale            fills "b_scale" when it is not filled yet
//   build/bench/bench_scale --refill   fills it anew
#include "data/diz.h"
#include "invoices/gui/elenco_fatt.h"
#include "platform/gui/dbgrid.h"
#include "support/testdb.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QSqlQuery>
#include <QTextStream>
#include <cstdio>

namespace {

const QString kDb = QStringLiteral("b_scale");
constexpr int kHeaders = 100000;
constexpr int kLinesPerHeader = 10;
constexpr int kRowsPerInsert = 2000;

// Peak resident memory in kB since the last reset.
long peakKb() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    return -1;
}

long currentKb() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    return -1;
}

// Linux resets the peak to the current size when "5" is written here.
void resetPeak() {
    QFile refs(QStringLiteral("/proc/self/clear_refs"));
    if (refs.open(QIODevice::WriteOnly))
        refs.write("5");
}

bool filled() {
    try {
        return testdb::scalar(kDb, QStringLiteral("select count(*) from dettaglio")).toInt() ==
               kHeaders * kLinesPerHeader;
    } catch (...) {
        return false;
    }
}

// Multi-row inserts in one transaction per table: round trips are what costs.
void fill() {
    testdb::createInvoicingDatabase(kDb);
    testdb::exec(kDb, QStringLiteral("insert into azienda (rag_soc, p_iva, path) values ('BENCH SRL', "
                                     "'01234567890', '/tmp/')"));
    QSqlDatabase db = testdb::connection(kDb);
    auto insertAll = [&](const QString& head, int count, const std::function<QString(int)>& row) {
        db.transaction();
        QString sql;
        for (int i = 0; i < count; ++i) {
            if (sql.isEmpty())
                sql = head;
            else
                sql += QLatin1Char(',');
            sql += row(i);
            if ((i + 1) % kRowsPerInsert == 0 || i + 1 == count) {
                QSqlQuery q(db);
                if (!q.exec(sql))
                    throw std::runtime_error("fill failed");
                sql.clear();
            }
        }
        db.commit();
    };
    insertAll(QStringLiteral("insert into testata (id_invio, rag_soc, indirizzo, cap, comune, prov, nazione, "
                             "p_iva, cod_fis, tipo_doc, data_doc, num_doc, tipo_pag, mod_pag, tot_doc, "
                             "imponibile, imposta, aliquota, esig_iva, inviata) values "),
              kHeaders, [](int i) {
                  return QStringLiteral("(%1,'CLIENTE NUMERO %1 S.R.L.','Via dei Mille %2','20100','Milano',"
                                        "'MI','IT','%3','%3','TD01','%4/%5/25','%1','TP02','MP05','1220,00',"
                                        "'1000,00','220,00','22','I',%6)")
                      .arg(i + 1)
                      .arg(i % 300)
                      .arg(10000000000LL + i)
                      .arg(1 + i % 28, 2, 10, QLatin1Char('0'))
                      .arg(1 + i % 12, 2, 10, QLatin1Char('0'))
                      .arg(i % 7 == 0 ? 1 : 0);
              });
    insertAll(QStringLiteral("insert into dettaglio (id_invio, prog, descrizione, um, quantita, prezzo_unit, "
                             "prezzo_tot, aliquota) values "),
              kHeaders * kLinesPerHeader, [](int i) {
                  return QStringLiteral("(%1,%2,'ARTICOLO DI PROVA %3','PZ','1,00','100,000','100,000','22')")
                      .arg(i / kLinesPerHeader + 1)
                      .arg(i % kLinesPerHeader + 1)
                      .arg(i % 5000);
              });
}

void drain() {
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const bool refill = app.arguments().contains(QStringLiteral("--refill"));
    QTextStream out(stdout);

    QElapsedTimer clock;
    if (refill || !filled()) {
        clock.start();
        fill();
        out << "fill: " << kHeaders << " headers, " << kHeaders * kLinesPerHeader << " lines in "
            << clock.elapsed() / 1000.0 << " s\n";
        out.flush();
    } else {
        out << "fill: database " << kDb << " already holds the rows (--refill to fill anew)\n";
    }

    drain();
    resetPeak();
    const long before = currentKb();

    TDiz diz;
    TElenco_Fatt window(diz);
    window.resize(1366, 740);
    clock.start();
    diz.login(QStringLiteral("127.0.0.1"), kDb);
    window.show();
    auto* grid = window.findChild<DBGrid*>(QStringLiteral("DBGrid1"));
    grid->repaint();
    drain();
    const qint64 loginMs = clock.elapsed();

    // What the 10-second timer does while the user only looks: nothing changed.
    clock.start();
    diz.Testata.refresh();
    drain();
    const qint64 quietRefreshMs = clock.elapsed();

    // And after another client added an invoice.
    testdb::exec(kDb, QStringLiteral("insert into testata (rag_soc) values ('NUOVO CLIENTE')"));
    clock.start();
    diz.Testata.refresh();
    drain();
    const qint64 changedRefreshMs = clock.elapsed();

    clock.start();
    diz.Testata.last();
    grid->scrollToBottom();
    grid->repaint();
    drain();
    const qint64 lastMs = clock.elapsed();

    clock.start();
    for (int i = 0; i < 200; ++i)
        diz.Testata.prior();
    drain();
    const qint64 priorMs = clock.elapsed();

    out << "rows: " << diz.Testata.recordCount() << " headers; lines of the current header: "
        << diz.Detta.recordCount() << "\n";
    out << "log-in to first list shown: " << loginMs << " ms\n";
    out << "automatic re-read, nothing changed: " << quietRefreshMs << " ms\n";
    out << "automatic re-read after another client's insert: " << changedRefreshMs << " ms\n";
    out << "move to the last row: " << lastMs << " ms\n";
    out << "200 moves back one row: " << priorMs << " ms\n";
    out << "memory: " << before / 1024 << " MB before log-in, peak " << peakKb() / 1024 << " MB\n";
    out.flush();
    testdb::exec(kDb, QStringLiteral("delete from testata where rag_soc='NUOVO CLIENTE'"));
    return 0;
}
