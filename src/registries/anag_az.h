#pragma once

#include <QDialog>

class TDiz;

// The company's own data.
class Tanag_az : public QDialog {
    Q_OBJECT
public:
    explicit Tanag_az(TDiz& diz, QWidget* parent = nullptr);

private:
    TDiz& m_diz;
};
