#pragma once
// quillaran-web run inside the test process on a folder "My Album" of a temporary directory,
// with an in-memory profile and its output kept.

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "cli/WebBuilder.h"
#include "imaging/ImageWrap.h"
#include "tests/support/FakePlatformUi.h"
#include "tests/support/FakeProfileStore.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestPictures.h"

class QuillaranWebFixture : public ::testing::Test {
 protected:
  QuillaranWebFixture() : album(temp / "My Album") { std::filesystem::create_directories(album); }

  void WritePicture(const std::string& name, int width = 90, int height = 60) {
    CImageWrap image = MakePicture24(width, height, GradientColour);
    ASSERT_EQ(image.Save((album / name).string()), 0u) << name;
  }
  int Run(std::vector<std::string> args, bool progress = false) {
    out.str("");
    err.str("");
    return RunQuillaranWeb(args, out, err, profile, progress);
  }
  std::vector<std::string> ListedLines() {
    std::vector<std::string> lines;
    std::istringstream in(out.str());
    for (std::string line; std::getline(in, line);) {
      lines.push_back(line);
    }
    return lines;
  }
  void SetProfile(const std::string& name, int value) { profile.values[{"Parameters", name}] = value; }

  TempDir temp;
  std::filesystem::path album;
  FakeProfileStore profile;
  std::ostringstream out;
  std::ostringstream err;
};

inline CImageWrap LoadFile(const std::filesystem::path& path) {
  FakePlatformUi quiet;
  CImageWrap image;
  image.Load(path.string(), quiet);
  return image;
}
