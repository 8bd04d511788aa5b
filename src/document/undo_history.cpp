#include "document/undo_history.h"

#include <algorithm>
#include <utility>

namespace {

template <typename T>
void makeRoom(std::vector<T>& steps) {
    if (steps.size() == steps.capacity()) steps.reserve(std::max<std::size_t>(8, 2 * steps.size()));
}

}  // namespace

void UndoHistory::prepare() {
    makeRoom(undo_);
}

void UndoHistory::push(Step before) noexcept {
    if (undo_.size() >= kMaxSteps) undo_.erase(undo_.begin());
    undo_.push_back(std::move(before));  // room was made by prepare()
    redo_.clear();
}

bool UndoHistory::undo(DesignRecord& current, int& state) {
    return step(undo_, redo_, current, state);
}

bool UndoHistory::redo(DesignRecord& current, int& state) {
    return step(redo_, undo_, current, state);
}

bool UndoHistory::step(std::vector<Step>& from, std::vector<Step>& to, DesignRecord& current,
                       int& state) {
    if (from.empty()) return false;
    makeRoom(to);  // the only thing that can fail, before anything has moved
    Step& top = from.back();
    std::swap(current, top.record);
    std::swap(state, top.state);
    to.push_back(std::move(top));
    from.pop_back();
    return true;
}

void UndoHistory::clear() noexcept {
    undo_.clear();
    redo_.clear();
}
