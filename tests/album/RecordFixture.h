#pragma once
// An album of three entries a.jpg, b.jpg, c.jpg in a temporary directory, for the tests of
// its record file.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "album/PixDir.h"
#include "tests/support/FakePlatformUi.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestAlbum.h"

class RecordFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    album.Record().SetFolder(dir.Str(), "");
    FillAlbum(album, {"a.jpg", "b.jpg", "c.jpg"});
  }
  // Writes the record file and reads it into the album.
  int Read(const std::string& text) {
    dir.WriteFile("Quillaran.txt", text);
    return album.Record().ReadRecord();
  }
  std::string RecordText() const { return ReadFileBytes(dir / "Quillaran.txt"); }
  // Reads the record into another album of these pictures in the same directory.
  int ReadInto(CPixDir& other, const std::vector<std::string>& fileNames) {
    other.Record().SetFolder(dir.Str(), "");
    FillAlbum(other, fileNames);
    return other.Record().ReadRecord();
  }
  std::vector<std::string> DirectoryNames() const {
    std::vector<std::string> names;
    for (const auto& item : std::filesystem::directory_iterator(dir.Path())) {
      names.push_back(item.path().filename().string());
    }
    return names;
  }

  TempDir dir;
  FakePlatformUi ui;
  CPixDir album{ui};
};
