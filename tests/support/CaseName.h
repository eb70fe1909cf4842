#pragma once
// Names for the cases of parameterised tests, so that each case reads as what it is in the
// test list and in ctest ("Extensions/SaveByExtension.ExtensionChooses.../a_JPG").

#include <gtest/gtest.h>

#include <string>

// text as a test name holds it: letters and digits kept, every other byte "_".
inline std::string CaseName(const std::string& text) {
  std::string name;
  for (const char c : text) {
    const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
    name += plain ? c : '_';
  }
  return name.empty() ? "empty" : name;
}

// Names a case by the name field of its parameter.
struct ByNameField {
  template <typename Param>
  std::string operator()(const testing::TestParamInfo<Param>& info) const {
    return CaseName(info.param.name);
  }
};

// Names a case by its parameter, a text such as a file name.
struct ByValue {
  template <typename Param>
  std::string operator()(const testing::TestParamInfo<Param>& info) const {
    return CaseName(info.param);
  }
};
