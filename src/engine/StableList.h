// StableList: an ordered list of observed pointers that can be walked by position
// while the handlers it calls add and remove entries.
//
// Removal during a pass blanks the slot (the walk never shifts past an entry or
// calls a removed one); the blanks are compacted when the outermost pass over
// this list ends. Additions during a pass are appended: the caller chooses
// whether the same pass reaches them (listeners added while an event is being
// delivered) or not (scripts created during a frame wait for the next one).
// Invariant: outside a pass the list holds no blank slot, and Count() is the
// number of live entries at every moment.
#pragma once

#include <algorithm>
#include <cstddef>
#include <vector>

namespace Framework {

enum class PassReach {
  // Entries appended during the pass are visited by it.
  IncludeAdded,
  // Only the entries present when the pass began are visited.
  ExistingOnly,
};

template <class T>
class StableList {
 public:
  StableList() = default;
  // A copy would share no pass state with the original; lists are owned in place.
  StableList(const StableList&) = delete;
  StableList& operator=(const StableList&) = delete;
  StableList(StableList&&) noexcept = default;
  StableList& operator=(StableList&&) noexcept = default;

  // Appends the entry (an entry may be listed more than once). Null is ignored.
  void Add(T* item) {
    if (item == nullptr) return;
    items_.push_back(item);
    ++live_;
  }

  // Removes every occurrence; true when there was one.
  bool Remove(const T* item) {
    if (item == nullptr) return false;
    std::size_t removed = 0;
    if (depth_ > 0) {
      for (T*& slot : items_) {
        if (slot == item) {
          slot = nullptr;
          ++removed;
        }
      }
      hasHoles_ = hasHoles_ || removed > 0;
    } else {
      removed = std::erase(items_, item);
    }
    live_ -= removed;
    return removed > 0;
  }

  void Clear() {
    if (depth_ > 0) {
      std::fill(items_.begin(), items_.end(), nullptr);
      hasHoles_ = !items_.empty();
    } else {
      items_.clear();
    }
    live_ = 0;
  }

  bool Contains(const T* item) const {
    return item != nullptr && std::find(items_.begin(), items_.end(), item) != items_.end();
  }
  std::size_t Count() const { return live_; }
  bool Empty() const { return live_ == 0; }
  // True while a pass over this list is running (its storage must then stay put).
  bool InPass() const { return depth_ > 0; }

  // Calls visit(T*) for each live entry in order. Passes may nest; the list is
  // indexed afresh at every step since it may grow (and reallocate) meanwhile.
  template <class Visit>
  void ForEach(Visit&& visit, PassReach reach = PassReach::IncludeAdded) {
    const std::size_t initial = items_.size();
    PassGuard guard(*this);
    for (std::size_t i = 0; i < items_.size(); ++i) {
      if (reach == PassReach::ExistingOnly && i >= initial) break;
      if (T* item = items_[i]) visit(item);
    }
  }

  // Entries in order, outside a pass without blanks (for inspection and saving).
  const std::vector<T*>& Items() const { return items_; }

 private:
  // Ends the pass even if a handler leaves by an exception, so the list is never stuck mid-pass.
  class PassGuard {
   public:
    explicit PassGuard(StableList& list) : list_(list) { ++list_.depth_; }
    ~PassGuard() {
      if (--list_.depth_ == 0 && list_.hasHoles_) {
        std::erase(list_.items_, nullptr);
        list_.hasHoles_ = false;
      }
    }
    PassGuard(const PassGuard&) = delete;
    PassGuard& operator=(const PassGuard&) = delete;

   private:
    StableList& list_;
  };

  std::vector<T*> items_;
  std::size_t live_ = 0;
  int depth_ = 0;
  // Set when a pass blanked a slot, so the common pass skips the compaction walk.
  bool hasHoles_ = false;
};

}  // namespace Framework
