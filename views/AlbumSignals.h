#pragma once
// The album's notifications (CAlbumObserver) as Qt signals, so that the widgets that show the
// album follow it through connections rather than by being its observer themselves.

#include <QObject>

#include "album/AlbumObserver.h"

class CAlbumSignals : public QObject, public CAlbumObserver {
  Q_OBJECT
 public:
  explicit CAlbumSignals(QObject* parent = nullptr) : QObject(parent) {}

  void Repaint() override { emit repaintAsked(); }
  void LoadingStarted() override { emit loadingStarted(); }
  void LoadingEnded(int opened) override { emit loadingEnded(opened); }
  // A pass is driven by whoever follows passStarted; without one the album runs it at once.
  bool PassStarted() override;
  void PassEnded() override { emit passEnded(); }
  void CommandsChanged() override { emit commandsChanged(); }

 signals:
  void repaintAsked();
  void loadingStarted();
  // opened: CAlbumLoader::OpenDirectory's result.
  void loadingEnded(int opened);
  void passStarted();
  void passEnded();
  void commandsChanged();
};
