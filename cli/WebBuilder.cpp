#include "cli/WebBuilder.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <system_error>

#include "album/AlbumPath.h"
#include "album/ImageFind.h"
#include "album/PixDir.h"
#include "album/PictureReader.h"
#include "cli/CliOptions.h"
#include "web/OnePassBuild.h"
#include "cli/SettingOption.h"
#include "cli/StderrUi.h"
#include "imaging/PathJoin.h"
#include "web/MadeWebFiles.h"
#include "web/WebElement.h"

namespace fs = std::filesystem;

namespace {

constexpr int kDone = 0;
constexpr int kFailed = 1;
constexpr int kUsage = 2;

std::string SizeText(int width, int height) {
  return std::to_string(width) + "x" + std::to_string(height);
}

// One line per picture in display order.
void ListAlbum(CPixDir& album, std::ostream& out) {
  for (int position = 0; position < album.Pictures().Count(); ++position) {
    const CAlbumEntry& e = album.Pictures().EntryAtPosition(position);
    out << position << '\t' << e.index << '\t' << e.fileName << '\t'
        << SizeText(e.pictureWidth, e.pictureHeight) << '\t'
        << SizeText(e.thumb.Width(), e.thumb.Height()) << '\t'
        << SizeText(e.thumb.displayWidth, e.thumb.displayHeight) << '\t' << e.omitted << '\t'
        << e.date << '\t' << e.caption << '\n';
  }
}

// Applies every --set; false after saying which one is wrong.
bool ApplySettings(CAlbumSettings& settings, const CliOptions& options, std::ostream& err) {
  std::string error;
  for (const auto& [name, value] : options.settings) {
    if (name == "KeepLog" && value != "0") {
      error = "quillaran-web keeps no run log; KeepLog is the desktop program's";
    }
    if (!error.empty() || !SetSettingByName(settings, name, value, error)) {
      err << "quillaran-web: " << error << "\n"
          << "Try 'quillaran-web --help'.\n";
      return false;
    }
  }
  return true;
}

// Whether the album can be made in directory; false after saying why not.
bool CheckDirectory(const std::string& directory, bool writing, std::ostream& err) {
  std::error_code error;
  const fs::file_status status = fs::status(directory, error);
  std::string problem;
  if (!fs::exists(status)) {
    problem = " does not exist";
  } else if (!fs::is_directory(status)) {
    problem = " is not a directory";
  } else if (writing && ::faccessat(AT_FDCWD, directory.c_str(), W_OK, AT_EACCESS) != 0) {
    problem = " cannot be written: " + std::generic_category().message(errno);
  }
  if (!problem.empty()) {
    err << "quillaran-web: " << directory << problem << "\n";
  }
  return problem.empty();
}

}  // namespace

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
  CStderrUi ui(err, showProgress);
  ui.limitAnswer = options.limit;
  ui.caption = options.caption;
  ui.date = options.date;
  CPixDir album(ui);
  bool applied = false;
  album.Record().ChangeSettings([&](CAlbumSettings& settings) {
    settings.LoadSettings(profile);
    // The run log belongs to the desktop program's runs.
    settings.AdvancedSettings.KeepLog = 0;
    // Settings reach the loader (SafePixNum, ThumbSize), and are applied again over the
    // directory's record below.
    applied = ApplySettings(settings, options, err);
  });
  if (!applied) {
    return kUsage;
  }
  if (!CheckDirectory(options.directory, !options.list || options.saveRecord, err)) {
    return kFailed;
  }

  // Absolute before anything changes the current directory.
  std::string directory;
  std::string name;
  if (!AlbumDirectoryOf(options.directory, directory, name)) {
    return kFailed;
  }
  {
    CImageFind counter;
    const int found = counter.Find(directory);
    const int safe = album.Settings().AdvancedSettings.SafePixNum;
    ui.expectedPictures = options.limit && found > safe ? safe : found;
  }
  // A listing shows the thumbs as the desktop program builds them; an album is made in one
  // pass that keeps no picture.
  const int threads = options.threads > 0 ? options.threads : PictureReaderThreads();
  const auto applyCommandLine = [&](CAlbumSettings& settings) {
    ApplySettings(settings, options, err);
  };
  CMemoryBudget budget(PictureMemoryBudget());
  COnePassBuild pass(album, !options.assumeImages, threads, applyCommandLine, budget);
  pass.remakeAll = options.remakeAll;
  const int opened =
      options.list ? album.Loader().OpenDirectory(directory) : pass.OpenDirectory(directory);
  ui.FinishProgress();
  if (opened != 1) {
    return kFailed;
  }

  const CGeneralSettings generalBefore = album.Settings().GeneralSettings;
  album.Record().ChangeSettings(
      [&](CAlbumSettings& settings) { ApplySettings(settings, options, err); });  // checked above
  if (!(album.Settings().GeneralSettings == generalBefore)) {
    if (options.list) {
      album.Loader().BuildAllThumbs();
    } else {
      pass.RebuildThumbs();
    }
  }
  if (options.saveRecord && !album.Record().WriteRecord()) {
    return kFailed;
  }
  if (options.list) {
    ListAlbum(album, out);
    return kDone;
  }

  CWebElement web(album);
  const WebImageRun written = pass.ImageRun();
  web.writtenImages = &written;
  if (web.CreateWebPage(album.Record().DirName(), album.Pictures().DisplayOrder(),
                        album.Pictures().Count(),
                        options.assumeImages ? ImageFiles::AssumeExist : ImageFiles::Write) != 1) {
    err << "Could not create Web Page\n";
    return kFailed;
  }
  if (showProgress && written.made) {
    err << written.made->Summary() << "\n";
  }
  out << InDirectory(album.Record().DirPath(), "pix_index.htm") << "\n";
  return kDone;
}
