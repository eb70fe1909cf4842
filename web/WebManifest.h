#pragma once
// What the web album's files were made from, kept beside them in Thumbs/.quillaran-made, so
// that writing the album again makes only what changed. The list is written after the files,
// atomically: a run killed half way leaves the list of the run before, whose files that the
// killed run replaced no longer match it (another time or size), and are made again.

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "web/WebImages.h"

// One file as written: its path relative to the album, its size and modification time.
struct MadeFile {
  std::string path;
  int64_t size = 0;
  int64_t modifiedNs = 0;
  bool operator==(const MadeFile&) const = default;
};

// One picture's image files and what shaped them: the thumbs (Thumbs/, Thumbs/2x/) by
// thumbKey, the large copies (Large/, Large/2x/) by largeKey. Each key names the source file
// as it was (size, time, inode, cropped copy or not) and the settings that shape those files.
struct MadePicture {
  std::string fileName;
  std::string thumbKey;
  std::string largeKey;
  WebPageSizes sizes;  // what the pages tell of the images
  std::vector<MadeFile> files;
};

struct WebManifest {
  std::map<std::string, MadePicture> pictures;  // by file name
  std::vector<MadeFile> pages;                   // the pictures' pages in Large/
};

// "Thumbs/.quillaran-made".
extern const char* const kManifestPath;

// The album's list; empty when there is none, or when it is damaged or not a file of its own.
// Paths that do not name a file directly in Thumbs, Large or their 2x folders are dropped:
// the list never leads outside them.
WebManifest ReadManifest(const std::string& dirPath);
// Writes it atomically, unless it holds these bytes already; 0 or the error number.
int WriteManifest(const std::string& dirPath, const WebManifest& manifest);

// The file at path (relative to dirPath) as it is now; size -1 when it is no file of its own
// (missing, a link, a folder) or lies in a linked folder.
MadeFile StatMade(const std::string& dirPath, const std::string& path);
// Whether the file is still the one written: a file of its own of that size and time.
bool StillMade(const std::string& dirPath, const MadeFile& file);
