#include "store/QtProfileStore.h"

namespace {

QString Key(const std::string& section, const std::string& entry) {
  return QString::fromStdString(section) + '/' + QString::fromStdString(entry);
}

}  // namespace

CQtProfileStore::CQtProfileStore()
    : settings_(QSettings::NativeFormat, QSettings::UserScope, "Brackenfold", "Quillaran") {}

CQtProfileStore::~CQtProfileStore() { settings_.sync(); }

int CQtProfileStore::GetProfileInt(const std::string& section, const std::string& entry,
                                   int defaultValue) {
  const QVariant value = settings_.value(Key(section, entry));
  if (!value.isValid()) {
    return defaultValue;
  }
  // A hand-edited value that is no 32-bit integer reads as missing.
  bool ok = false;
  const int number = value.toString().trimmed().toInt(&ok);
  return ok ? number : defaultValue;
}

std::string CQtProfileStore::GetProfileString(const std::string& section, const std::string& entry,
                                              const std::string& defaultValue) {
  const QVariant value = settings_.value(Key(section, entry));
  return value.isValid() ? value.toString().toStdString() : defaultValue;
}

bool CQtProfileStore::WriteProfileInt(const std::string& section, const std::string& entry,
                                      int value) {
  settings_.setValue(Key(section, entry), value);
  return settings_.status() == QSettings::NoError;
}

bool CQtProfileStore::WriteProfileString(const std::string& section, const std::string& entry,
                                         const std::string& value) {
  settings_.setValue(Key(section, entry), QString::fromStdString(value));
  return settings_.status() == QSettings::NoError;
}

bool CQtProfileStore::Sync() {
  settings_.sync();
  return settings_.status() == QSettings::NoError;
}
