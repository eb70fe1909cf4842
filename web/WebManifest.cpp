#include "web/WebManifest.h"

#include <sys/stat.h>

#include <charconv>
#include <fstream>

#include "imaging/OutputFolder.h"
#include "imaging/PathJoin.h"
#include "web/GeneratedFile.h"

const char* const kManifestPath = "Thumbs/.quillaran-made";

namespace {

const char kHeader[] = "quillaran-made 1";
const char kEnd[] = "end";

// Names may hold any byte but the separators: those are written as %XX.
std::string Escape(const std::string& text) {
  std::string out;
  for (const char c : text) {
    if (c == '%' || c == '\t' || c == '\n' || c == '\r') {
      static const char kHex[] = "0123456789ABCDEF";
      out += '%';
      out += kHex[(static_cast<unsigned char>(c) >> 4) & 15];
      out += kHex[static_cast<unsigned char>(c) & 15];
    } else {
      out += c;
    }
  }
  return out;
}

bool Unescape(const std::string& text, std::string& out) {
  out.clear();
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '%') {
      out += text[i];
      continue;
    }
    unsigned value = 0;
    if (i + 2 >= text.size() ||
        std::from_chars(text.data() + i + 1, text.data() + i + 3, value, 16).ptr !=
            text.data() + i + 3) {
      return false;
    }
    out += static_cast<char>(value);
    i += 2;
  }
  return true;
}

std::vector<std::string> Fields(const std::string& line) {
  std::vector<std::string> fields;
  size_t start = 0;
  for (size_t tab = line.find('\t'); tab != std::string::npos; tab = line.find('\t', start)) {
    fields.push_back(line.substr(start, tab - start));
    start = tab + 1;
  }
  fields.push_back(line.substr(start));
  return fields;
}

template <typename Number>
bool ToNumber(const std::string& text, Number& value) {
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size();
}

// Whether path names a file directly in one of the folders: never the list itself, never
// a way out of them.
bool InFolders(const std::string& path, std::initializer_list<const char*> folders) {
  for (const std::string folder : folders) {
    if (path.size() <= folder.size() || path.compare(0, folder.size(), folder) != 0) {
      continue;
    }
    const std::string name = path.substr(folder.size());
    return name.find('/') == std::string::npos && name != "." && name != ".." &&
           path != kManifestPath;
  }
  return false;
}

bool ReadFile(const std::vector<std::string>& fields, bool page, MadeFile& file) {
  return fields.size() == 4 && Unescape(fields[1], file.path) &&
         ToNumber(fields[2], file.size) && ToNumber(fields[3], file.modifiedNs) &&
         (page ? InFolders(file.path, {"Large/"})
               : InFolders(file.path, {"Thumbs/2x/", "Large/2x/", "Thumbs/", "Large/"}));
}

bool ReadPicture(const std::vector<std::string>& fields, MadePicture& picture) {
  int hasWeb = 0;
  WebPageSizes& sizes = picture.sizes;
  const bool read = fields.size() == 9 && Unescape(fields[1], picture.fileName) &&
                    Unescape(fields[2], picture.thumbKey) &&
                    Unescape(fields[3], picture.largeKey) &&
                    ToNumber(fields[4], sizes.pictureWidth) &&
                    ToNumber(fields[5], sizes.pictureHeight) && ToNumber(fields[6], hasWeb) &&
                    ToNumber(fields[7], sizes.webWidth) && ToNumber(fields[8], sizes.webHeight);
  sizes.hasWebImage = hasWeb == 1;
  return read && !picture.fileName.empty();
}

// The list's text; false when it is not one whole list.
bool Parse(std::istream& in, WebManifest& manifest) {
  std::string line;
  if (!std::getline(in, line) || line != kHeader) {
    return false;
  }
  MadePicture* picture = nullptr;
  while (std::getline(in, line)) {
    if (line == kEnd) {
      return !std::getline(in, line);
    }
    const std::vector<std::string> fields = Fields(line);
    MadePicture read;
    MadeFile file;
    if (fields[0] == "P" && ReadPicture(fields, read)) {
      picture = &manifest.pictures[read.fileName];
      *picture = std::move(read);
    } else if (fields[0] == "F" && picture != nullptr && ReadFile(fields, false, file)) {
      picture->files.push_back(std::move(file));
    } else if (fields[0] == "G" && ReadFile(fields, true, file)) {
      manifest.pages.push_back(std::move(file));
    } else {
      return false;
    }
  }
  return false;  // cut short
}

std::string FileLine(char kind, const MadeFile& file) {
  return std::string(1, kind) + '\t' + Escape(file.path) + '\t' + std::to_string(file.size) +
         '\t' + std::to_string(file.modifiedNs) + '\n';
}

}  // namespace

WebManifest ReadManifest(const std::string& dirPath) {
  WebManifest manifest;
  if (StatMade(dirPath, kManifestPath).size < 0) {
    return manifest;
  }
  std::ifstream in(InDirectory(dirPath, kManifestPath), std::ios::binary);
  if (!in || !Parse(in, manifest)) {
    return {};
  }
  return manifest;
}

int WriteManifest(const std::string& dirPath, const WebManifest& manifest) {
  std::string text = std::string(kHeader) + '\n';
  for (const auto& [name, picture] : manifest.pictures) {
    const WebPageSizes& s = picture.sizes;
    text += "P\t" + Escape(name) + '\t' + Escape(picture.thumbKey) + '\t' +
            Escape(picture.largeKey) + '\t' + std::to_string(s.pictureWidth) + '\t' +
            std::to_string(s.pictureHeight) + '\t' + (s.hasWebImage ? "1" : "0") + '\t' +
            std::to_string(s.webWidth) + '\t' + std::to_string(s.webHeight) + '\n';
    for (const MadeFile& file : picture.files) {
      text += FileLine('F', file);
    }
  }
  for (const MadeFile& page : manifest.pages) {
    text += FileLine('G', page);
  }
  text += std::string(kEnd) + '\n';
  // Unchanged, it keeps its time: a run that changed nothing changes no file of the album.
  return WriteGeneratedFile(InDirectory(dirPath, kManifestPath), text);
}

MadeFile StatMade(const std::string& dirPath, const std::string& path) {
  MadeFile file{path, -1, 0};
  // Every folder on the way lies in the album itself.
  for (size_t slash = path.find('/'); slash != std::string::npos;
       slash = path.find('/', slash + 1)) {
    if (FolderLinkError(InDirectory(dirPath, path.substr(0, slash))) != 0) {
      return file;
    }
  }
  struct stat status {};
  if (::lstat(InDirectory(dirPath, path).c_str(), &status) != 0 || !S_ISREG(status.st_mode)) {
    return file;
  }
  file.size = status.st_size;
  file.modifiedNs = static_cast<int64_t>(status.st_mtim.tv_sec) * 1000000000 +
                    status.st_mtim.tv_nsec;
  return file;
}

bool StillMade(const std::string& dirPath, const MadeFile& file) {
  return file.size >= 0 && StatMade(dirPath, file.path) == file;
}
