#pragma once
// The user's persistent profile: integers and strings by section and value name.
// The program keeps it in QSettings; tests use an in-memory store.

#include <string>

class CProfileStore {
 public:
  virtual ~CProfileStore() = default;

  virtual int GetProfileInt(const std::string& section, const std::string& entry,
                            int defaultValue) = 0;
  virtual std::string GetProfileString(const std::string& section, const std::string& entry,
                                       const std::string& defaultValue) = 0;
  virtual bool WriteProfileInt(const std::string& section, const std::string& entry,
                               int value) = 0;
  virtual bool WriteProfileString(const std::string& section, const std::string& entry,
                                  const std::string& value) = 0;
};
