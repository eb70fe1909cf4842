#pragma once
// A change of the pictures' display places, kept for undo as a permutation: after the change,
// each picture holds the place number that another held before. A sort of every picture
// costs one number a picture. Only the run of scan indexes between the first and the last
// picture that moved is kept. Place numbers that the change did not merely pass around (a
// move among numbers with gaps) are kept as they were and as they became.

#include <cstdint>
#include <optional>
#include <vector>

class COrderChange {
 public:
  // The change from before to after, the place number of each picture by scan index; none
  // when they are the same.
  static std::optional<COrderChange> Between(const std::vector<int32_t>& before,
                                             const std::vector<int32_t>& after);

  // Turns the place numbers as they were before the change into those after it (Redo), or
  // back (Undo).
  void Redo(std::vector<int32_t>& orders) const;
  void Undo(std::vector<int32_t>& orders) const;

  size_t KeptNumbers() const { return from_.size() + before_.size() + after_.size(); }

 private:
  int32_t first_ = 0;  // scan index of the first picture that moved
  // Permutation: the picture first_ + k takes the number that picture from_[k] held.
  std::vector<int32_t> from_;
  // Otherwise: the numbers of pictures first_ + k, before and after.
  std::vector<int32_t> before_;
  std::vector<int32_t> after_;
};
