#include "album/PixDir.h"

#include <algorithm>
#include <ctime>
#include <utility>

#include "album/AlbumLoad.h"
#include "album/AlbumPass.h"
#include "album/SheetView.h"

CPixDir::CPixDir(CPlatformUi& ui) : ui_(ui) {
  SetPictureMemoryBudget(PictureMemoryBudget());
  history_.SetChanged([this] {
    if (sheetView_ != nullptr) {
      sheetView_->CommandsChanged();
    }
  });
}

CPixDir::~CPixDir() = default;

CAlbumEntry* CPixDir::SelectedEntry() {
  if (selection_ < 0 || selection_ >= count_) {
    return nullptr;
  }
  return &EntryAt(selection_);
}

void CPixDir::SetFolder(std::string path, std::string name) {
  dirPath_ = std::move(path);
  dirName_ = std::move(name);
}

CAlbumEntry& CPixDir::AddPicture(CAlbumEntry entry) {
  entry.index = entry.order = count_;
  if (entries_.size() < entries_.capacity()) {
    CAlbumEntry& added = entries_.emplace_back(std::move(entry));
    displayOrder_.push_back(&added);
    count_ = static_cast<int32_t>(entries_.size());
    return added;
  }
  // The entries move: the display order points at them again by their scan indexes.
  std::vector<size_t> shown;
  for (const CAlbumEntry* e : displayOrder_) {
    shown.push_back(static_cast<size_t>(e->index));
  }
  entries_.push_back(std::move(entry));
  shown.push_back(entries_.size() - 1);
  displayOrder_.clear();
  for (const size_t index : shown) {
    displayOrder_.push_back(&entries_[index]);
  }
  count_ = static_cast<int32_t>(entries_.size());
  return entries_.back();
}

void CPixDir::SortDisplayOrder() {
  std::sort(displayOrder_.begin(), displayOrder_.end(),
            [](const CAlbumEntry* a, const CAlbumEntry* b) { return CompareOrder(a, b) < 0; });
}

void CPixDir::RepaintSheet() {
  if (sheetView_ != nullptr) {
    sheetView_->Repaint();
  }
}

void CPixDir::OpenLog() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  OpenLog(local);
}

void CPixDir::OpenLog(const std::tm& now) {
  if (!log_.Open(now)) {
    settings_.AdvancedSettings.KeepLog = 0;
    ui_.MessageBox(nullptr, "Could not create LOG file", MsgIcon::Error, MsgButtons::Ok);
  }
}

void CPixDir::CloseLog() { log_.Close(); }

void CPixDir::WriteLogLine(const std::string& line) {
  if (settings_.AdvancedSettings.KeepLog == 1) {
    log_.WriteLine(line);
  }
}

void CPixDir::RebuildThumbs() {
  if (rebuildThumbs_) {
    rebuildThumbs_();
  } else {
    BeginPass(SketchPass());
  }
}

void CPixDir::KeepDiagnosticWindow(std::unique_ptr<CWindowObject> window) {
  diagnosticWindow_ = std::move(window);
}

void CPixDir::CloseWindows() {
  pictureWindow_.reset();
  diagnosticWindow_.reset();
}

void CPixDir::MoveAfter(int dragged, int target) {
  if (dragged == target || dragged < 0 || target < 0 || dragged >= count_ || target >= count_) {
    return;
  }
  CAlbumEntry& moving = EntryAt(dragged);
  CAlbumEntry& onto = EntryAt(target);
  const int os = moving.order;
  const int ot = onto.order;
  if (os == ot + 1) {
    return;  // already right after the target: not even a re-sort
  }
  if (os == ot - 1) {
    moving.order = os + 1;
    onto.order = ot - 1;
  } else if (ot > os) {
    // Towards the end: everything between closes the gap.
    for (int i = 0; i < count_; ++i) {
      CAlbumEntry& e = EntryAt(i);
      if (i != dragged && e.order > os && e.order <= ot) {
        --e.order;
      }
    }
    moving.order = ot;
  } else {
    // Towards the start: everything between moves one place on.
    for (int i = 0; i < count_; ++i) {
      CAlbumEntry& e = EntryAt(i);
      if (i != dragged && e.order > ot && e.order < os) {
        ++e.order;
      }
    }
    moving.order = ot + 1;
  }
  SortDisplayOrder();
}
