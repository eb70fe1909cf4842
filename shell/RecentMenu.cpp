#include "shell/RecentMenu.h"

#include <QAction>
#include <QHelpEvent>
#include <QMenu>
#include <QToolTip>
#include <algorithm>

#include "appcore/DirectoryFind.h"

namespace {

const char kTipsFiltered[] = "recentTipsOnly";

// The recent items' tool tips give their whole paths; the menu's other items would only
// repeat their own text (or the toolbar's wording of it), so they show none.
class CRecentTipsOnly : public QObject {
 public:
  using QObject::QObject;
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::ToolTip) {
      return false;
    }
    const QAction* item =
        static_cast<QMenu*>(watched)->actionAt(static_cast<QHelpEvent*>(event)->pos());
    const int id = item != nullptr ? item->data().toInt() : 0;
    if (id >= kRecentDirFirstId && id < kRecentDirFirstId + kRecentDirCount) {
      return false;
    }
    QToolTip::hideText();
    return true;
  }
};

}  // namespace

void InsertIntoMenu(const CDirectoryFind& recent, QMenu* menu, OldItems old) {
  if (menu == nullptr) {
    return;
  }
  QList<QAction*> items = menu->actions();
  if (old == OldItems::Remove) {
    for (qsizetype i = items.size() - 3; i >= 0 && !items[i]->text().isEmpty(); --i) {
      // The item may be the one whose command is running now: it goes once that is over.
      menu->removeAction(items[i]);
      items[i]->deleteLater();
    }
  }
  // The items go between the two separators over the last item, "Exit".
  const qsizetype first = std::max<qsizetype>(0, menu->actions().size() - 2);
  for (int i = 0; i < recent.dirCount; ++i) {
    auto* item = new QAction(QString::fromStdString(recent.Label(i)).replace('&', "&&"), menu);
    // The whole path tells two folders of the same name apart.
    const QString path = QString::fromStdString(recent.dirs[static_cast<size_t>(i)]);
    item->setData(kRecentDirFirstId + i);
    item->setToolTip(path);
    item->setStatusTip(recent.Exists(i) ? "Open this directory: " + path
                                        : "Not found, click to remove it from the list: " + path);
    menu->insertAction(menu->actions().value(first + i, nullptr), item);
  }
  menu->setToolTipsVisible(true);
  if (!menu->property(kTipsFiltered).toBool()) {
    menu->setProperty(kTipsFiltered, true);
    menu->installEventFilter(new CRecentTipsOnly(menu));
  }
}
