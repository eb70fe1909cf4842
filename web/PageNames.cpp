#include "web/PageNames.h"

#include <cstdint>
#include <set>

#include "album/AlbumEntry.h"
#include "imaging/codec/WrittenName.h"

namespace {

constexpr size_t kMaxNameBytes = 255;
constexpr size_t kShortenedBytes = 200;
constexpr size_t kMaxExtensionBytes = 16;

// FNV-1a, 64 bits, as sixteen hexadecimal digits.
std::string HashText(const std::string& text) {
  uint64_t hash = 14695981039346656037ull;
  for (const char c : text) {
    hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ull;
  }
  static const char kDigits[] = "0123456789abcdef";
  std::string digits(16, '0');
  for (int i = 15; i >= 0; --i, hash >>= 4) {
    digits[static_cast<size_t>(i)] = kDigits[hash & 0xF];
  }
  return digits;
}

}  // namespace

std::string FittingName(const std::string& name) {
  if (name.size() <= kMaxNameBytes) {
    return name;
  }
  const size_t dot = name.rfind('.');
  const std::string extension =
      dot != std::string::npos && name.size() - dot <= kMaxExtensionBytes ? name.substr(dot) : "";
  const std::string mark = "~" + HashText(name);
  size_t head = kShortenedBytes - mark.size() - extension.size();
  // Not inside a UTF-8 sequence: continuation bytes are 10xxxxxx.
  while (head > 0 && (static_cast<unsigned char>(name[head]) & 0xC0) == 0x80) {
    --head;
  }
  return name.substr(0, head) + mark + extension;
}

std::string WebCopyNameOf(const std::string& fileName) {
  return FittingName(codec::WrittenNameOf(fileName));
}

std::string ThumbNameOf(const std::string& fileName) {
  return FittingName("Thumb_" + WebCopyNameOf(fileName));
}

std::string PageNameOf(const std::string& fileName) {
  std::string name;
  name.reserve(fileName.size() + 4);
  for (const char c : fileName) {
    const char mapped = c == '.' ? '_' : c;
    if (mapped == '_' && !name.empty() && name.back() == '_') {
      continue;
    }
    name += mapped;
  }
  return FittingName(name + ".htm");
}

std::vector<std::string> MakePageNames(const std::vector<CAlbumEntry*>& displayOrder, int count) {
  const size_t n = std::min(displayOrder.size(), static_cast<size_t>(std::max(count, 0)));
  std::vector<std::string> names(n);
  // Every plain name is reserved first, so that a suffixed name never takes the plain name of
  // an entry further on.
  std::set<std::string> plain;
  for (size_t i = 0; i < n; ++i) {
    if (displayOrder[i]->omitted == 0) {
      plain.insert(PageNameOf(displayOrder[i]->fileName));
    }
  }
  std::set<std::string> taken;
  for (size_t i = 0; i < n; ++i) {
    if (displayOrder[i]->omitted != 0) {
      continue;
    }
    const std::string base = PageNameOf(displayOrder[i]->fileName);
    std::string name = base;
    const std::string stem = base.substr(0, base.size() - 4);
    for (int suffix = 2; taken.count(name) != 0 || (name != base && plain.count(name) != 0);
         ++suffix) {
      name = FittingName(stem + "_" + std::to_string(suffix) + ".htm");
    }
    taken.insert(name);
    names[i] = name;
  }
  return names;
}
