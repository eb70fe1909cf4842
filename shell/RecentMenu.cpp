#include "shell/RecentMenu.h"

#include <QAction>
#include <QMenu>
#include <algorithm>

#include "album/DirectoryFind.h"

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
  for (int i = 0; i < recent.dirCount; ++i) {
    auto* item = new QAction(QString::fromStdString(recent.Label(i)).replace('&', "&&"), menu);
    item->setData(kRecentDirFirstId + i);
    item->setStatusTip("Open this directory");
    item->setEnabled(recent.Exists(i));
    const qsizetype position = std::min<qsizetype>(i + 2, menu->actions().size());
    QAction* before = position < menu->actions().size() ? menu->actions()[position] : nullptr;
    menu->insertAction(before, item);
  }
}
