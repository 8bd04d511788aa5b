#pragma once

#include <QAbstractListModel>
#include <memory>
#include <vector>

#include "window/list_item.h"

// A step list's items as the list widget's model, read straight from the record's items without a
// copy of their own, so that a catalogue of many thousand records costs little in the window.
class ItemListModel : public QAbstractListModel {
    Q_OBJECT
  public:
    using QAbstractListModel::QAbstractListModel;

    // True when the model had other items.
    bool setItems(std::shared_ptr<const std::vector<ListItem>> items) {
        if (items == items_) return false;
        beginResetModel();
        items_ = std::move(items);
        endResetModel();
        return true;
    }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override {
        return parent.isValid() || !items_ ? 0 : static_cast<int>(items_->size());
    }

    QVariant data(const QModelIndex& index, int role) const override {
        if (!items_ || !index.isValid() || index.row() >= static_cast<int>(items_->size()))
            return {};
        const ListItem& item = (*items_)[index.row()];
        if (role == Qt::DisplayRole || role == Qt::EditRole)
            return QString::fromStdString(item.text);
        if (role == Qt::UserRole) return item.tag;
        return {};
    }

  private:
    std::shared_ptr<const std::vector<ListItem>> items_;
};
