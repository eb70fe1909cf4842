// libFuzzer target for the record file reader: any text must read without a fault into an
// album of four pictures, and leave a display order that shows each picture once.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "album/DeferredUi.h"
#include "album/PixDir.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  CDeferredUi ui;  // keeps the messages, shows none
  CPixDir album(ui);
  const char* names[] = {"IMG_0001.JPG", "b.png", "c d.gif", "IMG_0001.JPG"};
  for (const char* name : names) {
    CAlbumEntry entry;
    entry.fileName = name;
    entry.caption = "?";
    album.Loader().AddPicture(std::move(entry));
  }
  std::vector<uint8_t> text(data, data + size);
  std::FILE* file = fmemopen(text.empty() ? nullptr : text.data(), text.size(), "rb");
  if (file == nullptr) {
    return 0;
  }
  album.Record().ReadRecord(file);
  std::fclose(file);
  std::vector<bool> shown(4, false);
  for (int position = 0; position < album.Pictures().Count(); ++position) {
    const auto index = static_cast<size_t>(album.Pictures().DisplayOrder()[position] -
                                           &album.Pictures().EntryAt(0));
    if (index >= shown.size() || shown[index]) {
      std::abort();
    }
    shown[index] = true;
  }
  std::string header;
  album.Record().WriteRecordHeader(header);
  return 0;
}
