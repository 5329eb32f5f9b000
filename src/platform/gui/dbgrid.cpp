#include "platform/gui/dbgrid.h"

#include "platform/core/dataset.h"
#include "platform/gui/errorguard.h"

#include <QComboBox>
#include <QHeaderView>
#include <QPainter>

DatasetModel::DatasetModel(QObject* parent) : QAbstractTableModel(parent) {}

Dataset* DatasetModel::dataset() const {
    return m_source ? m_source->dataset() : nullptr;
}

void DatasetModel::setSource(DataSource* source) {
    beginResetModel();
    for (const auto& c : std::as_const(m_connections))
        disconnect(c);
    m_connections.clear();
    m_source = source;
    if (Dataset* d = dataset()) {
        m_connections << connect(d, &Dataset::rowsReset, this, [this] {
            beginResetModel();
            endResetModel();
        });
        auto repaintAll = [this] {
            if (rowCount() > 0)
                Q_EMIT dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
        };
        m_connections << connect(d, &Dataset::rowsRefreshed, this, repaintAll);
        m_connections << connect(d, &Dataset::stateChanged, this, repaintAll);
        m_connections << connect(d, &Dataset::fieldChanged, this, [this] {
            Dataset* ds = dataset();
            const int row = ds->currentIndex();
            if (row >= 0 && row < rowCount())
                Q_EMIT dataChanged(index(row, 0), index(row, columnCount() - 1));
        });
    }
    endResetModel();
}

void DatasetModel::setColumns(const QVector<GridColumn>& columns) {
    beginResetModel();
    m_columns = columns;
    endResetModel();
}

int DatasetModel::rowCount(const QModelIndex& parent) const {
    Dataset* d = dataset();
    return parent.isValid() || !d || !d->isActive() ? 0 : d->recordCount();
}

int DatasetModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_columns.size();
}

QVariant DatasetModel::data(const QModelIndex& index, int role) const {
    Dataset* d = dataset();
    if (!d || !index.isValid())
        return QVariant();
    const GridColumn& column = m_columns.at(index.column());
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole: {
        try {
            return d->recordAt(index.row()).text(column.field);
        } catch (...) {
            return QVariant(); // a lost connection shows blank cells; the next action reports it
        }
    }
    case Qt::TextAlignmentRole:
        return int(column.alignment);
    default:
        return QVariant();
    }
}

bool DatasetModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    Dataset* d = dataset();
    if (!d || role != Qt::EditRole)
        return false;
    const GridColumn& column = m_columns.at(index.column());
    return guarded(nullptr, [&] {
        if (d->currentIndex() != index.row())
            d->moveTo(index.row());
        if (!d->isEditing())
            d->edit();
        d->setValue(column.field, value);
    });
}

QVariant DatasetModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section >= m_columns.size())
        return QAbstractTableModel::headerData(section, orientation, role);
    const GridColumn& column = m_columns.at(section);
    return column.title.isEmpty() ? column.field : column.title;
}

Qt::ItemFlags DatasetModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (!m_readOnly && index.isValid() && !m_columns.at(index.column()).readOnly)
        f |= Qt::ItemIsEditable;
    return f;
}

namespace {
class GridDelegate : public QStyledItemDelegate {
public:
    explicit GridDelegate(DBGrid* grid) : QStyledItemDelegate(grid), m_grid(grid) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        if (m_grid->drawCell()) {
            DatasetModel* model = m_grid->datasetModel();
            Record row;
            try {
                row = model->dataset()->recordAt(index.row());
            } catch (...) {
            }
            if (m_grid->drawCell()(painter, option, row, model->columns().at(index.column())))
                return;
        }
        QStyledItemDelegate::paint(painter, option, index);
    }

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        const GridColumn& column = m_grid->datasetModel()->columns().at(index.column());
        if (column.pickList.isEmpty())
            return QStyledItemDelegate::createEditor(parent, option, index);
        auto* combo = new QComboBox(parent);
        combo->setEditable(true);
        combo->addItems(column.pickList);
        return combo;
    }

    void setEditorData(QWidget* editor, const QModelIndex& index) const override {
        if (auto* combo = qobject_cast<QComboBox*>(editor)) {
            combo->setEditText(index.data(Qt::EditRole).toString());
            return;
        }
        QStyledItemDelegate::setEditorData(editor, index);
    }

    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override {
        if (auto* combo = qobject_cast<QComboBox*>(editor)) {
            model->setData(index, combo->currentText(), Qt::EditRole);
            return;
        }
        QStyledItemDelegate::setModelData(editor, model, index);
    }

private:
    DBGrid* m_grid;
};
} // namespace

DBGrid::DBGrid(QWidget* parent) : QTableView(parent), m_model(new DatasetModel(this)) {
    setModel(m_model);
    setItemDelegate(new GridDelegate(this));
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    verticalHeader()->setVisible(false);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed);
    connect(this, &QTableView::doubleClicked, this, [this] { Q_EMIT recordDoubleClicked(); });
}

void DBGrid::bind(DataSource* source, const QVector<GridColumn>& columns) {
    m_model->setColumns(columns);
    m_model->setSource(source);
    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                Dataset* d = m_model->dataset();
                if (m_following || !d || !current.isValid() || d->currentIndex() == current.row())
                    return;
                guarded(this, [&] { d->moveTo(current.row()); });
                followDataset(); // a refused move (a save that failed) puts the selection back
            });
    if (Dataset* d = m_model->dataset()) {
        connect(d, &Dataset::currentChanged, this, [this] { followDataset(); });
        connect(m_model, &QAbstractItemModel::modelReset, this, [this] { followDataset(); });
    }
    followDataset();
}

void DBGrid::setReadOnly(bool readOnly) {
    m_model->setReadOnly(readOnly);
    setEditTriggers(readOnly ? QAbstractItemView::NoEditTriggers
                             : QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                                   QAbstractItemView::AnyKeyPressed);
}

void DBGrid::followDataset() {
    Dataset* d = m_model->dataset();
    if (!d)
        return;
    const int row = d->currentIndex();
    if (row < 0 || row >= m_model->rowCount())
        return;
    const int column = currentIndex().isValid() ? currentIndex().column() : 0;
    if (currentIndex().row() == row)
        return;
    m_following = true;
    setCurrentIndex(m_model->index(row, column));
    m_following = false;
}
