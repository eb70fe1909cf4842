#include "album/OrderChange.h"

#include <algorithm>
#include <unordered_map>
#include <utility>

std::optional<COrderChange> COrderChange::Between(const std::vector<int32_t>& before,
                                                  const std::vector<int32_t>& after) {
  const size_t n = before.size() < after.size() ? before.size() : after.size();
  size_t first = 0;
  while (first < n && before[first] == after[first]) {
    ++first;
  }
  if (first == n) {
    return std::nullopt;
  }
  size_t end = n;
  while (before[end - 1] == after[end - 1]) {
    --end;
  }
  COrderChange change;
  change.first_ = static_cast<int32_t>(first);
  // The pictures that kept their number keep it; the others take the numbers that the others
  // gave up, each from the first picture that gave it up.
  std::unordered_map<int32_t, std::vector<int32_t>> givenUp;
  for (size_t j = end; j-- > first;) {
    if (before[j] != after[j]) {
      givenUp[before[j]].push_back(static_cast<int32_t>(j));
    }
  }
  change.from_.reserve(end - first);
  for (size_t i = first; i < end; ++i) {
    if (before[i] == after[i]) {
      change.from_.push_back(static_cast<int32_t>(i));
      continue;
    }
    const auto sources = givenUp.find(after[i]);
    if (sources == givenUp.end() || sources->second.empty()) {
      change.from_.clear();
      change.before_.assign(before.begin() + static_cast<std::ptrdiff_t>(first),
                            before.begin() + static_cast<std::ptrdiff_t>(end));
      change.after_.assign(after.begin() + static_cast<std::ptrdiff_t>(first),
                           after.begin() + static_cast<std::ptrdiff_t>(end));
      return change;
    }
    change.from_.push_back(sources->second.back());
    sources->second.pop_back();
  }
  return change;
}

void COrderChange::Redo(std::vector<int32_t>& orders) const {
  if (from_.empty()) {
    std::copy(after_.begin(), after_.end(), orders.begin() + first_);
    return;
  }
  const std::vector<int32_t> held(
      orders.begin() + first_, orders.begin() + first_ + static_cast<std::ptrdiff_t>(from_.size()));
  for (size_t k = 0; k < from_.size(); ++k) {
    orders[static_cast<size_t>(first_) + k] = held[static_cast<size_t>(from_[k] - first_)];
  }
}

void COrderChange::Undo(std::vector<int32_t>& orders) const {
  if (from_.empty()) {
    std::copy(before_.begin(), before_.end(), orders.begin() + first_);
    return;
  }
  const std::vector<int32_t> held(
      orders.begin() + first_, orders.begin() + first_ + static_cast<std::ptrdiff_t>(from_.size()));
  for (size_t k = 0; k < from_.size(); ++k) {
    orders[static_cast<size_t>(from_[k])] = held[k];
  }
}
