#include "cli/WebBuilder.h"

#include <charconv>
#include <filesystem>
#include <system_error>
#include <type_traits>

#include "album/ImageFind.h"
#include "album/PixDir.h"
#include "album/Settings.h"
#include "cli/CliOptions.h"
#include "cli/StderrUi.h"
#include "web/WebElement.h"

namespace fs = std::filesystem;

namespace {

constexpr int kDone = 0;
constexpr int kFailed = 1;
constexpr int kUsage = 2;

bool ParseWholeNumber(const std::string& text, int32_t& value) {
  const char* first = text.data();
  const char* last = text.data() + text.size();
  if (first != last && *first == '+') {
    ++first;
  }
  const auto [end, error] = std::from_chars(first, last, value);
  return error == std::errc() && end == last && first != last;
}

std::string SizeText(int width, int height) {
  return std::to_string(width) + "x" + std::to_string(height);
}

// One line per picture in display order.
void ListAlbum(CPixDir& album, std::ostream& out) {
  for (int position = 0; position < album.count; ++position) {
    const CAlbumEntry& e = album.EntryAtPosition(position);
    out << position << '\t' << e.index << '\t' << e.fileName << '\t'
        << SizeText(e.picture.Width(), e.picture.Height()) << '\t'
        << SizeText(e.thumb.Width(), e.thumb.Height()) << '\t'
        << SizeText(e.thumb.displayWidth, e.thumb.displayHeight) << '\t' << e.omitted << '\t'
        << e.date << '\t' << e.caption << '\n';
  }
}

// The directory as OpenDirectory takes it: its path ending with "/".
std::string DirectoryArgument(const std::string& directory) {
  std::error_code error;
  fs::path absolute = fs::absolute(directory, error);
  if (error) {
    absolute = directory;
  }
  std::string path = absolute.lexically_normal().string();
  if (path.empty() || path.back() != '/') {
    path += '/';
  }
  return path;
}

}  // namespace

bool SetSettingByName(CPixDir& album, const std::string& name, const std::string& value,
                      std::string& error) {
  bool found = false;
  bool valid = true;
  VisitStoredSettings(album.GeneralSettings, album.WebViewSettings, album.AdvancedSettings,
                      [&](const char* settingName, auto& setting) {
                        if (found || name != settingName) {
                          return;
                        }
                        found = true;
                        if constexpr (std::is_same_v<std::decay_t<decltype(setting)>, std::string>) {
                          setting = value;
                        } else {
                          valid = ParseWholeNumber(value, setting);
                        }
                      });
  if (!found) {
    error = "there is no setting named " + name;
    return false;
  }
  if (!valid) {
    error = "the setting " + name + " needs a whole number, not \"" + value + "\"";
    return false;
  }
  if (name == "HelpDirR") {
    album.UpdateHelpFile();
  }
  return true;
}

int RunQuillaranWeb(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                    CProfileStore& profile, bool showProgress) {
  CliOptions options;
  std::string error;
  if (!ParseCliOptions(args, options, error)) {
    err << "quillaran-web: " << error << "\n" << "Try 'quillaran-web --help'.\n";
    return kUsage;
  }
  if (options.help) {
    out << CliUsage();
    return kDone;
  }
  if (options.version) {
    out << "quillaran-web " << QUILLARAN_VERSION << "\n";
    return kDone;
  }
  std::error_code statError;
  if (!fs::is_directory(options.directory, statError)) {
    err << "quillaran-web: " << options.directory << " is not a directory\n";
    return kFailed;
  }

  CStderrUi ui(err, showProgress);
  ui.limitAnswer = options.limit;
  ui.caption = options.caption;
  ui.date = options.date;
  CPixDir album(ui);
  album.LoadSettings(profile);
  // The run log belongs to the desktop program's runs.
  album.AdvancedSettings.KeepLog = 0;

  const std::string directory = DirectoryArgument(options.directory);
  {
    CImageFind counter;
    const int found = counter.Find(directory);
    const int safe = album.AdvancedSettings.SafePixNum;
    ui.expectedPictures = options.limit && found > safe ? safe : found;
  }
  const int opened = album.OpenDirectory(directory);
  ui.FinishProgress();
  if (opened != 1) {
    return kFailed;
  }

  const CGeneralSettings generalBefore = album.GeneralSettings;
  for (const auto& [name, value] : options.settings) {
    if (!SetSettingByName(album, name, value, error)) {
      err << "quillaran-web: " << error << "\n";
      return kUsage;
    }
  }
  if (!(album.GeneralSettings == generalBefore)) {
    album.BuildAllThumbs();
  }
  if (options.saveRecord && !album.WriteRecord()) {
    return kFailed;
  }
  if (options.list) {
    ListAlbum(album, out);
    return kDone;
  }

  CWebElement web(album);
  if (web.CreateWebPage(album.dirName, album.displayOrder, album.count,
                        options.assumeImages ? 1 : 0) != 1) {
    err << "Could not create Web Page\n";
    return kFailed;
  }
  out << (fs::path(album.dirPath) / "pix_index.htm").string() << "\n";
  return kDone;
}
