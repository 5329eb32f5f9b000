#include "app/program.h"

#include "app/menu.h"
#include "articles/articoli.h"
#include "data/diz.h"
#include "invoices/gui/elenco_fatt.h"
#include "platform/gui/errorguard.h"
#include "print/st_fatt.h"
#include "purchases/elenco_carico.h"
#include "registries/anag_az.h"
#include "registries/anag_cl.h"
#include "registries/anag_fo.h"

#include <QApplication>

Program::Program() {
    Menu = std::make_unique<TMenu>();
    Diz = std::make_unique<TDiz>();
    anag_az = std::make_unique<Tanag_az>(*Diz, Menu.get());
    Elenco_Fatt = std::make_unique<TElenco_Fatt>(*Diz, Menu.get());
    Anag_Cl = std::make_unique<TAnag_Cl>(*Diz, Menu.get());
    Anag_Fo = std::make_unique<TAnag_Fo>(*Diz, Menu.get());
    Elenco_Carico = std::make_unique<TElenco_Carico>(*Diz, Menu.get());
    Articoli = std::make_unique<TArticoli>(*Diz, Menu.get());
    St_Fatt = std::make_unique<TSt_Fatt>(*Diz, Menu.get());
    Elenco_Fatt->setPickWindows(Anag_Cl.get(), Articoli.get());
    TMenu::Windows windows;
    windows.diz = Diz.get();
    windows.anag_az = anag_az.get();
    windows.elenco_fatt = Elenco_Fatt.get();
    windows.anag_cl = Anag_Cl.get();
    windows.anag_fo = Anag_Fo.get();
    windows.elenco_carico = Elenco_Carico.get();
    windows.articoli = Articoli.get();
    Menu->setWindows(windows);
}

Program::~Program() {
    // Windows go before the data module they are bound to; the menu (their parent) last.
    St_Fatt.reset();
    Articoli.reset();
    Elenco_Carico.reset();
    Anag_Fo.reset();
    Anag_Cl.reset();
    Elenco_Fatt.reset();
    anag_az.reset();
    Diz.reset();
    Menu.reset();
}

int runProgram(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationDisplayName(QStringLiteral("Fatturazione Elettronica"));
    installErrorBox();
    Program program;
    program.Menu->show();
    return app.exec();
}
