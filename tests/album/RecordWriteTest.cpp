#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <iterator>
#include <string>
#include <vector>

#include "tests/album/RecordFixture.h"

namespace fs = std::filesystem;

namespace {

using RecordWrite = RecordFixture;

const char kHeader[] = "QLNV_A t120 x2000 p600 f2 d0 c0 #maroon\n";

TEST_F(RecordWrite, WriteLeavesNoTemporaryFileAndKeepsPermissions) {
  dir.WriteFile("Quillaran.txt", "old");
  fs::permissions(dir / "Quillaran.txt",
                  fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  ASSERT_EQ(album.Record().WriteRecord(), 1);
  EXPECT_EQ(DirectoryNames(), (std::vector<std::string>{"Quillaran.txt"}));
  EXPECT_EQ(fs::status(dir / "Quillaran.txt").permissions(),
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

// Failed writes: the message carries the error number, the old record stays, dirty stays.
TEST_F(RecordWrite, WriteIntoReadOnlyDirectoryKeepsTheOldRecord) {
  if (geteuid() == 0) {
    GTEST_SKIP() << "root writes into read-only directories";
  }
  dir.WriteFile("Quillaran.txt", "old record\n");
  fs::permissions(dir.Path(), fs::perms::owner_read | fs::perms::owner_exec);
  album.Record().MarkChangedBeyondUndo();
  EXPECT_EQ(album.Record().WriteRecord(), 0);
  fs::permissions(dir.Path(), fs::perms::owner_all);
  EXPECT_EQ(ui.MessageTexts(), (std::vector<std::string>{"Cannot Save Record [13] Quillaran.txt"}));
  EXPECT_EQ(ui.messages[0].icon, MsgIcon::Error);
  EXPECT_EQ(RecordText(), "old record\n");
  EXPECT_EQ(album.Record().Dirty(), 1);
}

TEST_F(RecordWrite, WriteProtectedRecordStaysAsItIs) {
  dir.WriteFile("Quillaran.txt", "locked\n");
  fs::permissions(dir / "Quillaran.txt",
                  fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  album.Record().MarkChangedBeyondUndo();
  EXPECT_EQ(album.Record().WriteRecord(), 0);
  EXPECT_EQ(ui.MessageTexts(), (std::vector<std::string>{"Cannot Save Record [13] Quillaran.txt"}));
  EXPECT_EQ(RecordText(), "locked\n");
  EXPECT_EQ(album.Record().Dirty(), 1);
  EXPECT_EQ(DirectoryNames(), (std::vector<std::string>{"Quillaran.txt"}));
}

TEST_F(RecordWrite, LinkedRecordReplacesTheFileItPointsTo) {
  dir.WriteFile("kept/record.txt", "old\n");
  fs::create_symlink("kept/record.txt", dir / "Quillaran.txt");
  ASSERT_EQ(album.Record().WriteRecord(), 1);
  EXPECT_TRUE(fs::is_symlink(dir / "Quillaran.txt"));
  EXPECT_EQ(ReadFileBytes(dir / "kept/record.txt").rfind(kHeader, 0), 0u);
  EXPECT_EQ(fs::directory_iterator(dir / "kept")->path().filename(), "record.txt");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir / "kept"), fs::directory_iterator()), 1);
}

TEST_F(RecordWrite, WriteBelowARegularFileFails) {
  dir.WriteFile("plain", "x");
  album.Record().SetFolder((dir / "plain").string() + "/album", "");
  album.Record().MarkChangedBeyondUndo();
  EXPECT_EQ(album.Record().WriteRecord(), 0);
  EXPECT_EQ(ui.MessageTexts(), (std::vector<std::string>{"Cannot Save Record [20] Quillaran.txt"}));
  EXPECT_EQ(album.Record().Dirty(), 1);
  EXPECT_EQ(ReadFileBytes(dir / "plain"), "x");
}

TEST_F(RecordWrite, FailedRenameRemovesTheTemporaryFile) {
  // A directory in the record's place cannot be replaced by a file, even by root.
  dir.WriteFile("Quillaran.txt/inside", "kept");
  album.Record().MarkChangedBeyondUndo();
  EXPECT_EQ(album.Record().WriteRecord(), 0);
  EXPECT_EQ(ui.MessageTexts(), (std::vector<std::string>{"Cannot Save Record [21] Quillaran.txt"}));
  EXPECT_EQ(album.Record().Dirty(), 1);
  EXPECT_EQ(DirectoryNames(), (std::vector<std::string>{"Quillaran.txt"}));
  EXPECT_EQ(ReadFileBytes(dir / "Quillaran.txt" / "inside"), "kept");
}

}  // namespace
