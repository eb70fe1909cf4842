#include "appcore/WindowTitle.h"

#include "album/PixDir.h"

std::string WindowTitle(const CPixDir& album) {
  const std::string program = "Quillaran";
  if (!album.HasAlbum()) {
    return program;
  }
  return album.Record().DirName() + (album.Record().Dirty() == 1 ? "*" : "") + " - " + program;
}
