#pragma once
// An in-memory profile that records the order of writes.

#include <map>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "platform/ProfileStore.h"

class FakeProfileStore : public CProfileStore {
 public:
  using Value = std::variant<int, std::string>;
  std::map<std::pair<std::string, std::string>, Value> values;
  std::vector<std::string> readOrder;   // value names in the order they were read
  std::vector<std::string> writeOrder;  // value names in the order they were written

  int GetProfileInt(const std::string& section, const std::string& entry,
                    int defaultValue) override {
    readOrder.push_back(entry);
    auto it = values.find({section, entry});
    if (it == values.end() || !std::holds_alternative<int>(it->second)) {
      return defaultValue;
    }
    return std::get<int>(it->second);
  }
  std::string GetProfileString(const std::string& section, const std::string& entry,
                               const std::string& defaultValue) override {
    readOrder.push_back(entry);
    auto it = values.find({section, entry});
    if (it == values.end() || !std::holds_alternative<std::string>(it->second)) {
      return defaultValue;
    }
    return std::get<std::string>(it->second);
  }
  bool WriteProfileInt(const std::string& section, const std::string& entry,
                       int value) override {
    writeOrder.push_back(entry);
    values[{section, entry}] = value;
    return true;
  }
  bool WriteProfileString(const std::string& section, const std::string& entry,
                          const std::string& value) override {
    writeOrder.push_back(entry);
    values[{section, entry}] = value;
    return true;
  }
};
