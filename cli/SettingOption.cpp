#include "cli/SettingOption.h"

#include <charconv>
#include <string_view>
#include <type_traits>

#include "album/AlbumSettings.h"
#include "album/Settings.h"

namespace {

const char kColourSetting[] = "FrameColor";
const char kTextColourSetting[] = "WTextColor";

bool ParseWholeNumber(const std::string& text, int32_t& value) {
  const char* first = text.data();
  const char* last = text.data() + text.size();
  if (first != last && *first == '+') {
    ++first;
  }
  const auto [end, error] = std::from_chars(first, last, value);
  return error == std::errc() && end == last && first != last;
}

// "#RRGGBB" as the stored 0x00BBGGRR.
bool ParseHtmlColour(const std::string& text, int32_t& value) {
  uint32_t rgb = 0;
  if (text.size() != 7 || text[0] != '#') {
    return false;
  }
  const auto [end, error] = std::from_chars(text.data() + 1, text.data() + 7, rgb, 16);
  if (error != std::errc() || end != text.data() + 7) {
    return false;
  }
  value = static_cast<int32_t>(((rgb >> 16) & 0xFF) | (rgb & 0xFF00) | ((rgb & 0xFF) << 16));
  return true;
}

// "a web colour name: aqua, black, ... or white".
std::string ColourNamesText(const CWebColors& colours) {
  std::string text = "a web colour name:";
  for (int i = 0; i < colours.GetCount(); ++i) {
    if (!colours.At(i).name.empty()) {
      text += (i > 0 ? ", " : " ") + colours.At(i).name;
    }
  }
  return text;
}

std::string RangeText(const SettingRange& range) {
  std::string text = std::to_string(range.min) + ".." + std::to_string(range.max);
  return range.name == kColourSetting ? text + " (0x00BBGGRR) or #RRGGBB" : text;
}

// The value of a numeric setting from its text; false when it is no number in the range.
bool ParseInRange(const SettingRange& range, const std::string& text, int32_t& value) {
  int32_t parsed = 0;
  const bool read = ParseWholeNumber(text, parsed) ||
                    (range.name == kColourSetting && ParseHtmlColour(text, parsed));
  if (!read || parsed < range.min || parsed > range.max) {
    return false;
  }
  value = parsed;
  return true;
}

}  // namespace

bool SetSettingByName(CAlbumSettings& settings, const std::string& name, const std::string& value,
                      std::string& error) {
  const SettingRange* range = FindSettingRange(name);
  bool found = false;
  bool valid = true;
  {
    VisitStoredSettings(
        settings.GeneralSettings, settings.WebViewSettings, settings.AdvancedSettings,
        [&](const char* settingName, auto& setting) {
          if (found || name != settingName) {
            return;
          }
          found = true;
          if constexpr (std::is_same_v<std::decay_t<decltype(setting)>, std::string>) {
            // The colour name goes into the style sheet as it is.
            valid = name != kTextColourSetting || settings.WebColors().Contains(value);
            if (valid) {
              setting = value;
            }
          } else {
            valid = range != nullptr && ParseInRange(*range, value, setting);
          }
        });
    if (found && valid && name == "HelpDirR") {
      settings.UpdateHelpFile();
    }
  }
  if (!found) {
    error = "there is no setting named " + name;
    return false;
  }
  if (!valid) {
    const std::string takes = range != nullptr             ? RangeText(*range)
                              : name == kTextColourSetting ? ColourNamesText(settings.WebColors())
                                                           : std::string("a whole number");
    error = "the setting " + name + " takes " + takes + ", not \"" + value + "\"";
    return false;
  }
  return true;
}

