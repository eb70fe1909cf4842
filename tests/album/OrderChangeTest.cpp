#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "album/OrderChange.h"

namespace {

struct OrderCase {
  const char* what;
  std::vector<int32_t> before;
  std::vector<int32_t> after;
  size_t kept;  // numbers the change keeps
};

// Each change goes from before to after and back, keeping only the run of pictures that moved:
// as a permutation when the numbers were passed around, else both sides.
TEST(OrderChange, GoesBothWaysKeepingOnlyTheRunThatMoved) {
  const std::vector<OrderCase> cases = {
      {"a move towards the end", {0, 1, 2, 3, 4, 5}, {0, 3, 1, 2, 4, 5}, 3},
      {"a move among pictures that stay", {0, 1, 2, 3, 4}, {0, 4, 2, 3, 1}, 4},
      {"a reversal", {0, 1, 2, 3}, {3, 2, 1, 0}, 4},
      {"equal numbers passed around", {2, 2, 3, 5}, {3, 2, 2, 5}, 3},
      {"numbers with gaps closed", {0, 5, 9}, {9, 4, 8}, 6},
  };
  for (const OrderCase& c : cases) {
    SCOPED_TRACE(c.what);
    const auto change = COrderChange::Between(c.before, c.after);
    ASSERT_TRUE(change.has_value());
    EXPECT_EQ(change->KeptNumbers(), c.kept);
    std::vector<int32_t> orders = c.before;
    change->Redo(orders);
    EXPECT_EQ(orders, c.after);
    change->Undo(orders);
    EXPECT_EQ(orders, c.before);
  }
  EXPECT_FALSE(COrderChange::Between({0, 1, 2}, {0, 1, 2}).has_value());
}

}  // namespace
