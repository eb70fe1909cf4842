#include "album/AlbumSettings.h"

#include <string_view>
#include <type_traits>

#include "platform/ProfileStore.h"

namespace {

const char kSection[] = "Parameters";
const char kHelpPage[] = "QuillaranHelp.htm";
// Web addresses join with "/"; so do directories on this platform. The two are kept apart so
// that the rule for addresses stays visible.
constexpr char kWebSeparator = '/';
constexpr char kPathSeparator = '/';

}  // namespace

void CAlbumSettings::LoadSettings(CProfileStore& store) {
  // Start from the defaults so that a missing value reads as its default. A stored value
  // outside the range that the options accept reads as its default too: a profile edited by
  // hand must not make a frame gap that overflows or a thumb canvas of a gigabyte.
  GeneralSettings = {};
  WebViewSettings = {};
  AdvancedSettings = {};
  VisitStoredSettings(
      GeneralSettings, WebViewSettings, AdvancedSettings, [&](const char* name, auto& value) {
        if constexpr (std::is_same_v<std::decay_t<decltype(value)>, std::string>) {
          value = store.GetProfileString(kSection, name, value);
          if (std::string_view(name) == "WTextColor" && !webColors_.Contains(value)) {
            value = CWebViewSettings{}.WTextColor;
          }
        } else {
          value = SettingOrDefault(name, store.GetProfileInt(kSection, name, value));
        }
        if (std::string_view(name) == "HelpDirR") {
          UpdateHelpFile();
        }
      });
}

void CAlbumSettings::SaveSettings(CProfileStore& store) const {
  // Write failures are ignored: there is nothing the user could do about them at exit.
  VisitStoredSettings(GeneralSettings, WebViewSettings, AdvancedSettings,
                      [&](const char* name, const auto& value) {
                        if constexpr (std::is_same_v<std::decay_t<decltype(value)>, std::string>) {
                          store.WriteProfileString(kSection, name, value);
                        } else {
                          store.WriteProfileInt(kSection, name, value);
                        }
                      });
}

void CAlbumSettings::UpdateHelpFile(CAdvancedSettings* block) {
  CAdvancedSettings& settings = block != nullptr ? *block : AdvancedSettings;
  std::string& dir = settings.HelpDirR;
  // Only the exact lower-case "http" marks a web address.
  const char separator = dir.rfind("http", 0) == 0 ? kWebSeparator : kPathSeparator;
  if (dir.empty() || dir.back() != separator) {
    dir += separator;  // the stored setting itself gets the separator
  }
  settings.helpFile = dir + kHelpPage;
}
