#pragma once
// A real album folder of three PNG pictures and a JPEG, opened, for the tests of undo and
// redo; helpers that do what the user does to one picture, and that describe the album and
// its folder so that a test can tell whether they came back to what they were.

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "album/PixDir.h"
#include "imaging/Rect.h"
#include "tests/support/FakePlatformUi.h"
#include "tests/support/TempDir.h"

class UndoFixture : public ::testing::Test {
 public:
  void SetUp() override;

  // The user's doings, each on the picture of this scan index.
  void Move(int index, int target);  // drags it onto the target's sketch
  void CrossOut(int index);
  void Restore(int index);  // clicks it while it is crossed out
  void Caption(int index, const std::string& caption, const std::string& date);
  void ThumbArea(int index, const Rect& rect);  // T on a rectangle in its window
  void Turn(int index, QuarterTurn turn);
  void CropOriginal(int index, const Rect& rect);  // O on a rectangle in its window

  // Every picture's order, X-out, caption, date, thumb area, cropped mark and size.
  std::vector<std::string> Pictures();
  // Every file below the folder but the record, with its bytes.
  std::map<std::string, std::string> Files() const;
  // Messages with the error icon shown so far.
  std::vector<std::string> Errors() const;

  TempDir temp;
  std::filesystem::path dir = temp / "album";
  FakePlatformUi ui;
  CPixDir album{ui};

 private:
  void Select(int index);
  // The middle of the sketch of the picture of this scan index, as the sheet lies now.
  void ClickOn(int index);
};
