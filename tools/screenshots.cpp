// Pictures of the real windows over the demo data, for the README:
//   xvfb-run -a build/tools/screenshots docs
// Loads the demo data into its own database "t_shots" and drops it afterwards.
#include "app/menu.h"
#include "app/program.h"
#include "data/diz.h"
#include "invoices/gui/elenco_fatt.h"
#include "registries/anag_az.h"
#include "support/testdb.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTextStream>
#include <QThread>

namespace {

const QString kDb = QStringLiteral("t_shots");

void loadDemo() {
    testdb::createInvoicingDatabase(kDb);
    QFile file(QStringLiteral(PROJECT_SOURCE_DIR "/db/demo.sql"));
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error("cannot read db/demo.sql");
    const QString text = QString::fromUtf8(file.readAll());
    for (const QString& statement : text.split(QStringLiteral(";\n"))) {
        QStringList lines;
        for (const QString& line : statement.split(QLatin1Char('\n')))
            if (!line.trimmed().startsWith(QLatin1String("--")))
                lines << line;
        QString sql = lines.join(QLatin1Char('\n')).trimmed();
        if (sql.isEmpty() || sql.contains(QLatin1String("quova24.")))
            continue;
        sql.replace(QLatin1String("xml_quova."), kDb + QLatin1Char('.'));
        testdb::exec(kDb, sql);
    }
}

void settle(QWidget* w) {
    for (int i = 0; i < 20; ++i) {
        QApplication::processEvents();
        QThread::msleep(10);
    }
    w->repaint();
    QApplication::processEvents();
}

void shoot(QWidget* w, const QString& folder, const char* name) {
    settle(w);
    const QString path = QDir(folder).filePath(QString::fromLatin1(name));
    if (!w->grab().save(path))
        throw std::runtime_error(("cannot write " + path).toStdString());
    QTextStream(stdout) << path << "\n";
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("docs");
    QDir().mkpath(folder);
    try {
        loadDemo();
        Program program;
        program.Diz->login(QStringLiteral("127.0.0.1"), kDb);
        for (QPushButton* b : program.Menu->findChildren<QPushButton*>())
            b->setEnabled(true);
        program.Menu->show();
        shoot(program.Menu.get(), folder, "menu.png");

        TElenco_Fatt& workbench = *program.Elenco_Fatt;
        workbench.setWindowTitle(QStringLiteral("A"));
        workbench.resize(1366, 740);
        workbench.show();
        shoot(&workbench, folder, "workbench.png");
        workbench.BitBtn11Click();
        shoot(&workbench, folder, "header-editor.png");
        workbench.BitBtn14Click();
        workbench.BitBtn10Click();
        shoot(&workbench, folder, "line-editor.png");
        workbench.BitBtn9Click();
        workbench.hide();

        program.anag_az->show();
        shoot(program.anag_az.get(), folder, "company.png");
        program.anag_az->hide();
    } catch (const std::exception& e) {
        QTextStream(stderr) << e.what() << "\n";
        testdb::dropDatabase(kDb);
        return 1;
    }
    testdb::dropDatabase(kDb);
    return 0;
}
