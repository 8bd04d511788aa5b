#include "qt/classroom/class_table_model.h"

#include <QBrush>
#include <QColor>

#include "catalogue/search_key.h"
#include "classroom/class_csv.h"

namespace {

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

}  // namespace

QColor stateColour(DesignState state) {
    // Six light colours told apart by hue, always beside their words; white for nothing handed in.
    switch (state) {
        case DesignState::Conforme:
            return QColor(196, 238, 196);  // green
        case DesignState::NonConforme:
            return QColor(250, 196, 196);  // red
        case DesignState::SansVerdict:
            return QColor(250, 232, 170);  // yellow
        case DesignState::Incomplete:
            return QColor(196, 218, 250);  // blue
        case DesignState::RepriseEnPartie:
            return QColor(228, 204, 246);  // violet
        case DesignState::NonRendu:
            return QColor(255, 255, 255);  // nothing handed in: no colour
        case DesignState::Illisible:
            break;
    }
    return QColor(214, 214, 214);  // grey
}

QString searchKey(const QString& text) {
    // Case, accents and ligatures aside: « Léa » and « lea », « Cœur » and « coeur » are one.
    const QString composed = text.normalized(QString::NormalizationForm_C);
    return QString::fromStdString(searchKey(composed.toStdString())).toCaseFolded();
}

namespace {

bool numeric(int column) {
    return column >= 5 && column <= 9;
}

}  // namespace

ClassTableModel::ClassTableModel(QObject* parent) : QAbstractTableModel(parent) {}

void ClassTableModel::setRows(std::vector<DesignRow> rows, std::string decimalSeparator) {
    beginResetModel();
    rows_ = std::move(rows);
    separator_ = std::move(decimalSeparator);
    endResetModel();
}

namespace {

// The search's cells into the row of the same file, once.
bool takeFix(DesignRow& row, const DesignRow& searched) {
    if (row.path != searched.path || !searched.fixSearched || row.fixSearched) return false;
    row.fix = searched.fix;
    row.commaTexts.fix = searched.commaTexts.fix;
    row.fixSearched = true;
    return true;
}

}  // namespace

void ClassTableModel::setFix(int row, const DesignRow& searched) {
    if (takeFix(rows_.at(std::size_t(row)), searched))
        emit dataChanged(index(row, kFixColumn), index(row, kFixColumn));
}

void ClassTableModel::setFixes(const std::vector<DesignRow>& searched) {
    if (searched.size() != rows_.size() || rows_.empty()) return;
    for (std::size_t i = 0; i < rows_.size(); ++i) takeFix(rows_[i], searched[i]);
    emit dataChanged(index(0, kFixColumn), index(int(rows_.size()) - 1, kFixColumn));
}

int ClassTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int ClassTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(classColumns().size());
}

QVariant ClassTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) return {};
    const DesignRow& row = rows_[index.row()];
    const int column = index.column();
    switch (role) {
        case Qt::DisplayRole:
        case Qt::ToolTipRole:
            return qs(classCell(row, column, separator_));
        case Qt::TextAlignmentRole:
            return numeric(column) ? int(Qt::AlignRight | Qt::AlignVCenter)
                                   : int(Qt::AlignLeft | Qt::AlignVCenter);
        case Qt::BackgroundRole:
            return column == 4 ? QBrush(stateColour(row.state)) : QVariant();
        case Qt::ForegroundRole:
            return column == 4 ? QBrush(Qt::black) : QVariant();
        case SortRole: {
            if (numeric(column)) {
                const std::optional<double> n = classNumber(row, column);
                return n ? QVariant(*n) : QVariant();
            }
            if (column == 3) return row.savedTime;
            if (column == 4) return static_cast<int>(row.state);
            const QString text = qs(classCell(row, column, separator_));
            return text.isEmpty() ? QVariant() : QVariant(text);
        }
        case StateRole:
            return static_cast<int>(row.state);
        case PathRole:
            return QByteArray::fromStdString(row.path);
        case RowRole:
            return index.row();
        default:
            return {};
    }
}

QVariant ClassTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    if (section < 0 || section >= columnCount()) return {};
    return qs(classColumns()[section]);
}

void ClassFilterModel::setState(int state) {
    state_ = state;
    invalidateFilter();
}

void ClassFilterModel::setSearch(const QString& text) {
    search_ = searchKey(text.trimmed());
    invalidateFilter();
}

bool ClassFilterModel::lessThan(const QModelIndex& left, const QModelIndex& right) const {
    const QVariant a = left.data(ClassTableModel::SortRole);
    const QVariant b = right.data(ClassTableModel::SortRole);
    // Empty cells last whichever way the column is sorted.
    const bool ascending = sortOrder() == Qt::AscendingOrder;
    if (!a.isValid() || !b.isValid()) {
        if (a.isValid() == b.isValid()) return false;
        return ascending ? a.isValid() : !a.isValid();
    }
    if (a.typeId() == QMetaType::QString || b.typeId() == QMetaType::QString)
        return QString::localeAwareCompare(a.toString(), b.toString()) < 0;
    return a.toDouble() < b.toDouble();
}

bool ClassFilterModel::filterAcceptsRow(int row, const QModelIndex& parent) const {
    const QModelIndex first = sourceModel()->index(row, 0, parent);
    if (state_ >= 0 && first.data(ClassTableModel::StateRole).toInt() != state_) return false;
    if (search_.isEmpty()) return true;
    // Pupils, classes and file names: an unnamed or damaged design is found by its file.
    for (int column : {0, 1, 2}) {
        const QString text = sourceModel()->index(row, column, parent).data().toString();
        if (searchKey(text).contains(search_)) return true;
    }
    return false;
}
