#pragma once

#include <QDialog>

class TDiz;

// The warehouse articles.
class TArticoli : public QDialog {
    Q_OBJECT
public:
    explicit TArticoli(TDiz& diz, QWidget* parent = nullptr);

private:
    TDiz& m_diz;
};
