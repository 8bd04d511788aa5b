#pragma once

#include <QAbstractTableModel>
#include <QColor>
#include <QSortFilterProxyModel>
#include <string>
#include <vector>

#include "classroom/class_scan.h"

// The rows of a class scan as a table: its columns, each cell as the CSV writes it but numbers in
// the user's format, the state in words and in colour, and a sort key per cell.
class ClassTableModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    // The sort key of a cell: a number, a text, or nothing (always sorted last).
    static constexpr int SortRole = Qt::UserRole + 1;
    // The row's DesignState.
    static constexpr int StateRole = Qt::UserRole + 2;
    // The design file's path as its own bytes (QByteArray), whatever its name's encoding.
    static constexpr int PathRole = Qt::UserRole + 3;
    // The row's place in rows().
    static constexpr int RowRole = Qt::UserRole + 4;

    explicit ClassTableModel(QObject* parent = nullptr);

    void setRows(std::vector<DesignRow> rows, std::string decimalSeparator);
    const std::vector<DesignRow>& rows() const { return rows_; }
    // The « Il suffirait de » of the rows searched in searched (the same rows, in the same order).
    void setFixes(const std::vector<DesignRow>& searched);
    // One row searched (its details were looked at).
    void setFix(int row, const DesignRow& searched);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  private:
    std::vector<DesignRow> rows_;
    std::string separator_ = ",";
};

// The light colour of a state, told apart from the five others.
QColor stateColour(DesignState state);
// A text as the search compares it: case and accents aside.
QString searchKey(const QString& text);

// Sorts numbers as numbers with empty cells last in either order; keeps the rows of one state
// (or all) whose pupil, class or file name holds the search text, case and accents aside.
class ClassFilterModel : public QSortFilterProxyModel {
    Q_OBJECT
  public:
    using QSortFilterProxyModel::QSortFilterProxyModel;
    // -1: every state.
    void setState(int state);
    void setSearch(const QString& text);

  protected:
    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override;
    bool filterAcceptsRow(int row, const QModelIndex& parent) const override;

  private:
    int state_ = -1;
    QString search_;
};
