#pragma once
// The user's profile in QSettings: organisation "Brackenfold", application "Quillaran", so on
// Linux the file ~/.config/Brackenfold/Quillaran.conf (XDG_CONFIG_HOME moves it), with the
// sections as groups ("Parameters", "RecentDir").

#include <QSettings>

#include "platform/ProfileStore.h"

class CQtProfileStore : public CProfileStore {
 public:
  CQtProfileStore();
  ~CQtProfileStore() override;

  int GetProfileInt(const std::string& section, const std::string& entry,
                    int defaultValue) override;
  std::string GetProfileString(const std::string& section, const std::string& entry,
                               const std::string& defaultValue) override;
  bool WriteProfileInt(const std::string& section, const std::string& entry, int value) override;
  bool WriteProfileString(const std::string& section, const std::string& entry,
                          const std::string& value) override;

  // Writes pending changes to disk; false when the file could not be written.
  bool Sync();
  QString FileName() const { return settings_.fileName(); }

 private:
  QSettings settings_;
};
