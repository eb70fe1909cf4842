#include "shell/MainFrame.h"

#include <QAction>
#include <QCloseEvent>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>

#include "appcore/AppCore.h"
#include "appcore/WindowTitle.h"
#include "platform/PlatformUi.h"
#include "platform/ProfileStore.h"
#include "shell/AboutDlg.h"
#include "shell/DialogDir.h"
#include "shell/OptionSheet.h"
#include "shell/RecentMenu.h"
#include "shell/Resources.h"
#include "views/SheetPrinter.h"
#include "views/TessalyView.h"
#include "views/TextWindow.h"
#include "web/WebElement.h"
#include "web/WebImageWrite.h"

namespace {

const char kWindowSection[] = "Window";
const char kGeometry[] = "Geometry";

}  // namespace

CMainFrame::CMainFrame(CAppCore& core, CPlatformUi& ui)
    : core_(core), album_(core.album), recent_(core.recent), ui_(ui) {
  LoadResources();
  setObjectName("MainFrame");
  setWindowTitle(QString::fromStdString(WindowTitle(album_)));
  setWindowIcon(QIcon(":/icons/quillaran.svg"));
  panes_ = std::make_unique<CStatusPanes>(statusBar());
  CreateActions();
  CreateMenus();
  CreateToolBar();

  view_ = new CTessalyView(album_, this);
  view_->SetOperationsMenu(operationsMenu_);
  view_->SetWelcomeText(QString("Welcome to Quillaran (%1)").arg(QString::fromStdString(core_.version)));
  setCentralWidget(view_);
  connect(view_, &CTessalyView::albumChanged, this, &CMainFrame::UpdateCommandStates);
  connect(view_, &CTessalyView::loadEnded, this, &CMainFrame::OnLoadEnded);
  // The album reaches its view for repaints and the frame for its status panes.
  album_.AttachView(&view_->Observer());
  RestoreGeometry();
  UpdateCommandStates();
  view_->setFocus();
}

CMainFrame::~CMainFrame() {
  album_.Loader().StopPass();  // a run of the web album that is stopped says nothing to this window
  album_.DetachView();
}

QAction* CMainFrame::Action(int id) const {
  const auto it = actions_.find(id);
  return it == actions_.end() ? nullptr : it->second;
}

void CMainFrame::CreateActions() {
  for (const CommandRow& row : CommandTable()) {
    auto* action = new QAction(row.text, this);
    action->setObjectName(row.name);
    action->setStatusTip(row.prompt);
    if (row.toolTip[0] != '\0') {
      action->setToolTip(row.toolTip);
    }
    if (row.icon != nullptr) {
      action->setIcon(QIcon(row.icon));
    }
    if (row.shortcut[0] != '\0') {
      action->setShortcut(QKeySequence(row.shortcut));
    }
    // Shortcuts work whether or not the command shows in a menu or on the toolbar.
    addAction(action);
    connect(action, &QAction::triggered, this, [this, &row] { RunCommand(row); });
    actions_[row.id] = action;
  }
}

