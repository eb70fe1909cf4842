#include "tests/album/UndoFixture.h"

#include "tests/support/TestPictures.h"

namespace fs = std::filesystem;

void UndoFixture::SetUp() {
  fs::create_directories(dir);
  // PNG pictures are turned by decoding and encoding them again, exactly; a JPEG one whole
  // blocks across and down is turned as it is compressed.
  ASSERT_EQ(MakePicture24(40, 20, CoordinateColour).Save((dir / "a.png").string()), 0u);
  ASSERT_EQ(MakePicture24(30, 50, GradientColour).Save((dir / "b.png").string()), 0u);
  ASSERT_EQ(MakePicture24(24, 24, CoordinateColour).Save((dir / "c.png").string()), 0u);
  ASSERT_EQ(MakePhotoLike(64, 32).Save((dir / "d.jpg").string()), 0u);
  ASSERT_EQ(album.Loader().OpenDirectory(dir.string() + "/"), 1);
  ASSERT_EQ(album.Pictures().Count(), 4);
}

void UndoFixture::Select(int index) {
  album.Editor().Select(index);
  album.ShowFullSize();
}

void UndoFixture::ClickOn(int index) {
  album.SheetControl().LayOut(1000);
  const Rect& r = album.Pictures().EntryAt(index).sketchRect;
  const int x = (r.left + r.right) / 2;
  const int y = (r.top + r.bottom) / 2;
  album.SheetControl().HoverAt(x, y);
  album.Editor().ClickAt(EmptyClick::ClearSelection, x, y);
}

void UndoFixture::Move(int index, int target) {
  Select(index);
  album.SheetControl().LayOut(1000);
  const Rect& r = album.Pictures().EntryAt(target).sketchRect;
  album.Editor().DropAt((r.left + r.right) / 2, (r.top + r.bottom) / 2, true);
}

void UndoFixture::CrossOut(int index) {
  Select(index);
  album.Editor().MarkOmitted(nullptr);
}

void UndoFixture::Restore(int index) { ClickOn(index); }

void UndoFixture::Caption(int index, const std::string& caption, const std::string& date) {
  Select(index);
  ui.captionReplies.push_back(CaptionDialogData{caption, date, ""});
  album.Editor().EditSelectedCaption();
}

void UndoFixture::ThumbArea(int index, const Rect& rect) {
  Select(index);
  ui.pictureWindows[album.Pictures().EntryAt(index).fileName] = rect;
  album.Editor().CropForThumb(nullptr);
}

void UndoFixture::Turn(int index, QuarterTurn turn) {
  Select(index);
  album.Editor().RotatePicture(nullptr, turn);
}

void UndoFixture::CropOriginal(int index, const Rect& rect) {
  Select(index);
  ui.pictureWindows[album.Pictures().EntryAt(index).fileName] = rect;
  album.Editor().CropOriginal(nullptr);
}

std::vector<std::string> UndoFixture::Pictures() {
  std::vector<std::string> pictures;
  for (int i = 0; i < album.Pictures().Count(); ++i) {
    const CAlbumEntry& e = album.Pictures().EntryAt(i);
    const Rect& r = e.thumbRect;
    pictures.push_back(e.fileName + " order " + std::to_string(e.order) + (e.omitted ? " X" : "") +
                       " '" + e.caption + "' '" + e.date + "' area " + std::to_string(r.left) +
                       "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
                       std::to_string(r.bottom) + (e.cropped ? " cropped " : " ") +
                       std::to_string(e.pictureWidth) + "x" +
                       std::to_string(e.pictureHeight) + " thumb " +
                       std::to_string(e.thumb.Width()) + "x" + std::to_string(e.thumb.Height()));
  }
  return pictures;
}

std::map<std::string, std::string> UndoFixture::Files() const {
  std::map<std::string, std::string> files;
  for (const auto& item : fs::recursive_directory_iterator(dir)) {
    if (item.is_regular_file() && item.path().filename() != "Quillaran.txt") {
      files[fs::relative(item.path(), dir).string()] = ReadFileBytes(item.path());
    }
  }
  return files;
}

std::vector<std::string> UndoFixture::Errors() const {
  std::vector<std::string> errors;
  for (const RecordedMessage& message : ui.messages) {
    if (message.icon == MsgIcon::Error) {
      errors.push_back(message.text);
    }
  }
  return errors;
}
