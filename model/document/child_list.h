#pragma once

#include <cstddef>
#include <cstdint>

namespace klu {

class KLUObject;
class TreeArena;

// The children of a hunk, in order: a list of pointers with the members of std::vector that the
// tree uses, in sixteen bytes instead of twenty-four. A loaded tree holds a list per question,
// so a load puts the lists it can size in the tree's arena, without a heap block each; a list
// that grows beyond its room moves to the heap like a vector.
class ChildList {
  public:
    using value_type = KLUObject*;
    using iterator = KLUObject**;
    using const_iterator = KLUObject* const*;

    ChildList() = default;
    ChildList(const ChildList&) = delete;
    ChildList& operator=(const ChildList&) = delete;
    ~ChildList() { FreeHeap(); }

    size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    size_t capacity() const { return capacity_; }
    KLUObject** data() { return items_; }
    KLUObject* const* data() const { return items_; }
    iterator begin() { return items_; }
    iterator end() { return items_ + size_; }
    const_iterator begin() const { return items_; }
    const_iterator end() const { return items_ + size_; }
    KLUObject*& operator[](size_t index) { return items_[index]; }
    KLUObject* operator[](size_t index) const { return items_[index]; }
    KLUObject* at(size_t index) const;
    KLUObject*& front() { return items_[0]; }
    KLUObject* front() const { return items_[0]; }
    KLUObject*& back() { return items_[size_ - 1]; }
    KLUObject* back() const { return items_[size_ - 1]; }

    void push_back(KLUObject* child) {
        if (size_ == capacity_) Grow(size_ + 1);
        items_[size_++] = child;
    }
    void pop_back() { --size_; }
    iterator insert(const_iterator at, KLUObject* child);
    iterator erase(const_iterator first, const_iterator last);
    iterator erase(const_iterator at) { return erase(at, at + 1); }
    void clear() { size_ = 0; }
    // Room for count children in all, on the heap.
    void reserve(size_t count);
    // The children so far, and room for count more, in the arena (a list that has room already
    // keeps it).
    void ReserveIn(TreeArena& arena, size_t count);
    // The room beyond the children is given up: a list on the heap moves into the arena, at its
    // exact size.
    void FitInto(TreeArena& arena);

  private:
    void Grow(size_t least);
    void MoveTo(KLUObject** items, size_t capacity, bool in_arena);
    void FreeHeap() noexcept;

    KLUObject** items_ = nullptr;
    uint32_t size_ = 0;
    uint32_t capacity_ : 31 = 0;
    uint32_t inArena_ : 1 = 0;  // items_ lies in a tree's arena, which frees it
};

// Removes the children for which remove(child) is true, as std::erase_if does for a vector.
template <typename Remove>
size_t erase_if(ChildList& list, Remove remove) {
    size_t kept = 0;
    for (KLUObject* child : list) {
        if (!remove(child)) list[kept++] = child;
    }
    const size_t removed = list.size() - kept;
    list.erase(list.begin() + kept, list.end());
    return removed;
}

}  // namespace klu
