#include "album/Settings.h"

#include <filesystem>
#include <string_view>
#include <system_error>
#include <type_traits>

namespace {

std::string& FavouriteDir() {
  static std::string name = "Pictures";
  return name;
}

}  // namespace

std::string DefaultFavouriteDir() { return FavouriteDir(); }

void SetDefaultFavouriteDir(const std::string& name) { FavouriteDir() = name; }

namespace {

namespace fs = std::filesystem;

const char kHelpPage[] = "QuillaranHelp.htm";

// The dialog ranges of the numeric settings; the defaults come from the settings blocks.
struct Bounds {
  std::string_view name;
  int32_t min;
  int32_t max;
};
constexpr Bounds kBounds[] = {{"ThumbSize", 20, 400},
                              {"FrameYorN", 0, 1},
                              {"FrameGap", 2, 20},
                              {"FrameColor", 0, 0xFFFFFF},
                              {"FrameBrush", 0, 3},
                              {"WebImmedDisplay", 0, 1},
                              {"Learning", 0, 1},
                              {"WPwidth", 200, 1000},
                              {"Only1Date", 0, 1},
                              {"Only1Caption", 0, 1},
                              {"LIOwnWP", 0, 1},
                              {"LIOwnBrW", 0, 1},
                              {"MaxOsize", 300, 2000},
                              {"WebForPhones", 0, 1},
                              {"SafePixNum", 4, 64},
                              {"TrueColor", 0, 1},
                              {"KeepLog", 0, 1},
                              {"TextPage4Web", 0, 1},
                              {"AntiAdFilter", 0, 1},
                              {"AlwaysShowCaptions", 0, 1},
                              {"AutoCropStrategy", 0, 2},
                              {"SketchCacheMB", 0, 65536}};

std::vector<SettingRange> MakeSettingRanges() {
  std::vector<SettingRange> ranges;
  const CGeneralSettings general;
  const CWebViewSettings webView;
  const CAdvancedSettings advanced;
  VisitStoredSettings(general, webView, advanced, [&](const char* name, const auto& value) {
    if constexpr (std::is_same_v<std::decay_t<decltype(value)>, int32_t>) {
      for (const Bounds& b : kBounds) {
        if (b.name == name) {
          ranges.push_back({b.name, b.min, b.max, value});
        }
      }
    }
  });
  return ranges;
}

}  // namespace

std::string FindHelpDir(const std::string& exePath, const std::string& fallback) {
  std::error_code error;
  const fs::path installed = fs::path(exePath).parent_path().parent_path() / "share" / "quillaran";
  if (!exePath.empty() && fs::is_regular_file(installed / kHelpPage, error)) {
    return installed.lexically_normal().string();
  }
  return fallback;
}

std::string DefaultHelpDir() {
  // Found once: the program does not move while it runs.
  static const std::string dir = [] {
    std::error_code error;
    const fs::path exe = fs::read_symlink("/proc/self/exe", error);
    return FindHelpDir(error ? std::string() : exe.string(), QUILLARAN_HELP_DIR);
  }();
  return dir;
}

std::string HelpPageToOpen(const std::string& helpFile, const std::string& defaultDir,
                           std::string& tried) {
  std::error_code error;
  if (helpFile.find("://") != std::string::npos || fs::is_regular_file(helpFile, error)) {
    return helpFile;
  }
  tried = helpFile;
  const std::string installed = (fs::path(defaultDir) / kHelpPage).string();
  if (installed != helpFile) {
    if (fs::is_regular_file(installed, error)) {
      return installed;
    }
    tried += "\n" + installed;
  }
  return {};
}

const std::vector<SettingRange>& SettingRanges() {
  static const std::vector<SettingRange> ranges = MakeSettingRanges();
  return ranges;
}

const SettingRange* FindSettingRange(std::string_view name) {
  for (const SettingRange& range : SettingRanges()) {
    if (range.name == name) {
      return &range;
    }
  }
  return nullptr;
}

int32_t SettingOrDefault(std::string_view name, int32_t value) {
  const SettingRange* range = FindSettingRange(name);
  return range != nullptr && (value < range->min || value > range->max) ? range->defaultValue
                                                                        : value;
}
