#include "album/Settings.h"

#include <string_view>
#include <type_traits>

#include "album/PixDir.h"
#include "platform/ProfileStore.h"

std::string DefaultHelpDir() { return QUILLARAN_HELP_DIR; }

namespace {

const char kSection[] = "Parameters";
const char kHelpPage[] = "QuillaranHelp.htm";
// Web addresses join with "/"; so do directories on this platform. The two are kept apart so
// that the rule for addresses stays visible.
constexpr char kWebSeparator = '/';
constexpr char kPathSeparator = '/';

}  // namespace

void CPixDir::LoadSettings(CProfileStore& store) {
  // Start from the defaults so that a missing value reads as its default.
  GeneralSettings = {};
  WebViewSettings = {};
  AdvancedSettings = {};
  VisitStoredSettings(GeneralSettings, WebViewSettings, AdvancedSettings,
                      [&](const char* name, auto& value) {
                        if constexpr (std::is_same_v<std::decay_t<decltype(value)>, std::string>) {
                          value = store.GetProfileString(kSection, name, value);
                        } else {
                          value = store.GetProfileInt(kSection, name, value);
                        }
                        if (std::string_view(name) == "HelpDirR") {
                          UpdateHelpFile();
                        }
                      });
}

void CPixDir::SaveSettings(CProfileStore& store) const {
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

void CPixDir::UpdateHelpFile(CAdvancedSettings* block) {
  CAdvancedSettings& settings = block != nullptr ? *block : AdvancedSettings;
  std::string& dir = settings.HelpDirR;
  // Only the exact lower-case "http" marks a web address.
  const char separator = dir.rfind("http", 0) == 0 ? kWebSeparator : kPathSeparator;
  if (dir.empty() || dir.back() != separator) {
    dir += separator;  // the stored setting itself gets the separator
  }
  settings.helpFile = dir + kHelpPage;
}
