#pragma once

#include <QPointer>
#include <QWidget>

class DataSource;
class QToolButton;

// A navigator bar over a data source with a chosen set of buttons. Buttons are
// named as the toolkit names them (nbFirst ... nbRefresh) so tests can find them.
class DBNavigator : public QWidget {
    Q_OBJECT
public:
    enum Button {
        First = 1 << 0, Prior = 1 << 1, Next = 1 << 2, Last = 1 << 3, Insert = 1 << 4,
        Delete = 1 << 5, Edit = 1 << 6, Post = 1 << 7, Cancel = 1 << 8, Refresh = 1 << 9,
        All = (1 << 10) - 1
    };
    explicit DBNavigator(QWidget* parent = nullptr);
    void bind(DataSource* source, int buttons);
    QToolButton* button(Button which) const;

    // The standard question before a delete.
    static QString deleteQuestion() { return QStringLiteral("Eliminare il record?"); }

private:
    void updateButtons();

    QPointer<DataSource> m_source;
    QList<QPair<Button, QToolButton*>> m_buttons;
};
