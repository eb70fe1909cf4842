#pragma once
// --set NAME=VALUE: a setting by its profile value name, checked against the range the
// options sheet allows.

#include <string>

class CAlbumSettings;

// Changes the named setting from its text. Numbers must be whole and inside the
// setting's range; FrameColor also takes "#RRGGBB". false, with a one-line reason naming the
// setting and its range in error, when there is no such setting or the value does not fit.
bool SetSettingByName(CAlbumSettings& settings, const std::string& name, const std::string& value,
                      std::string& error);

// The lines of --help that list the settings and their ranges.
std::string SettingsHelp();