void CMainFrame::CreateMenus() {
  // "Directory": Open, the recent directories between two separators, Exit.
  directoryMenu_ = menuBar()->addMenu("Directory");
  directoryMenu_->addAction(Action(ID_FIND_DIRECTORY));
  directoryMenu_->addAction(Action(ID_SORT_BY_DATE));
  directoryMenu_->addAction(Action(ID_SORT_BY_NAME));
  directoryMenu_->addAction(Action(ID_REMAKE_WEB_FILES));
  directoryMenu_->addSeparator();
  directoryMenu_->addSeparator();
  directoryMenu_->addAction(Action(ID_EXIT_PROGRAM));
  InsertIntoMenu(recent_, directoryMenu_, OldItems::Remove);
  // Rebuilt at each showing, so that a directory that came or went shows enabled or not.
  connect(directoryMenu_, &QMenu::aboutToShow, this,
          [this] { InsertIntoMenu(recent_, directoryMenu_, OldItems::Remove); });
  connect(directoryMenu_, &QMenu::triggered, this, [this](QAction* item) {
    const int id = item->data().toInt();
    if (id >= kRecentDirFirstId && id < kRecentDirFirstId + kRecentDirCount) {
      OnRecentDirectory(id - kRecentDirFirstId);
    }
  });

  QMenu* edit = menuBar()->addMenu("&Edit");
  edit->addAction(Action(ID_EDIT_UNDO));
  edit->addAction(Action(ID_EDIT_REDO));

  viewMenu_ = menuBar()->addMenu("&View");
  QMenu* view = viewMenu_;
  QAction* statusToggle = view->addAction("&Status Bar");
  statusToggle->setObjectName("ToggleStatusBar");
  statusToggle->setStatusTip("Show or hide the status bar");
  statusToggle->setToolTip("Toggle StatusBar");
  statusToggle->setCheckable(true);
  statusToggle->setChecked(true);
  connect(statusToggle, &QAction::toggled, statusBar(), &QWidget::setVisible);
  view->addSeparator();
  view->addAction(Action(ID_FILE_PRINT_PREVIEW));
  view->addAction(Action(ID_FILE_PRINT));

  QMenu* help = menuBar()->addMenu("&Help");
  help->addAction(Action(ID_APP_ABOUT));

  operationsMenu_ = new QMenu("Operations", this);
  operationsMenu_->setObjectName("OperationsMenu");
  for (int id : kOperationsCommands) {
    operationsMenu_->addAction(Action(id));
  }
  for (QMenu* menu : {directoryMenu_, edit, view, help, operationsMenu_}) {
    connect(menu, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommandStates);
  }
}

void CMainFrame::CreateToolBar() {
  toolBar_ = addToolBar("Toolbar");
  toolBar_->setObjectName("ToolBar");
  toolBar_->setIconSize(QSize(40, 28));
  toolBar_->setToolButtonStyle(Qt::ToolButtonIconOnly);
  for (int id : kToolbarCommands) {
    if (id == 0) {
      toolBar_->addSeparator();
    } else {
      toolBar_->addAction(Action(id));
    }
  }
  // The View menu's toolbar switch goes first, as the framework had it.
  QAction* toggle = toolBar_->toggleViewAction();
  toggle->setObjectName("ToggleToolBar");
  toggle->setText("&Toolbar");
  toggle->setStatusTip("Show or hide the toolbar");
  toggle->setToolTip("Toggle ToolBar");
  viewMenu_->insertAction(viewMenu_->actions().value(0), toggle);
}

void CMainFrame::UpdateCommandStates() {
  for (const CommandRow& row : CommandTable()) {
    Action(row.id)->setEnabled(IsAvailable(row, album_));
  }
  // "Undo Move", "Redo Caption": the menu says what the command would undo or make again.
  const auto named = [](const char* command, const std::string& change) {
    return change.empty() ? QString(command) : QString("%1 %2").arg(command, change.c_str());
  };
  Action(ID_EDIT_UNDO)->setText(named("&Undo", album_.Editor().History().UndoName()));
  Action(ID_EDIT_REDO)->setText(named("&Redo", album_.Editor().History().RedoName()));
  setWindowTitle(QString::fromStdString(WindowTitle(album_)));
}

CMainFrame::Handler CMainFrame::HandlerOf(int id) {
  static const std::map<int, Handler> handlers = {
      {ID_SELECT_DIRECTORY, &CMainFrame::OnOpenDirectory},
      {ID_FIND_DIRECTORY, &CMainFrame::OnOpenDirectory},
      {ID_EXIT_PROGRAM, &CMainFrame::OnExit},
      {ID_CAPTION, &CMainFrame::OnCaption},
      {ID_SHOW_FULL_SIZE, &CMainFrame::OnShowFullSize},
      {ID_CREATE_WEB_PAGE, &CMainFrame::OnCreateWebPage},
      {ID_ASSUME_IMAGES_EXIST, &CMainFrame::OnAssumeImagesExist},
      {ID_REMAKE_WEB_FILES, &CMainFrame::OnRemakeWebFiles},
      {ID_SAVE_RECORD, &CMainFrame::OnSaveRecord},
      {ID_EDIT_RECORD, &CMainFrame::OnEditRecord},
      {ID_OPTIONS, &CMainFrame::OnOptions},
      {ID_QUICK_HELP, &CMainFrame::OnQuickHelp},
      {ID_APP_ABOUT, &CMainFrame::OnAbout},
      {ID_OP_CAPTION, &CMainFrame::OnCaptionKey},
      {ID_OP_CROP_THUMB, &CMainFrame::OnCropForThumb},
      {ID_OP_CROP_ORIGINAL, &CMainFrame::OnCropOriginal},
      {ID_OP_ROTATE_RIGHT, &CMainFrame::OnRotateRight},
      {ID_OP_ROTATE_LEFT, &CMainFrame::OnRotateLeft},
      {ID_OP_OMIT, &CMainFrame::OnOmit},
      {ID_FILE_PRINT, &CMainFrame::OnPrint},
      {ID_FILE_PRINT_PREVIEW, &CMainFrame::OnPrintPreview},
      {ID_EDIT_UNDO, &CMainFrame::OnUndo},
      {ID_EDIT_REDO, &CMainFrame::OnRedo},
      {ID_SORT_BY_DATE, &CMainFrame::OnSortByDate},
      {ID_SORT_BY_NAME, &CMainFrame::OnSortByName},
  };
  return handlers.at(id);
}

