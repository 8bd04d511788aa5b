#pragma once

#include <memory>
#include <vector>

#include "window/list_item.h"

// The items of a step list. Copies share one vector until one of them is changed, so a snapshot
// of the whole record costs nothing for lists of thousands of items.
class ItemList {
  public:
    using const_iterator = std::vector<ListItem>::const_iterator;

    std::size_t size() const { return items_ ? items_->size() : 0; }
    bool empty() const { return size() == 0; }
    const ListItem& operator[](std::size_t i) const { return (*items_)[i]; }
    const ListItem& front() const { return items_->front(); }
    const_iterator begin() const { return items_ ? items_->cbegin() : const_iterator(); }
    const_iterator end() const { return items_ ? items_->cend() : const_iterator(); }

    // The items themselves, for a view that shows them without copying.
    std::shared_ptr<const std::vector<ListItem>> shared() const { return items_; }

    void push_back(ListItem item) { own().push_back(std::move(item)); }

    bool operator==(const ItemList& other) const {
        return items_ == other.items_ || (empty() && other.empty()) ||
               (items_ && other.items_ && *items_ == *other.items_);
    }
    bool operator==(const std::vector<ListItem>& other) const {
        return items_ ? *items_ == other : other.empty();
    }

  private:
    std::vector<ListItem>& own() {
        if (!items_) {
            items_ = std::make_shared<std::vector<ListItem>>();
        } else if (items_.use_count() > 1) {
            items_ = std::make_shared<std::vector<ListItem>>(*items_);
        }
        return *items_;
    }

    std::shared_ptr<std::vector<ListItem>> items_;
};
