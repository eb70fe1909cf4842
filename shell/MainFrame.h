#pragma once
// The main window: menu bar, toolbar, status bar and the thumb sheet view. Every command runs
// through one path that checks its enabling rule and learning mode before its handler acts on
// the album.

#include <QMainWindow>
#include <QPointer>
#include <map>
#include <memory>
#include <string>

#include "appcore/CommandTable.h"
#include "shell/StatusPanes.h"

class CAppCore;
class CDirectoryFind;
class CPixDir;
class CPlatformUi;
class CTessalyView;
class QAction;
class QMenu;
class QToolBar;
enum class ImageFiles;

class CMainFrame : public QMainWindow {
  Q_OBJECT
 public:
  CMainFrame(CAppCore& core, CPlatformUi& ui);
  ~CMainFrame() override;

  CStatusPanes& Panes() { return *panes_; }
  CTessalyView* View() const { return view_; }
  QAction* Action(int id) const;
  QMenu* DirectoryMenu() const { return directoryMenu_; }
  QMenu* OperationsMenu() const { return operationsMenu_; }

  // Opens a directory as the directory dialog does: true when its pictures have begun to load
  // (the sheet shows them as they arrive); the directory joins the recent list once the load
  // has ended with an album.
  bool OpenDirectoryPath(const std::string& path);
  // Re-evaluates every command's enabling rule, the undo commands' texts and the title.
  void UpdateCommandStates();

  // Command handlers, run by RunCommand after its checks.
  void OnOpenDirectory();
  void OnExit();
  void OnCaption();
  void OnShowFullSize();
  void OnCreateWebPage();
  void OnRemakeWebFiles();
  void OnAssumeImagesExist();
  void OnSaveRecord();
  void OnEditRecord();
  void OnOptions();
  void OnQuickHelp();
  void OnAbout();
  void OnCaptionKey();
  void OnCropForThumb();
  void OnCropOriginal();
  void OnRotateRight();
  void OnRotateLeft();
  void OnOmit();
  void OnPrint();
  void OnPrintPreview();
  void OnUndo();
  void OnRedo();
  void OnSortByDate();
  void OnSortByName();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void CreateActions();
  void CreateMenus();
  void CreateToolBar();
  void RunCommand(const CommandRow& row);
  void OnRecentDirectory(int position);
  void OnLoadEnded(int opened);
  void RunWebPage(ImageFiles images, bool remakeAll = false);
  // The handler of a command of the table.
  using Handler = void (CMainFrame::*)();
  static Handler HandlerOf(int id);
  void RestoreGeometry();
  void SaveGeometry();

  CAppCore& core_;
  CPixDir& album_;
  CDirectoryFind& recent_;
  CPlatformUi& ui_;
  CTessalyView* view_ = nullptr;
  std::unique_ptr<CStatusPanes> panes_;
  QToolBar* toolBar_ = nullptr;
  QMenu* directoryMenu_ = nullptr;
  QMenu* viewMenu_ = nullptr;
  QMenu* operationsMenu_ = nullptr;
  std::map<int, QAction*> actions_;
  QPointer<QWidget> quickHelpWindow_;
  bool shutDown_ = false;
  // The load under way was started by OpenDirectoryPath, not from the recent list.
  bool addToRecent_ = false;
  // The recent entry whose load is under way: it moves to the front once its album opens.
  std::string openingRecent_;
};
