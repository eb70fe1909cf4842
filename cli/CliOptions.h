#pragma once
// The command line of quillaran-web.

#include <optional>
#include <string>
#include <utility>
#include <vector>

struct CliOptions {
  std::string directory;
  bool assumeImages = false;
  bool remakeAll = false;  // --force: make every image file again
  bool limit = false;  // the answer to the picture-limit question; all pictures by default
  std::vector<std::pair<std::string, std::string>> settings;  // --set NAME=VALUE, in order
  std::optional<std::string> caption;
  std::optional<std::string> date;
  bool saveRecord = false;
  bool list = false;
  int threads = 0;  // worker threads; 0: one per core
  bool help = false;
  bool version = false;
};

// Parses the arguments (without the program name). Returns true when they make sense;
// otherwise error holds a one-line reason.
bool ParseCliOptions(const std::vector<std::string>& args, CliOptions& options, std::string& error);

// The text of --help.
std::string CliUsage();
