#include "views/AlbumSignals.h"

#include <QMetaMethod>

bool CAlbumSignals::PassStarted() {
  if (!isSignalConnected(QMetaMethod::fromSignal(&CAlbumSignals::passStarted))) {
    return false;
  }
  emit passStarted();
  return true;
}
