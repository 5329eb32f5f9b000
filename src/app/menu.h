#pragma once

#include <QWidget>

class QPushButton;
class TDiz;
class Tanag_az;
class TElenco_Fatt;
class TAnag_Cl;
class TAnag_Fo;
class TElenco_Carico;
class TArticoli;

// The main window: the title and seven buttons. The six function buttons stay
// disabled until "Accedi" has connected and opened every table.
class TMenu : public QWidget {
    Q_OBJECT
public:
    explicit TMenu(QWidget* parent = nullptr);

    struct Windows {
        TDiz* diz = nullptr;
        Tanag_az* anag_az = nullptr;
        TElenco_Fatt* elenco_fatt = nullptr;
        TAnag_Cl* anag_cl = nullptr;
        TAnag_Fo* anag_fo = nullptr;
        TElenco_Carico* elenco_carico = nullptr;
        TArticoli* articoli = nullptr;
    };
    void setWindows(const Windows& windows) { m_windows = windows; }

    void FormShow();
    void BitBtn7Click();
    void FormClose();

    QPushButton *B1, *B2, *B3, *B4, *B5, *B6, *BitBtn7;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    QList<QPushButton*> functionButtons() const { return {B1, B2, B3, B4, B5, B6}; }
    Windows m_windows;
};
