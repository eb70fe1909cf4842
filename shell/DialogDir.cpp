#include "shell/DialogDir.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <filesystem>
#include <system_error>

#include "appcore/DirectoryListing.h"
#include "shell/ColorRef.h"

namespace {

constexpr int kNameColumn = 0;
constexpr int kPicturesColumn = 1;

std::string JoinPath(const std::string& path, const std::string& name) {
  return path.empty() || path.back() != '/' ? path + "/" + name : path + name;
}

// A typed path as a directory: "~" stands for the home directory.
std::string Expanded(const QString& typed) {
  QString text = typed.trimmed();
  if (text == "~" || text.startsWith("~/")) {
    text = QDir::homePath() + text.mid(1);
  }
  return text.toStdString();
}

// Why a typed path cannot be opened: it must be absolute and name an existing directory.
// Empty when it can.
QString RefusalOf(const QString& typed) {
  const std::string path = Expanded(typed);
  const QString shown = QString::fromStdString(path);
  std::error_code error;
  if (path.empty() || path.front() != '/') {
    return "Type the whole path of a folder, beginning with / or ~.";
  }
  if (std::filesystem::is_directory(path, error)) {
    return {};
  }
  if (std::filesystem::exists(path, error)) {
    return shown + " is a file, not a folder.";
  }
  if (error && error != std::errc::no_such_file_or_directory) {
    return shown + " cannot be read: " + QString::fromStdString(error.message()) + ".";
  }
  return "There is no folder " + shown + ".";
}

// A typed path as a directory, or empty when it is refused.
std::string TypedDirectory(const QString& typed) {
  return RefusalOf(typed).isEmpty() ? Expanded(typed) : std::string();
}

}  // namespace

CDialogDir::CDialogDir(std::string mostRecent, QWidget* parent)
    : QDialog(parent), mostRecent_(std::move(mostRecent)) {
  setWindowTitle("Directory Selection");
  pathField_ = new QLineEdit(this);
  pathField_->setObjectName("PathField");
  pathField_->setPlaceholderText("Type or paste a path");
  tree_ = new QTreeWidget(this);
  tree_->setObjectName("DirectoryTree");
  tree_->setColumnCount(2);
  tree_->setHeaderLabels({"Directory", "Pictures"});
  tree_->header()->setStretchLastSection(false);
  tree_->header()->setSectionResizeMode(kNameColumn, QHeaderView::Stretch);
  tree_->header()->setSectionResizeMode(kPicturesColumn, QHeaderView::ResizeToContents);
  tree_->setRootIsDecorated(true);
  nameField_ = new QLineEdit(this);
  nameField_->setObjectName("SelectedName");
  nameField_->setReadOnly(true);

  pathNote_ = new QLabel(this);
  pathNote_->setObjectName("PathNote");
  pathNote_->setWordWrap(true);
  pathNote_->setStyleSheet("color: #a40000");
  pathNote_->hide();

  auto* nameRow = new QHBoxLayout;
  nameRow->addWidget(new QLabel("Selected Directory", this));
  nameRow->addWidget(nameField_, 1);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(pathField_);
  layout->addWidget(pathNote_);
  layout->addWidget(tree_, 1);
  layout->addLayout(nameRow);
  layout->addWidget(buttons);
  resize(480, 520);

  connect(buttons, &QDialogButtonBox::accepted, this, &CDialogDir::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &CDialogDir::reject);
  connect(tree_, &QTreeWidget::itemExpanded, this, &CDialogDir::Expanding);
  connect(tree_, &QTreeWidget::itemCollapsed, this, &CDialogDir::Collapsing);
  connect(tree_, &QTreeWidget::itemSelectionChanged, this, &CDialogDir::SelectionChanged);
  connect(pathField_, &QLineEdit::textEdited, this, &CDialogDir::PathEdited);
  tree_->installEventFilter(this);
}