void CMainFrame::RunCommand(const CommandRow& row) {
  // The album may have changed since the states were last shown: the rule is checked anew.
  if (!IsAvailable(row, album_)) {
    return;
  }
  if (row.learning == LearningRule::Hint && album_.Settings().GeneralSettings.Learning == 1) {
    album_.ShowHint(row.hint);
  } else {
    (this->*HandlerOf(row.id))();
  }
  if (!shutDown_) {
    UpdateCommandStates();
  }
}

bool CMainFrame::OpenDirectoryPath(const std::string& path) {
  std::string directory = path;
  if (directory.empty() || directory.back() != '/') {
    directory += '/';
  }
  // The panes described the album that goes; the loader counts in them from here.
  panes_->Clear();
  const bool begun = album_.Loader().BeginOpenDirectory(directory) == 1;
  addToRecent_ = begun;
  UpdateCommandStates();
  return begun;
}

void CMainFrame::OnLoadEnded(int opened) {
  // A folder goes to the front of the list once its album opened: not when it had no
  // picture to show, nor when Escape stopped it before the first one.
  if (opened == 1 && (addToRecent_ || !openingRecent_.empty())) {
    // The album's own spelling of the directory, so that no spelling is listed twice; a
    // recent entry keeps its own.
    recent_.Add(addToRecent_ ? (album_.Record().DirPath() == "/" ? album_.Record().DirPath()
                                                                 : album_.Record().DirPath() + "/")
                             : openingRecent_);
    InsertIntoMenu(recent_, directoryMenu_, OldItems::Remove);
  }
  addToRecent_ = false;
  openingRecent_.clear();
  UpdateCommandStates();
}

void CMainFrame::OnOpenDirectory() {
  CDialogDir dialog(recent_.MostRecent(), this);
  dialog.SetStart(album_.Settings().AdvancedSettings.TopDir2Look, TreeOpens::AlongTheMostRecent);
  dialog.treeBackground = 0xFFFFF0;
  if (dialog.exec() == QDialog::Accepted) {
    OpenDirectoryPath(dialog.selectedPath);
  }
}

void CMainFrame::OnRecentDirectory(int position) {
  if (album_.Settings().GeneralSettings.Learning == 1 || position >= recent_.dirCount) {
    return;
  }
  const std::string path = recent_.dirs[static_cast<size_t>(position)];
  // A folder that is gone (deleted, or on a drive not plugged in) may leave the list.
  if (!recent_.Exists(position)) {
    const MsgAnswer answer = ui_.MessageBox(
        this, path + "\nis not there any more. Remove it from the list?", MsgIcon::Question,
        MsgButtons::YesNo);
    if (answer == MsgAnswer::Yes) {
      recent_.Remove(position);
      InsertIntoMenu(recent_, directoryMenu_, OldItems::Remove);
    }
    return;
  }
  panes_->Clear();
  const bool begun = album_.Loader().BeginOpenDirectory(path) == 1;
  addToRecent_ = false;
  openingRecent_ = begun ? path : std::string();
  UpdateCommandStates();
}

void CMainFrame::OnExit() { close(); }

void CMainFrame::OnCaption() { album_.Editor().EditSelectedCaption(); }

void CMainFrame::OnShowFullSize() { album_.ShowFullSize(); }

