#include "album/Settings.h"

std::string DefaultHelpDir() { return QUILLARAN_HELP_DIR; }
