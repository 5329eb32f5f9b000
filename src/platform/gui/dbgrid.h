#pragma once

#include "platform/core/record.h"

#include <QAbstractTableModel>
#include <QPointer>
#include <QStyledItemDelegate>
#include <QTableView>
#include <functional>

class DataSource;
class Dataset;

struct GridColumn {
    QString field;
    QString title; // empty: the field name shows
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter;
    QStringList pickList;
    bool readOnly = false;
};

// The rows of a dataset as a table, read on demand.
class DatasetModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit DatasetModel(QObject* parent = nullptr);
    void setSource(DataSource* source);
    void setColumns(const QVector<GridColumn>& columns);
    const QVector<GridColumn>& columns() const { return m_columns; }
    Dataset* dataset() const;
    void setReadOnly(bool readOnly) { m_readOnly = readOnly; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    QPointer<DataSource> m_source;
    QVector<GridColumn> m_columns;
    bool m_readOnly = false;
    QList<QMetaObject::Connection> m_connections;
};

// A data-aware grid: column definitions, the current row following the dataset
// and the dataset following the selected row, and an owner-draw hook per cell.
class DBGrid : public QTableView {
    Q_OBJECT
public:
    explicit DBGrid(QWidget* parent = nullptr);
    void bind(DataSource* source, const QVector<GridColumn>& columns);
    void setReadOnly(bool readOnly);
    DatasetModel* datasetModel() const { return m_model; }
    // Returns true when it painted the cell itself; `row` holds the row being drawn.
    using DrawCell = std::function<bool(QPainter*, const QStyleOptionViewItem&, const Record& row,
                                        const GridColumn& column)>;
    void setDrawCell(DrawCell draw) { m_drawCell = std::move(draw); }
    const DrawCell& drawCell() const { return m_drawCell; }

Q_SIGNALS:
    void recordDoubleClicked();

private:
    void followDataset();

    DatasetModel* m_model;
    DrawCell m_drawCell;
    bool m_following = false;
};
