#pragma once

#include <memory>

class TMenu;
class TDiz;
class Tanag_az;
class TElenco_Fatt;
class TAnag_Cl;
class TAnag_Fo;
class TElenco_Carico;
class TArticoli;
class TSt_Fatt;

// Every window and the data module, created once in their fixed order and kept
// for the whole run.
class Program {
public:
    Program();
    ~Program();

    std::unique_ptr<TMenu> Menu;
    std::unique_ptr<TDiz> Diz;
    std::unique_ptr<Tanag_az> anag_az;
    std::unique_ptr<TElenco_Fatt> Elenco_Fatt;
    std::unique_ptr<TAnag_Cl> Anag_Cl;
    std::unique_ptr<TAnag_Fo> Anag_Fo;
    std::unique_ptr<TElenco_Carico> Elenco_Carico;
    std::unique_ptr<TArticoli> Articoli;
    std::unique_ptr<TSt_Fatt> St_Fatt;
};

// Builds the application and the program, shows the main window and runs the
// event loop until the main window closes.
int runProgram(int argc, char** argv);
