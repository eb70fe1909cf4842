#pragma once
// Joining a directory and a name the one way everywhere: no doubled "/" (the root "/" and
// paths that already end with "/"), and the bare name when there is no directory.

#include <string>

std::string InDirectory(const std::string& directory, const std::string& name);
