#pragma once
// An album of small generated pictures in a temporary directory, for the web page tests.

#include <gtest/gtest.h>

#include <string>

#include "album/PixDir.h"
#include "tests/support/FakePlatformUi.h"
#include "tests/support/TempDir.h"
#include "web/WebElement.h"

class WebAlbumTest : public testing::Test {
 protected:
  WebAlbumTest();

  // Adds a picture of width x height, written into the album folder, with a thumb made as the
  // loader makes it (ScaleToFit at ThumbSize). Call before Run; the album is put together in
  // display order of the calls.
  CAlbumEntry& Add(const std::string& fileName, int width = 60, int height = 40,
                   const std::string& caption = "?", const std::string& date = "2004:05:06",
                   int omitted = 0);
  // Runs the generator once; the result of CreateWebPage.
  int Run(ImageFiles images = ImageFiles::Write);
  std::string Read(const std::string& relative) const;
  bool Exists(const std::string& relative) const;
  // A picture file that the run wrote, decoded (no bitmap when it cannot be read).
  CImageWrap LoadWritten(const std::string& relative);
  // The index page from "<body>" on, without the head and the footer.
  std::string IndexBody() const;

  TempDir dir;
  FakePlatformUi ui;
  CPixDir album;
  CWebElement web;
};

// The footer that ends every index page.
std::string IndexFooter();
