#include "model/document/child_list.h"

#include <algorithm>
#include <stdexcept>

#include "model/document/tree_arena.h"

namespace klu {
namespace {

// Far more children than any hunk of a file of the largest size can hold.
constexpr size_t kMostChildren = 0x7FFFFFFF;

size_t CheckedCount(size_t count) {
    if (count > kMostChildren) throw std::length_error("too many children for one hunk");
    return count;
}

}  // namespace

KLUObject* ChildList::at(size_t index) const {
    if (index >= size_) throw std::out_of_range("no child at that index");
    return items_[index];
}

ChildList::iterator ChildList::insert(const_iterator at, KLUObject* child) {
    const auto index = static_cast<size_t>(at - items_);
    if (size_ == capacity_) Grow(size_ + 1);
    std::copy_backward(items_ + index, items_ + size_, items_ + size_ + 1);
    items_[index] = child;
    ++size_;
    return items_ + index;
}

ChildList::iterator ChildList::erase(const_iterator first, const_iterator last) {
    const auto from = static_cast<size_t>(first - items_);
    const auto to = static_cast<size_t>(last - items_);
    std::copy(items_ + to, items_ + size_, items_ + from);
    size_ -= static_cast<uint32_t>(to - from);
    return items_ + from;
}

void ChildList::reserve(size_t count) {
    if (count > capacity_) MoveTo(new KLUObject*[CheckedCount(count)], count, false);
}

void ChildList::ReserveIn(TreeArena& arena, size_t count) {
    const size_t wanted = CheckedCount(size_ + count);
    if (wanted <= capacity_) return;
    auto* items = static_cast<KLUObject**>(
        arena.Allocate(wanted * sizeof(KLUObject*), alignof(KLUObject*)));
    MoveTo(items, wanted, true);
}

void ChildList::FitInto(TreeArena& arena) {
    if (inArena_ || !items_) return;
    if (size_ == 0) {
        MoveTo(nullptr, 0, false);
        return;
    }
    auto* items = static_cast<KLUObject**>(
        arena.Allocate(size_ * sizeof(KLUObject*), alignof(KLUObject*)));
    MoveTo(items, size_, true);
}

void ChildList::Grow(size_t least) {
    reserve(std::max<size_t>({least, 2 * size_t{capacity_}, 4}));
}

void ChildList::MoveTo(KLUObject** items, size_t capacity, bool in_arena) {
    std::copy(items_, items_ + size_, items);
    FreeHeap();
    items_ = items;
    capacity_ = static_cast<uint32_t>(capacity & kMostChildren);  // CheckedCount held it to that
    inArena_ = in_arena;
}

void ChildList::FreeHeap() noexcept {
    if (!inArena_) delete[] items_;
}

}  // namespace klu
