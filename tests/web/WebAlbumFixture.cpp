#include "tests/web/WebAlbumFixture.h"

#include <filesystem>
#include <utility>

#include "tests/support/TestPictures.h"

WebAlbumTest::WebAlbumTest() : album(ui), web(album) {
  album.Record().SetFolder(dir.Str(), "Trip");
  album.Loader().ReserveRoom(32);
}

CAlbumEntry& WebAlbumTest::Add(const std::string& fileName, int width, int height,
                               const std::string& caption, const std::string& date, int omitted) {
  CAlbumEntry entry;
  const CImageWrap picture = MakePicture24(width, height, GradientColour);
  picture.ScaleToFit(entry.thumb, album.Settings().GeneralSettings.ThumbSize);
  entry.fileName = fileName;
  entry.fullPath = dir.Str() + "/" + fileName;
  EXPECT_EQ(picture.Save(entry.fullPath), 0u) << fileName;
  entry.pictureWidth = width;
  entry.pictureHeight = height;
  entry.caption = caption;
  entry.date = date;
  entry.omitted = omitted;
  return album.Loader().AddPicture(std::move(entry));
}

int WebAlbumTest::Run(ImageFiles images) {
  return web.CreateWebPage(album.Record().DirName(), album.Pictures().DisplayOrder(),
                           album.Pictures().Count(), images);
}

std::string WebAlbumTest::Read(const std::string& relative) const {
  return ReadFileBytes(dir / relative);
}

bool WebAlbumTest::Exists(const std::string& relative) const {
  return std::filesystem::exists(dir / relative);
}

CImageWrap WebAlbumTest::LoadWritten(const std::string& relative) {
  CImageWrap image;
  image.Load((dir / relative).string(), ui);
  return image;
}

std::string WebAlbumTest::IndexBody() const {
  const std::string page = Read("pix_index.htm");
  const size_t body = page.find("<body>\n");
  const size_t footer = page.find("<h4 align=");
  if (body == std::string::npos || footer == std::string::npos) {
    return "no index page: " + page;
  }
  return page.substr(body, footer - body);
}

std::string IndexFooter() {
  return std::string("<h4 align=\"left\">Brought to you by <a href=\"") + kProductSite +
         "\">Quillaran</a></h4></body>\n</html>";
}
