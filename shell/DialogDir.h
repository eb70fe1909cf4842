#pragma once
// "Directory Selection": a tree of directories from which the user picks one. The tree is
// read lazily: a level is listed only when the user opens it, and each listed directory is
// probed just far enough to know whether it gets an expand button (a placeholder child with
// empty text). The tree starts with "/" and, when the favourite directory name occurs in the
// current directory's path, with that favourite directory as a second root; it can open
// itself along the most recent directory. A path field over the tree takes typed or pasted
// paths, also to hidden directories, which the tree leaves out.

#include <QDialog>
#include <array>
#include <cstdint>
#include <string>
#include <vector>

class QLabel;
class QLineEdit;
class QTreeWidget;
class QTreeWidgetItem;

// Whether the tree opens with only its roots shown or along the most recent directory.
enum class TreeOpens { AtTheRoots, AlongTheMostRecent };

class CDialogDir : public QDialog {
  Q_OBJECT
 public:
  // mostRecent: the directory the tree opens along when asked to (may be empty).
  explicit CDialogDir(std::string mostRecent, QWidget* parent = nullptr);

  // Prepares the roots from the favourite directory name and the current directory, and
  // whether the tree opens along the most recent directory. Clears the selection.
  void SetStart(const std::string& favourite, TreeOpens opens);

  uint32_t treeBackground = 0xFFFFFF;  // 0x00BBGGRR
  std::string selectedName;            // text of the selected item
  std::string selectedPath;            // full path of the selected item: the result
  std::array<std::string, 2> roots;
  TreeOpens opens = TreeOpens::AtTheRoots;

  QTreeWidget* Tree() const { return tree_; }
  QLineEdit* PathField() const { return pathField_; }
  // Says why a typed path was refused; hidden until one is.
  QLabel* PathNote() const { return pathNote_; }

  // The full path of an item: the texts from its top-level item down, joined with "/".
  std::string FullPath(const QTreeWidgetItem* item) const;
  // Lists the sub-directories of path as the item's children; returns their number.
  int FillChildren(QTreeWidgetItem* item, const std::string& path);
  // Gives the item a placeholder when path has a sub-directory; 1 if it did.
  int AddPlaceholder(QTreeWidgetItem* item, const std::string& path);
  // Opens the tree from a top-level item along the most recent directory and selects the
  // deepest directory found; 1 when at least one level matched (at once when not asked to).
  int ExpandToLast(QTreeWidgetItem* item, int which);

  // Fills the tree; runs once, when the dialog first shows.
  void InitTree();
  void accept() override;

 protected:
  void showEvent(QShowEvent* event) override;
  // The tree's "*" key (open everything below) would read the whole disk: it is left out.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Expanding(QTreeWidgetItem* item);
  void Collapsing(QTreeWidgetItem* item);
  void SelectionChanged();
  // Walks from item down the directory names; selects the deepest match and returns the
  // number of components matched.
  int ExpandAlong(QTreeWidgetItem* item, const std::vector<std::string>& components);
  // The tree follows a path typed into the field.
  void PathEdited(const QString& text);
  QTreeWidgetItem* AddItem(QTreeWidgetItem* parent, const std::string& text, int pictures);
  static void AddPlaceholderChild(QTreeWidgetItem* item);

  std::string mostRecent_;
  QLineEdit* pathField_;
  QLabel* pathNote_;
  QTreeWidget* tree_;
  QLineEdit* nameField_;
  bool initialised_ = false;
  bool followingField_ = false;  // the tree follows the path field: leave the field alone
};
