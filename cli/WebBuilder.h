#pragma once
// quillaran-web: loads a directory as the desktop program opens it and writes its web album.

#include <ostream>
#include <string>
#include <vector>

class CProfileStore;

// Runs the builder with the arguments (without the program name). Listings go to out,
// messages to err; progress is shown on err when showProgress is set. The profile is read,
// never written. Returns the exit status: 0 done, 1 no album or no web page, 2 usage error.
int RunQuillaranWeb(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                    CProfileStore& profile, bool showProgress);
