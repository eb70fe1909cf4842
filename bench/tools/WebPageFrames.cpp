// quillaran_web_page_frames DIR [--blocking]: starts the desktop program on the offscreen
// platform with DIR, waits for its pictures, then runs "Create Web page" while the sheet asks
// to be repainted every 10 ms (as scrolling would), and prints in milliseconds the longest and
// the median gap between two paints of the sheet from the command to the end of the run, the
// run's time, the number of paints and when the longest gap began. --blocking writes the album as
// one call on the window's thread instead, as the command did before it wrote off that thread.

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QMessageBox>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <vector>

#include "album/MemoryBudget.h"
#include "app/TessalyApp.h"
#include "appcore/CommandTable.h"
#include "shell/MainFrame.h"
#include "views/TessalyView.h"
#include "web/WebElement.h"

namespace {

// Notes the time of every paint of the widget it watches.
class PaintClock : public QObject {
 public:
  explicit PaintClock(const QElapsedTimer& clock) : clock_(clock) {}
  std::vector<qint64> paints;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint) {
      paints.push_back(clock_.elapsed());
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  const QElapsedTimer& clock_;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2 || argc > 3 || (argc == 3 && std::strcmp(argv[2], "--blocking") != 0)) {
    std::fprintf(stderr, "usage: quillaran_web_page_frames DIR [--blocking]\n");
    return 2;
  }
  const bool blocking = argc == 3;
  KeepPictureBuffersInTheHeap();  // as the program's main does
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  QApplication::setOrganizationName("Brackenfold");
  QApplication::setApplicationName("Quillaran");

  QTimer answer;  // the picture-limit question: every picture loads
  QObject::connect(&answer, &QTimer::timeout, [] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      box->button(QMessageBox::No) != nullptr ? box->button(QMessageBox::No)->click()
                                              : box->accept();
    }
  });
  answer.start(1);

  CTessalyApp app;
  app.Start(QString::fromLocal8Bit(argv[1]));
  while (app.Album().Loader().IsLoading()) {
    QApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
  }
  CPixDir& album = app.Album();
  album.Record().ChangeSettings([](CAlbumSettings& settings) {
    settings.GeneralSettings.WebImmedDisplay = 0;  // no browser
    settings.GeneralSettings.Learning = 0;         // the command acts
  });
  QWidget* sheet = app.Frame()->View()->viewport();
  QApplication::processEvents();

  QElapsedTimer clock;
  clock.start();
  PaintClock paints(clock);
  sheet->installEventFilter(&paints);
  QTimer repaint;
  QObject::connect(&repaint, &QTimer::timeout, [sheet] { sheet->update(); });
  repaint.start(10);
  QTimer::singleShot(0, [&] {
    if (blocking) {
      CWebElement element(album);
      element.CreateWebPage(album.Record().DirName(), album.Pictures().DisplayOrder(),
                            album.Pictures().Count(), ImageFiles::Write);
    } else {
      app.Frame()->Action(ID_CREATE_WEB_PAGE)->trigger();
    }
  });
  QTimer watch;
  QObject::connect(&watch, &QTimer::timeout, [&] {
    if (clock.elapsed() > 50 && !album.Loader().IsBusy()) {
      application.quit();
    }
  });
  watch.start(5);
  application.exec();
  const qint64 total = clock.elapsed();

  std::vector<qint64> gaps;
  qint64 last = 0;  // from the command on
  qint64 longestAt = 0;
  for (const qint64 at : paints.paints) {
    gaps.push_back(at - last);
    longestAt = at - last >= *std::max_element(gaps.begin(), gaps.end()) ? last : longestAt;
    last = at;
  }
  gaps.push_back(total - last);
  longestAt = total - last >= *std::max_element(gaps.begin(), gaps.end()) ? last : longestAt;
  std::sort(gaps.begin(), gaps.end());
  std::printf(
      "%lld %lld %lld %zu %lld ms: longest and median gap between paints, run; paints; "
      "where the longest began; %d pictures\n",
      static_cast<long long>(gaps.back()), static_cast<long long>(gaps[gaps.size() / 2]),
      static_cast<long long>(total), paints.paints.size(), static_cast<long long>(longestAt),
      album.Pictures().Count());
  const bool written = std::filesystem::exists(album.Record().DirPath() + "/pix_index.htm");
  if (!written) {
    std::fprintf(stderr, "no web album was written\n");
  }
  album.Record().MarkRecordCurrent();
  app.Frame()->close();
  return album.Pictures().Count() > 0 && written ? 0 : 1;
}
