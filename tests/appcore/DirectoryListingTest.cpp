#include <gtest/gtest.h>

#include "appcore/DirectoryListing.h"

namespace {

TEST(FavouriteRoot, IsTheLeadingPathUpToTheFirstWholeNameMatch) {
  struct Case {
    const char* path;
    const char* favourite;
    const char* root;
  };
  for (const Case& c :
       {Case{"/home/me/Pictures/Trip", "Pictures", "/home/me/Pictures/"},
        Case{"/home/me/Pictures", "Pictures", "/home/me/Pictures"},
        Case{"/home/me/Pictures-old/x", "Pictures", ""}, Case{"/home/me/Pictures", "P", ""},
        Case{"/srv/Pictures/Pictures", "Pictures", "/srv/Pictures/"},
        Case{"/home/me/Trip", "Pictures", ""}}) {
    EXPECT_EQ(FavouriteRoot(c.path, c.favourite), c.root) << c.path << " " << c.favourite;
  }
}

}  // namespace