namespace {

// What each setting does, and the label it has in the Options dialog.
struct SettingMeaning {
  std::string_view name;
  std::string_view meaning;
};
constexpr SettingMeaning kMeanings[] = {
    {"ThumbSize", "the longest side of a thumb sketch in pixels (Thumbnail Sketch Size)"},
    {"FrameYorN", "1 draws a frame round each thumb (Display Thumbs with Frames)"},
    {"FrameGap", "the width of the frame in pixels (Minimum frame gap)"},
    {"FrameColor", "the colour of the frames (Select Color for Frames)"},
    {"FrameBrush", "the frames' pattern: 0 solid, 1 hatch, 2 stars, 3 dots (Select Pattern "
                   "for Frames)"},
    {"WebImmedDisplay", "1 opens the album in the browser once it is written (Display Web Page "
                        "Immediately); never in quillaran-web"},
    {"Learning", "1 makes the toolbar buttons explain themselves instead of acting (Learning "
                 "Mode ON)"},
    {"WPwidth", "the width of the index page in pixels (Web Page Width)"},
    {"Only1Date", "1 gives the album one date instead of one per picture (Only One Date)"},
    {"Only1Caption", "1 gives the album one caption instead of one per picture (Only One "
                     "Caption)"},
    {"LIOwnWP", "1 gives each picture a page of its own with Previous and Next (Each Large "
                "Image in own Web Page)"},
    {"LIOwnBrW", "1 opens those pages in a new browser window, not on pages for phones (with "
                 "New Browser Window)"},
    {"MaxOsize", "the longest side of the pictures' copies in Large/; 2000 is no limit, or "
                 "1280 with WebForPhones (Maximum Size for Display of Originals)"},
    {"WebForPhones", "1 writes pages that fit phones and tablets, with copies at twice the size "
                     "for sharp screens (Pages that fit phones and tablets)"},
    {"SafePixNum", "above this many pictures, asks whether to load only this many (Safe "
                   "Picture Number)"},
    {"TrueColor", "kept for the Options dialog; changes nothing (True Color Device)"},
    {"KeepLog", "1 keeps the desktop program's run log QuillaranLog.txt (Keep LOG); "
                "quillaran-web keeps none"},
    {"TextPage4Web", "1 writes an index page to finish in an HTML editor (Web Page for Text "
                     "Insertion)"},
    {"AntiAdFilter", "1 keeps thumbs out of the sizes that advert filters hide (Protect "
                     "Against Advert. Filters)"},
    {"AlwaysShowCaptions", "1 shows the captions under the sketches (Display Captions in "
                           "Quillaran)"},
    {"AutoCropStrategy", "the automatic crop: 0 none, 1 trims quiet sides, 2 frames the busiest "
                         "parts (AutoCrop Method)"},
};

std::string_view MeaningOf(std::string_view name) {
  for (const SettingMeaning& entry : kMeanings) {
    if (entry.name == name) {
      return entry.meaning;
    }
  }
  return {};
}

// The text of one setting, broken into lines that fit 80 columns after the name's column.
std::string SettingLines(std::string_view name, const std::string& text) {
  constexpr size_t kColumn = 22;
  constexpr size_t kWidth = 80 - kColumn;
  std::string lines = "  " + std::string(name);
  lines.resize(kColumn, ' ');
  size_t lineLength = 0;
  size_t at = 0;
  while (at < text.size()) {
    size_t end = text.find(' ', at);
    end = end == std::string::npos ? text.size() : end;
    const std::string word = text.substr(at, end - at);
    if (lineLength > 0 && lineLength + 1 + word.size() > kWidth) {
      lines += "\n" + std::string(kColumn, ' ');
      lineLength = 0;
    } else if (lineLength > 0) {
      lines += ' ';
      ++lineLength;
    }
    lines += word;
    lineLength += word.size();
    at = end + 1;
  }
  return lines + "\n";
}

}  // namespace

std::string SettingsHelp() {
  std::string text =
      "Settings for --set, each with its label in the Options dialog in brackets:\n";
  for (const SettingRange& range : SettingRanges()) {
    text += SettingLines(range.name, std::string(MeaningOf(range.name)) + "; " +
                                         RangeText(range) + ", default " +
                                         std::to_string(range.defaultValue));
  }
  text += SettingLines("WTextColor", "the pages' text colour (Text Color Name), a web colour "
                                     "name, default " + CWebViewSettings{}.WTextColor);
  text += SettingLines("HelpDirR", "the folder or web address of the help page (Directory for "
                                   "Help File)");
  text += SettingLines("TopDir2Look", "the folder where the directory dialog starts (Favorite "
                                      "Directory)");
  return text;
}
