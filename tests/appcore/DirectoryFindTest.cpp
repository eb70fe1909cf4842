#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "appcore/DirectoryFind.h"
#include "tests/support/TestAlbum.h"

namespace {

TEST(DirectoryFind, KeepsSixMostRecentFirstWithoutDuplicates) {
  CDirectoryFind recent = RecentListOf({"/6/", "/5/", "/4/", "/3/", "/2/", "/1/"});
  recent.Add("/7/");
  EXPECT_EQ(recent.dirCount, 6);
  EXPECT_EQ(recent.dirs[0], "/7/");
  EXPECT_EQ(recent.dirs[5], "/2/");  // the oldest, "/1/", is gone

  recent.Add("/4/");
  EXPECT_EQ(recent.dirCount, 6);
  EXPECT_EQ(std::vector<std::string>(recent.dirs.begin(), recent.dirs.end()),
            (std::vector<std::string>{"/4/", "/7/", "/6/", "/5/", "/3/", "/2/"}));
}

}  // namespace
