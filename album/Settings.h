#pragma once
// The 25 user settings, named by their profile value names, in three blocks that the options
// sheet copies one page each.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct CGeneralSettings {
  int32_t ThumbSize = 120;
  int32_t FrameYorN = 1;
  int32_t FrameGap = 6;
  int32_t FrameColor = 0xC8C8C8;  // 0x00BBGGRR, light grey 200,200,200
  int32_t WebImmedDisplay = 1;
  int32_t FrameBrush = 0;  // 0 Solid, 1 Hatch, 2 Stars, 3 Dots
  int32_t Learning = 1;
  bool operator==(const CGeneralSettings&) const = default;
};

struct CWebViewSettings {
  int32_t MaxOsize = 2000;
  int32_t WPwidth = 600;
  int32_t Only1Date = 0;
  int32_t Only1Caption = 0;
  int32_t LIOwnWP = 1;
  int32_t LIOwnBrW = 1;
  std::string WTextColor = "maroon";
  // 1: pages that fit the screen of a phone, for touch and keyboard, with sharper large
  // copies on HiDPI screens; 0: the classic fixed-width pages.
  int32_t WebForPhones = 0;
  bool operator==(const CWebViewSettings&) const = default;
};

// Where the program's own help page is, as a directory: the data folder installed beside the
// program (FindHelpDir), else the source tree's resources/ when run from a build.
std::string DefaultHelpDir();
// The help directory for the program at exePath: <exe dir>/../share/quillaran when it holds
// QuillaranHelp.htm, else fallback.
std::string FindHelpDir(const std::string& exePath, const std::string& fallback);
// The help page to open for the saved helpFile: itself when it is a web address or a file that
// is there; else, when a saved folder is gone (a build tree deleted since, say), the page in
// defaultDir when that one is there. Empty when there is no page to open; tried then lists
// the pages looked for, one a line.
std::string HelpPageToOpen(const std::string& helpFile, const std::string& defaultDir,
                           std::string& tried);
// The name of the user's pictures folder, where directory selection starts ("Pictures" unless
// the desktop program names another at start).
std::string DefaultFavouriteDir();
void SetDefaultFavouriteDir(const std::string& name);

struct CAdvancedSettings {
  int32_t SafePixNum = 32;
  int32_t TrueColor = 1;
  int32_t KeepLog = 0;
  int32_t TextPage4Web = 0;
  int32_t AntiAdFilter = 1;
  int32_t AlwaysShowCaptions = 1;
  int32_t AutoCropStrategy = 1;
  std::string HelpDirR = DefaultHelpDir();
  std::string helpFile;  // derived from HelpDirR, never stored
  std::string TopDir2Look = DefaultFavouriteDir();
  // The most that the sketches kept between runs may take on disk, in megabytes.
  int32_t SketchCacheMB = 256;
  bool operator==(const CAdvancedSettings&) const = default;
};

// Calls visit(name, value) for the 25 stored settings in their reading order. The blocks may
// be const (saving) or not (loading).
template <class General, class WebView, class Advanced, class Visit>
void VisitStoredSettings(General& g, WebView& w, Advanced& a, Visit&& visit) {
  visit("ThumbSize", g.ThumbSize);
  visit("FrameYorN", g.FrameYorN);
  visit("FrameGap", g.FrameGap);
  visit("FrameColor", g.FrameColor);
  visit("FrameBrush", g.FrameBrush);
  visit("WebImmedDisplay", g.WebImmedDisplay);
  visit("Learning", g.Learning);
  visit("WPwidth", w.WPwidth);
  visit("Only1Date", w.Only1Date);
  visit("Only1Caption", w.Only1Caption);
  visit("LIOwnWP", w.LIOwnWP);
  visit("LIOwnBrW", w.LIOwnBrW);
  visit("MaxOsize", w.MaxOsize);
  visit("WTextColor", w.WTextColor);
  visit("WebForPhones", w.WebForPhones);
  visit("SafePixNum", a.SafePixNum);
  visit("TrueColor", a.TrueColor);
  visit("KeepLog", a.KeepLog);
  visit("HelpDirR", a.HelpDirR);
  visit("TextPage4Web", a.TextPage4Web);
  visit("AntiAdFilter", a.AntiAdFilter);
  visit("AlwaysShowCaptions", a.AlwaysShowCaptions);
  visit("AutoCropStrategy", a.AutoCropStrategy);
  visit("TopDir2Look", a.TopDir2Look);
  visit("SketchCacheMB", a.SketchCacheMB);
}

// A numeric stored setting with the range the options sheet accepts and its default on a
// clean profile.
struct SettingRange {
  std::string_view name;
  int32_t min = 0;
  int32_t max = 0;
  int32_t defaultValue = 0;
};

// The numeric stored settings in reading order; the text settings (WTextColor, HelpDirR,
// TopDir2Look) have no range.
const std::vector<SettingRange>& SettingRanges();
// The range of a numeric setting by its name; null for a text setting or an unknown name.
const SettingRange* FindSettingRange(std::string_view name);
// The value when it lies in the range of the named numeric setting, else its default.
int32_t SettingOrDefault(std::string_view name, int32_t value);
