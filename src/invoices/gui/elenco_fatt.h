#pragma once

#include <QDialog>
#include <QHash>
#include <QPointer>
#include <functional>

class DBCheckBox;
class DBComboBox;
class DBEdit;
class DBGrid;
class DBNavigator;
class MaskEdit;
class QComboBox;
class QLabel;
class QLineEdit;
class QPainter;
class QPushButton;
class QStyleOptionViewItem;
class Record;
class TDiz;
struct GridColumn;

// The invoice workbench: the list of issued e-invoices with their lines, the
// header editor (P4), the line editor (P3), the legend (P2) and the buttons that
// act on a whole e-invoice. Every control works on the shared datasets, so the
// row current here is the one the XML writers, the sending and the print use.
class TElenco_Fatt : public QDialog {
    Q_OBJECT
public:
    explicit TElenco_Fatt(TDiz& diz, QWidget* parent = nullptr);

    // The customer and article windows opened by "Sel. Cliente" and
    // "Articoli Magazzino"; either may be null, and then its button does nothing.
    void setPickWindows(QDialog* customers, QDialog* articles);
    // The print preview of the current e-invoice; any error it raises shows
    // "Mancanza Dati". Without one, "Stampa" only checks that there is an e-invoice.
    void setPrintPreview(std::function<void()> preview) { m_printPreview = std::move(preview); }

    // Window events.
    void FormShow();
    // Enter moves on as Tab does; the key is set to 0 when it has been consumed.
    void FormKeyPress(int& key);

    // Main page.
    void BitBtn1Click();
    void BitBtn2Click();
    void BitBtn3Click();
    void BitBtn4Click();
    void BitBtn5Click();
    void BitBtn6Click();
    void BitBtn11Click();
    void BitBtn15Click();
    void BitBtn16Click();
    void BitBtn17Click();
    void BitBtn18Click();
    void BitBtn19Click();
    void BitBtn20Click();
    void BitBtn21Click();

    // Header editor.
    void BitBtn13Click();
    void BitBtn14Click();

    // Line editor.
    void BitBtn7Click();
    void BitBtn8Click();
    void BitBtn9Click();
    void BitBtn10Click();
    void BitBtn12Click();
    void Edit2Exit();
    void Edit7Exit();
    void Edit8Exit();
    void cb1Exit();
    void RecalcLineEditor();

    // Paints a cell of a sent e-invoice white on red; false leaves the cell to the grid.
    static bool DBGrid1DrawColumnCell(QPainter* painter, const QStyleOptionViewItem& option,
                                      const Record& row, const GridColumn& column);

    enum class LineMode { Insert, Modify };
    LineMode lineMode() const { return m_lineMode; }

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildMainPage();
    void buildLegend();
    void buildHeaderEditor();
    void buildLineEditor();
    QPushButton* button(const char* name, const QString& caption, QWidget* parent,
                        void (TElenco_Fatt::*handler)());
    void onExit(QWidget* control, void (TElenco_Fatt::*handler)());
    void cover(QWidget* overlay, QWidget* covered);
    QLabel* label(const QString& text, QWidget* parent);

    TDiz& m_diz;
    QPointer<QDialog> m_customers;
    QPointer<QDialog> m_articles;
    std::function<void()> m_printPreview;
    LineMode m_lineMode = LineMode::Insert;
    QHash<QObject*, void (TElenco_Fatt::*)()> m_exitHandlers;
    QHash<QObject*, QWidget*> m_covered; // overlay panel -> the controls it hides
    int m_labelCount = 0;

    QWidget* Panel1 = nullptr;
    QWidget* m_listArea = nullptr; // the part of the main page the line editor covers
    QWidget* P2 = nullptr;
    QWidget* P3 = nullptr;
    QWidget* P4 = nullptr;
    DBGrid* DBGrid1 = nullptr;
    DBGrid* DBGrid2 = nullptr;
    MaskEdit* M1 = nullptr;

    QLineEdit *Edit1 = nullptr, *Edit2 = nullptr, *Edit3 = nullptr, *Edit4 = nullptr,
              *Edit5 = nullptr, *Edit6 = nullptr, *Edit7 = nullptr, *Edit8 = nullptr,
              *Edit9 = nullptr, *Edit10 = nullptr, *Edit11 = nullptr;
    QComboBox *cb1 = nullptr, *cb2 = nullptr, *cb3 = nullptr, *CB4 = nullptr;
    DBEdit* DBEdit39 = nullptr;
};