void CMainFrame::OnCreateWebPage() { RunWebPage(ImageFiles::Write); }

void CMainFrame::OnAssumeImagesExist() { RunWebPage(ImageFiles::AssumeExist); }

void CMainFrame::OnRemakeWebFiles() { RunWebPage(ImageFiles::Write, true); }

void CMainFrame::RunWebPage(ImageFiles images, bool remakeAll) {
  const auto ended = [this](int result) {
    if (result == 0) {
      ui_.MessageBox(this, "Could not create Web Page", MsgIcon::Stop, MsgButtons::Ok);
    }
  };
  // The pictures are written while the window stays live; the pages alone take no time.
  if (images == ImageFiles::Write) {
    BeginWebPageRun(album_, ended, remakeAll);
    return;
  }
  CWebElement element(album_);
  ended(element.CreateWebPage(album_.Record().DirName(), album_.Pictures().DisplayOrder(),
                              album_.Pictures().Count(), images));
}

void CMainFrame::OnSaveRecord() { album_.Record().WriteRecord(); }

void CMainFrame::OnEditRecord() { album_.Record().EditRecordExternally(); }

void CMainFrame::OnOptions() {
  COptionSheet sheet(album_, this);
  if (sheet.exec() == QDialog::Accepted) {
    sheet.ApplyToAlbum();
  }
}

void CMainFrame::OnQuickHelp() {
  // One quick help window at a time: the new one replaces the old.
  delete quickHelpWindow_;
  auto* window = new CTextWindow(album_);
  quickHelpWindow_ = window;
  connect(window, &CTextWindow::learningChanged, this, &CMainFrame::UpdateCommandStates);
  window->Open("QUICK HELP", QPoint(100, 100));
}

void CMainFrame::OnAbout() {
  CAboutDlg about(core_.version, this);
  about.exec();
}

void CMainFrame::OnCaptionKey() { album_.Editor().EditSelectedCaption(); }

void CMainFrame::OnCropForThumb() { album_.Editor().CropForThumb(this); }

void CMainFrame::OnCropOriginal() { album_.Editor().CropOriginal(this); }

// R turns clockwise and L counter-clockwise, as their names say.
void CMainFrame::OnRotateRight() { album_.Editor().RotatePicture(this, QuarterTurn::Right); }

void CMainFrame::OnRotateLeft() { album_.Editor().RotatePicture(this, QuarterTurn::Left); }

void CMainFrame::OnOmit() { album_.Editor().MarkOmitted(nullptr); }

void CMainFrame::OnUndo() { album_.Editor().Undo(this); }

void CMainFrame::OnRedo() { album_.Editor().Redo(this); }

void CMainFrame::OnSortByDate() { album_.Editor().SortByDate(); }

void CMainFrame::OnSortByName() { album_.Editor().SortByName(); }

void CMainFrame::OnPrint() { PrintSheet(album_, view_->Sketches(), view_->viewport()->width(), this); }

void CMainFrame::OnPrintPreview() {
  PreviewSheet(album_, view_->Sketches(), view_->viewport()->width(), this);
}

void CMainFrame::closeEvent(QCloseEvent* event) {
  if (!shutDown_) {
    // The album keeps what was read; the record question then sees a whole album. A pass
    // stops with whole files.
    album_.Loader().StopPass();
    album_.Loader().StopLoading();
    // Cancel at "Save Record?", or a record that could not be saved, keeps everything open.
    if (!core_.Shutdown()) {
      event->ignore();
      return;
    }
    shutDown_ = true;
    if (quickHelpWindow_ != nullptr) {
      delete quickHelpWindow_;
    }
    SaveGeometry();
    // No picture window outlives the program's main window.
    album_.CloseWindows();
  }
  event->accept();
}

void CMainFrame::RestoreGeometry() {
  const std::string saved = core_.Profile().GetProfileString(kWindowSection, kGeometry, "");
  if (saved.empty() ||
      !restoreGeometry(QByteArray::fromBase64(QByteArray::fromStdString(saved)))) {
    resize(1000, 720);
  }
}

void CMainFrame::SaveGeometry() {
  core_.Profile().WriteProfileString(kWindowSection, kGeometry,
                                     saveGeometry().toBase64().toStdString());
}
