#pragma once

#include <QDialog>

class TDiz;

// The company's own data: one row of azienda, every control bound to AziendaT.
// The window keeps no state and validates nothing; the XML writers and the prints
// read the same row (unposted changes included).
class Tanag_az : public QDialog {
    Q_OBJECT
public:
    explicit Tanag_az(TDiz& diz, QWidget* parent = nullptr);

private:
    TDiz& m_diz;
};