bool CDialogDir::eventFilter(QObject* watched, QEvent* event) {
  if (watched == tree_ && event->type() == QEvent::KeyPress &&
      static_cast<QKeyEvent*>(event)->key() == Qt::Key_Asterisk) {
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

void CDialogDir::SetStart(const std::string& favourite, TreeOpens treeOpens) {
  opens = treeOpens;
  std::error_code error;
  roots = {std::string(1, '/'),
           FavouriteRoot(std::filesystem::current_path(error).string(), favourite)};
  selectedName.clear();
  selectedPath.clear();
}

void CDialogDir::showEvent(QShowEvent* event) {
  InitTree();
  QDialog::showEvent(event);
  // The path field starts selected, so that a typed or pasted path replaces the one shown.
  pathField_->setFocus();
  pathField_->selectAll();
}

void CDialogDir::InitTree() {
  if (initialised_) {
    return;
  }
  initialised_ = true;
  QPalette palette = tree_->palette();
  palette.setColor(QPalette::Base, FromColorRef(treeBackground));
  tree_->setPalette(palette);
  tree_->setIndentation(20);
  QTreeWidgetItem* first = AddItem(nullptr, roots[0], 0);
  AddPlaceholderChild(first);
  if (roots[1].size() > 1) {
    QTreeWidgetItem* second = AddItem(nullptr, roots[1], ListDirectory(roots[1]).pictures);
    AddPlaceholderChild(second);
    if (ExpandToLast(second, 1) != 0) {
      return;
    }
  }
  ExpandToLast(first, 0);
}

QTreeWidgetItem* CDialogDir::AddItem(QTreeWidgetItem* parent, const std::string& text,
                                     int pictures) {
  auto* item = parent != nullptr ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(tree_);
  item->setText(kNameColumn, QString::fromStdString(text));
  if (pictures > 0) {
    item->setText(kPicturesColumn, QString::number(pictures));
    item->setTextAlignment(kPicturesColumn, Qt::AlignRight | Qt::AlignVCenter);
  }
  return item;
}

void CDialogDir::AddPlaceholderChild(QTreeWidgetItem* item) { new QTreeWidgetItem(item); }

std::string CDialogDir::FullPath(const QTreeWidgetItem* item) const {
  if (item == nullptr) {
    return {};
  }
  std::string path = item->text(kNameColumn).toStdString();
  for (const QTreeWidgetItem* up = item->parent(); up != nullptr; up = up->parent()) {
    path = JoinPath(up->text(kNameColumn).toStdString(), path);
  }
  return path;
}

int CDialogDir::FillChildren(QTreeWidgetItem* item, const std::string& path) {
  const DirectoryListing listing = ListDirectory(path);
  if (!listing.readable) {
    // A top-level directory that cannot be read now stays expandable, to try again later.
    if (item->parent() == nullptr) {
      AddPlaceholderChild(item);
    }
    return 0;
  }
  for (const std::string& name : listing.subdirs) {
    const DirectoryListing below = ListDirectory(JoinPath(path, name));
    QTreeWidgetItem* child = AddItem(item, name, below.pictures);
    if (!below.subdirs.empty()) {
      AddPlaceholderChild(child);
    }
  }
  return static_cast<int>(listing.subdirs.size());
}

int CDialogDir::AddPlaceholder(QTreeWidgetItem* item, const std::string& path) {
  if (ListDirectory(path).subdirs.empty()) {
    return 0;
  }
  AddPlaceholderChild(item);
  return 1;
}

void CDialogDir::Expanding(QTreeWidgetItem* item) {
  const std::string path = FullPath(item);
  delete item->takeChild(0);
  if (FillChildren(item, path) == 0) {
    item->setExpanded(false);  // nothing to show: the expansion is cancelled
  }
}

void CDialogDir::Collapsing(QTreeWidgetItem* item) {
  // Children are listed afresh at the next expansion, so changes on disk show.
  qDeleteAll(item->takeChildren());
  if (item->parent() != nullptr) {
    AddPlaceholder(item, FullPath(item));
  } else {
    AddPlaceholderChild(item);
  }
}

int CDialogDir::ExpandToLast(QTreeWidgetItem* item, int which) {
  if (opens == TreeOpens::AtTheRoots) {
    return 1;
  }
  return ExpandAlong(item, ComponentsAfter(mostRecent_, roots[static_cast<size_t>(which)])) > 0 ? 1
                                                                                                : 0;
}

int CDialogDir::ExpandAlong(QTreeWidgetItem* item, const std::vector<std::string>& components) {
  int matched = 0;
  for (const std::string& component : components) {
    item->setExpanded(true);  // lists the children, see Expanding
    const QString wanted = QString::fromStdString(component);
    QTreeWidgetItem* next = nullptr;
    for (int i = 0; i < item->childCount() && next == nullptr; ++i) {
      if (item->child(i)->text(kNameColumn) == wanted) {
        next = item->child(i);
      }
    }
    if (next == nullptr) {
      break;
    }
    item = next;
    ++matched;
  }
  if (matched > 0) {
    tree_->scrollToItem(item, QAbstractItemView::PositionAtTop);
    tree_->setCurrentItem(item);
  }
  return matched;
}

void CDialogDir::SelectionChanged() {
  const QList<QTreeWidgetItem*> selected = tree_->selectedItems();
  if (selected.isEmpty()) {
    return;
  }
  selectedName = selected.front()->text(kNameColumn).toStdString();
  nameField_->setText(QString::fromStdString(selectedName));
  selectedPath = FullPath(selected.front());
  if (!followingField_) {
    pathField_->setText(QString::fromStdString(selectedPath));
  }
}

void CDialogDir::PathEdited(const QString& text) {
  pathNote_->hide();
  const std::string dir = TypedDirectory(text);
  if (dir.empty()) {
    return;
  }
  // Under the favourite root the walk starts there, else at "/".
  const std::string path = dir.back() == '/' ? dir : dir + "/";
  const int which = tree_->topLevelItemCount() > 1 && path.rfind(roots[1], 0) == 0 ? 1 : 0;
  QTreeWidgetItem* top = tree_->topLevelItem(which);
  followingField_ = true;
  if (ExpandAlong(top, ComponentsAfter(path, roots[static_cast<size_t>(which)])) == 0) {
    tree_->setCurrentItem(top);  // the path is the root itself, or hidden right under it
  }
  followingField_ = false;
}

void CDialogDir::accept() {
  // The path field decides when it names another directory than the tree's selection, which
  // is how hidden directories are reached.
  const QString typed = pathField_->text().trimmed();
  if (!typed.isEmpty() && typed.toStdString() != selectedPath) {
    const QString refusal = RefusalOf(typed);
    if (!refusal.isEmpty()) {
      pathNote_->setText(refusal);
      pathNote_->show();
      QApplication::beep();
      pathField_->setFocus();
      pathField_->selectAll();
      return;
    }
    std::string normal = std::filesystem::path(Expanded(typed)).lexically_normal().string();
    while (normal.size() > 1 && normal.back() == '/') {
      normal.pop_back();
    }
    selectedPath = normal;
    selectedName = std::filesystem::path(normal).filename().string();
  }
  QDialog::accept();
}
