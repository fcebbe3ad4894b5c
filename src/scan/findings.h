#pragma once

#include <cstddef>
#include <functional>
#include <utility>
#include <vector>

#include "platform/raise.h"
#include "scan/finding.h"

namespace nexolant {

// What the last scan found, in the order it found it. Kept until the next scan begins.
class Findings {
 public:
  const std::vector<Finding>& Items() const { return items_; }

  void Clear() {
    items_.clear();
    Raise(OnCleared);
  }
  void Add(Finding finding) {
    items_.push_back(std::move(finding));
    Raise(OnAdded, items_.back());
  }
  void SetTicked(std::size_t index, bool ticked) {
    if (items_.at(index).ticked != ticked) {
      items_[index].ticked = ticked;
      Raise(OnTickChanged, index);
    }
  }

  std::function<void()> OnCleared;
  std::function<void(const Finding&)> OnAdded;
  std::function<void(std::size_t index)> OnTickChanged;

 private:
  std::vector<Finding> items_;
};

}  // namespace nexolant
