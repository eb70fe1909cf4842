#pragma once
// What the album tells the window of its changes (views/ turns them into Qt signals): the
// sheet to repaint, the commands to show anew, and a load or a pass to keep going while it
// shows the pictures arriving.

class CAlbumObserver {
 public:
  virtual ~CAlbumObserver() = default;
  virtual void Repaint() = 0;
  // A directory has begun to load: the view calls CAlbumLoader::ContinueLoading, from the
  // window's own event loop, until it answers false.
  virtual void LoadingStarted() {}
  // The load has ended; opened is OpenDirectory's result.
  virtual void LoadingEnded(int opened) { (void)opened; }
  // A pass over the pictures has begun: a view that drives it (true) calls
  // CAlbumLoader::ContinuePass the same way until it answers false; else the album runs it to its
  // end at once.
  virtual bool PassStarted() { return false; }
  virtual void PassEnded() {}
  // What the commands may do has changed without a repaint (a step was added to the undo
  // history, or taken from it): the window shows their states anew.
  virtual void CommandsChanged() {}
};
