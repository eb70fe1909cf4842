#include "cli/CliOptions.h"

#include <cstdlib>

#include "cli/SettingOption.h"

namespace {

// Takes the value of an option given as "--name VALUE" or "--name=VALUE".
bool TakeValue(const std::vector<std::string>& args, size_t& i, const std::string& name,
               std::string& value, std::string& error) {
  const std::string& arg = args[i];
  if (arg.size() > name.size() && arg.compare(0, name.size() + 1, name + "=") == 0) {
    value = arg.substr(name.size() + 1);
    return true;
  }
  if (i + 1 >= args.size()) {
    error = "option " + name + " needs a value";
    return false;
  }
  value = args[++i];
  return true;
}

bool IsOption(const std::string& arg, const std::string& name) {
  return arg == name || arg.rfind(name + "=", 0) == 0;
}

}  // namespace

bool ParseCliOptions(const std::vector<std::string>& args, CliOptions& options, std::string& error) {
  bool directoryGiven = false;
  bool optionsEnded = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    std::string value;
    if (optionsEnded || arg.empty() || arg[0] != '-' || arg == "-") {
      if (directoryGiven) {
        error = "only one directory can be given";
        return false;
      }
      options.directory = arg;
      directoryGiven = true;
    } else if (arg == "--") {
      optionsEnded = true;
    } else if (arg == "--help" || arg == "-h") {
      options.help = true;
    } else if (arg == "--version") {
      options.version = true;
    } else if (arg == "--assume-images") {
      options.assumeImages = true;
    } else if (arg == "--force") {
      options.remakeAll = true;
    } else if (arg == "--limit") {
      options.limit = true;
    } else if (arg == "--no-limit") {
      options.limit = false;
    } else if (arg == "--save-record") {
      options.saveRecord = true;
    } else if (arg == "--list") {
      options.list = true;
    } else if (IsOption(arg, "--set")) {
      if (!TakeValue(args, i, "--set", value, error)) {
        return false;
      }
      const size_t equals = value.find('=');
      if (equals == std::string::npos || equals == 0) {
        error = "--set needs NAME=VALUE, not \"" + value + "\"";
        return false;
      }
      options.settings.emplace_back(value.substr(0, equals), value.substr(equals + 1));
    } else if (IsOption(arg, "--threads")) {
      if (!TakeValue(args, i, "--threads", value, error)) {
        return false;
      }
      const int threads = std::atoi(value.c_str());
      if (threads < 1 || threads > 64 || std::to_string(threads) != value) {
        error = "--threads takes 1..64, not \"" + value + "\"";
        return false;
      }
      options.threads = threads;
    } else if (IsOption(arg, "--caption")) {
      if (!TakeValue(args, i, "--caption", value, error)) {
        return false;
      }
      options.caption = value;
    } else if (IsOption(arg, "--date")) {
      if (!TakeValue(args, i, "--date", value, error)) {
        return false;
      }
      options.date = value;
    } else {
      error = "unknown option " + arg;
      return false;
    }
  }
  if (!directoryGiven && !options.help && !options.version) {
    error = "no directory given";
    return false;
  }
  return true;
}

std::string CliUsage() {
  return "Usage: quillaran-web [options] DIR\n"
         "Loads the pictures of DIR as Quillaran opens a directory (your saved settings, then\n"
         "the directory's record file Quillaran.txt) and writes the web album into DIR:\n"
         "pix_index.htm, Thumbs/, Large/ and the style sheet.\n"
         "\n"
         "Options:\n"
         "  --assume-images     write only the pages and the style sheet, with the sizes of\n"
         "                      the copies that Large/ holds from an earlier run\n"
         "  --force             make every image file again; without it, the files that an\n"
         "                      earlier run made of the same picture file at the same\n"
         "                      settings are kept, listed in Thumbs/.quillaran-made\n"
         "  --limit             load only as many pictures as SafePixNum allows\n"
         "  --no-limit          load every picture (the default)\n"
         "  --set NAME=VALUE    change a setting for this run: before loading, and again over\n"
         "                      the record file's settings, e.g.\n"
         "                      --set ThumbSize=160 --set FrameYorN=0 --set WTextColor=navy\n"
         "  --caption TEXT      the caption of the whole album (with Only1Caption)\n"
         "  --date TEXT         the date of the whole album (with Only1Date)\n"
         "  --save-record       write Quillaran.txt after loading\n"
         "  --list              write nothing; list the album in display order, one picture a\n"
         "                      line, tab-separated: position, index, file name, picture size,\n"
         "                      thumb bitmap size, thumb display size, omitted, date, caption\n"
         "  --threads N         decode and write on N threads (default: one per core, up to 8);\n"
         "                      the album is the same with any number\n"
         "  --help              show this text\n"
         "  --version           show the version\n"
         "\n" +
         SettingsHelp() +
         "\n"
         "Exit status: 0 done, 1 no album could be loaded or the web page could not be\n"
         "created, 2 wrong usage. Your settings are read, never written.\n";
}
