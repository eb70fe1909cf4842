#include "cli/SettingOption.h"

#include <charconv>
#include <string_view>
#include <type_traits>

#include "album/PixDir.h"
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

bool SetSettingByName(CPixDir& album, const std::string& name, const std::string& value,
                      std::string& error) {
  const SettingRange* range = FindSettingRange(name);
  bool found = false;
  bool valid = true;
  VisitStoredSettings(
      album.GeneralSettings, album.WebViewSettings, album.AdvancedSettings,
      [&](const char* settingName, auto& setting) {
        if (found || name != settingName) {
          return;
        }
        found = true;
        if constexpr (std::is_same_v<std::decay_t<decltype(setting)>, std::string>) {
          // The colour name goes into the style sheet as it is.
          valid = name != kTextColourSetting || album.WebColors().Contains(value);
          if (valid) {
            setting = value;
          }
        } else {
          valid = range != nullptr && ParseInRange(*range, value, setting);
        }
      });
  if (!found) {
    error = "there is no setting named " + name;
    return false;
  }
  if (!valid) {
    const std::string takes = range != nullptr             ? RangeText(*range)
                              : name == kTextColourSetting ? ColourNamesText(album.WebColors())
                                                           : std::string("a whole number");
    error = "the setting " + name + " takes " + takes + ", not \"" + value + "\"";
    return false;
  }
  if (name == "HelpDirR") {
    album.UpdateHelpFile();
  }
  return true;
}

std::string SettingsHelp() {
  auto line = [](std::string_view name, const std::string& meaning) {
    std::string text = "  " + std::string(name);
    text.resize(22, ' ');
    return text + meaning + "\n";
  };
  std::string text = "Settings for --set, with their ranges and defaults:\n";
  for (const SettingRange& range : SettingRanges()) {
    text += line(range.name, RangeText(range) + ", default " + std::to_string(range.defaultValue));
  }
  text += line("WTextColor", "a web colour name, default " + CWebViewSettings{}.WTextColor);
  text += line("HelpDirR", "the folder or web address of the help page");
  text += line("TopDir2Look", "the folder where the directory dialog starts");
  return text;
}
