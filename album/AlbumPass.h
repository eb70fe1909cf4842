#pragma once
// Work on every picture of the open album done on worker threads while the window stays
// live: writing the web album's pictures, making the sketches again after an options change.
// The window's thread polls it (Continue), as it polls a load, to take what is done and show
// the progress; Stop lets no new picture begin and waits for those under way, so that every
// file that was being written is whole. What the workers said is said at the end, in item
// order, as a run on one thread says it.

#include <condition_variable>
#include <exception>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "album/DeferredUi.h"

class CAlbumPass {
 public:
  struct Work {
    int count = 0;
    int threads = 1;
    // Status pane 2 shows "<progressLabel> N/count" (none when empty).
    std::string progressLabel;
    // What the album says to a change asked for meanwhile (CAlbumLoader::RefuseWhileLoading).
    std::string refusal;
    // Item i, on a worker thread, each once; messages go to ui, said at the end.
    std::function<void(int i, CPlatformUi& ui)> run;
    // On the window's thread, with the items done since it was last called (may be empty).
    std::function<void(const std::vector<int>& items)> take;
    // On the window's thread at the end, once item i's messages were said, in item order, for
    // every item that ran (may be empty).
    std::function<void(int i)> said;
    // On the window's thread last; stopped when Stop left items out.
    std::function<void(bool stopped)> finish;
  };

  explicit CAlbumPass(Work work);
  // Stops and waits for the workers, without finishing.
  ~CAlbumPass();
  CAlbumPass(const CAlbumPass&) = delete;
  CAlbumPass& operator=(const CAlbumPass&) = delete;

  // Starts the workers.
  void Start();
  // Takes the items done so far (with wait: waits until more are done, or all) and shows the
  // progress through ui; false once every worker has ended, when Finish is due.
  bool Continue(CPlatformUi& ui, bool wait);
  // No item begins from now on; returns once the items under way are done.
  void Stop();
  // Says the messages and calls said and finish; a worker's exception (memory running out) is
  // passed on here.
  void Finish(CPlatformUi& ui);
  // Start (unless started), every Continue waiting, and Finish: the whole pass before it
  // returns.
  void RunToEnd(CPlatformUi& ui);
  const std::string& Refusal() const { return work_.refusal; }

 private:
  void Join();

  Work work_;
  std::vector<CDeferredUi> heard_;
  std::vector<char> ran_;       // by item: it ran (written by its worker before it counts done)
  std::vector<int> doneOrder_;  // the items done, in the order they were done
  int taken_ = 0;               // of doneOrder_, by Continue
  int shown_ = 0;               // the progress last shown
  bool started_ = false;
  bool ended_ = false;  // every worker has ended
  bool stopping_ = false;
  std::exception_ptr failure_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::thread runner_;
};
