#include "appcore/CommandTable.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "album/PixDir.h"
#include "appcore/LearningTexts.h"

using LR = LearningRule;
using ER = EnableRule;

const std::vector<CommandRow>& CommandTable() {
  static const std::vector<CommandRow> rows = {
      {ID_SELECT_DIRECTORY, "ID_SELECT_DIRECTORY", "Select Directory", "Select Directory Directly",
       "Select Directory", ":/icons/select_directory.svg", "", LR::Hint, learning::kDirectory,
       ER::Always},
      {ID_FIND_DIRECTORY, "ID_FIND_DIRECTORY", "Open", "Find and Open a Directory",
       "Find Directory", nullptr, "Ctrl+O", LR::Hint, learning::kDirectory, ER::Always},
      {ID_EXIT_PROGRAM, "ID_EXIT_PROGRAM", "Exit", "Exit Quillaran", "Exit", nullptr, "Ctrl+Q",
       LR::Acts, nullptr, ER::Always},
      {ID_CAPTION, "ID_CAPTION", "Caption", "Enter Caption for Selected Picture", "Caption",
       ":/icons/caption.svg", "", LR::Hint, learning::kCaption, ER::SelectionOrLearning},
      {ID_SHOW_FULL_SIZE, "ID_SHOW_FULL_SIZE", "Show full size",
       "Display Selected Image in Full Size", "Show full sise", ":/icons/show_full_size.svg", "",
       LR::Hint, learning::kFullSize, ER::SelectionOrLearning},
      {ID_CREATE_WEB_PAGE, "ID_CREATE_WEB_PAGE", "Create Web page",
       "Create Web page with thumbsketches", "Create Web page", ":/icons/create_web_page.svg", "",
       LR::Hint, learning::kWebPage, ER::AlbumOrLearning},
      {ID_ASSUME_IMAGES_EXIST, "ID_ASSUME_IMAGES_EXIST", "Assume images exist",
       "Create web page assuming images exist", "Assume images exist",
       ":/icons/assume_images_exist.svg", "", LR::Hint, learning::kAssumeImages,
       ER::WebFoldersOrLearning},
      // Create Web page keeps the files an earlier run made of what did not change; this one
      // makes every file again.
      {ID_REMAKE_WEB_FILES, "ID_REMAKE_WEB_FILES", "Make every web file again",
       "Create Web page, making every picture's files again instead of keeping those that did "
       "not change",
       "Make every web file again", nullptr, "", LR::Acts, nullptr, ER::Album},
      {ID_SAVE_RECORD, "ID_SAVE_RECORD", "Save",
       "Save parameters, captions, dates, and cropping rectangles",
       "Save parameters and intermediate results", ":/icons/save_record.svg", "Ctrl+S", LR::Hint,
       learning::kSaveRecord, ER::AlbumOrLearning},
      // The record opens in the desktop's text editor, not in Notepad.
      {ID_EDIT_RECORD, "ID_EDIT_RECORD", "Edit record", "Edit options record via a text editor",
       "Edit record via a text editor", ":/icons/edit_record.svg", "", LR::Hint,
       learning::kEditRecord, ER::AlbumOrLearning},
      {ID_OPTIONS, "ID_OPTIONS", "Options", "Pop Up Option Dialogue Box", "Option Dialogue",
       ":/icons/options.svg", "", LR::Hint, learning::kOptions, ER::Always},
      {ID_QUICK_HELP, "ID_QUICK_HELP", "Quick Help", "Quillaran Documentation from the Internet",
       "Quillaran Documentation", ":/icons/quick_help.svg", "F1", LR::Acts, nullptr, ER::Always},
      {ID_APP_ABOUT, "ID_APP_ABOUT", "&About Quillaran...",
       "Display program information, version number and copyright", "About",
       ":/icons/about.svg", "", LR::Acts, nullptr, ER::Always},
      {ID_OP_CAPTION, "ID_OP_CAPTION", "&Caption\tC", "", "", nullptr, "C", LR::Acts, nullptr,
       ER::Selection},
      {ID_OP_CROP_THUMB, "ID_OP_CROP_THUMB", "Crop for &Thumb\tT", "", "", nullptr, "T", LR::Acts,
       nullptr, ER::Never},
      {ID_OP_CROP_ORIGINAL, "ID_OP_CROP_ORIGINAL", "Crop &Original\tO", "", "", nullptr, "O",
       LR::Acts, nullptr, ER::Never},
      {ID_OP_ROTATE_RIGHT, "ID_OP_ROTATE_RIGHT", "Rotate &Right\tR", "", "", nullptr, "R",
       LR::Acts, nullptr, ER::Selection},
      {ID_OP_ROTATE_LEFT, "ID_OP_ROTATE_LEFT", "Rotate &Left\tL", "", "", nullptr, "L", LR::Acts,
       nullptr, ER::Selection},
      {ID_OP_OMIT, "ID_OP_OMIT", "&X-out (omit)\tX", "", "", nullptr, "X", LR::Acts, nullptr,
       ER::Selection},
      {ID_EDIT_UNDO, "ID_EDIT_UNDO", "&Undo", "Undo the last change to the album", "Undo",
       nullptr, "Ctrl+Z", LR::Acts, nullptr, ER::Undo},
      {ID_EDIT_REDO, "ID_EDIT_REDO", "&Redo", "Make the last undone change again", "Redo",
       nullptr, "Ctrl+Shift+Z", LR::Acts, nullptr, ER::Redo},
      {ID_SORT_BY_DATE, "ID_SORT_BY_DATE", "Sort by &Date",
       "Order the pictures by the time they were taken, oldest first", "Sort by Date", nullptr,
       "", LR::Acts, nullptr, ER::Album},
      {ID_SORT_BY_NAME, "ID_SORT_BY_NAME", "Sort by &Name", "Order the pictures by file name",
       "Sort by Name", nullptr, "", LR::Acts, nullptr, ER::Album},
      {ID_FILE_PRINT, "ID_FILE_PRINT", "&Print...", "Print the thumb sketches", "Print", nullptr,
       "Ctrl+P", LR::Acts, nullptr, ER::Album},
      {ID_FILE_PRINT_PREVIEW, "ID_FILE_PRINT_PREVIEW", "Print Pre&view",
       "Show the thumb sketches as they will be printed", "Print Preview", nullptr, "", LR::Acts,
       nullptr, ER::Album},
  };
  return rows;
}

const CommandRow* FindCommand(int id) {
  for (const CommandRow& row : CommandTable()) {
    if (row.id == id) {
      return &row;
    }
  }
  return nullptr;
}

bool IsEnabled(EnableRule rule, const CPixDir& album) {
  const bool learning = album.Settings().GeneralSettings.Learning == 1;
  const bool selected = album.Pictures().Selection() >= 0;
  const bool open = album.Pictures().Count() > 0;
  switch (rule) {
    case EnableRule::Always:
      return true;
    case EnableRule::SelectionOrLearning:
      return selected || learning;
    case EnableRule::AlbumOrLearning:
      return open || learning;
    case EnableRule::WebFoldersOrLearning: {
      if (learning) {
        return true;
      }
      std::error_code error;
      const std::filesystem::path dir(album.Record().DirPath());
      return open && std::filesystem::is_directory(dir / "Thumbs", error) &&
             std::filesystem::is_directory(dir / "Large", error);
    }
    case EnableRule::Album:
      return open;
    case EnableRule::Selection:
      return selected;
    case EnableRule::Never:
      return false;
    case EnableRule::Undo:
      return album.Editor().History().CanUndo();
    case EnableRule::Redo:
      return album.Editor().History().CanRedo();
  }
  return false;
}

bool IsAvailable(const CommandRow& row, const CPixDir& album) {
  static const std::vector<int> kWhileLoading = {ID_SELECT_DIRECTORY, ID_FIND_DIRECTORY,
                                                 ID_EXIT_PROGRAM,     ID_SHOW_FULL_SIZE,
                                                 ID_QUICK_HELP,       ID_APP_ABOUT};
  return IsEnabled(row.enable, album) &&
         (!album.Loader().IsBusy() ||
          std::find(kWhileLoading.begin(), kWhileLoading.end(), row.id) != kWhileLoading.end());
}

const std::vector<int> kToolbarCommands = {
    ID_SELECT_DIRECTORY, 0, ID_CAPTION,     0, ID_SHOW_FULL_SIZE, 0, ID_CREATE_WEB_PAGE,
    ID_ASSUME_IMAGES_EXIST, 0, ID_SAVE_RECORD, 0, ID_EDIT_RECORD, 0, ID_OPTIONS, 0,
    ID_QUICK_HELP, 0, ID_APP_ABOUT};

const std::vector<int> kOperationsCommands = {ID_OP_CAPTION,      ID_OP_CROP_THUMB,
                                              ID_OP_CROP_ORIGINAL, ID_OP_ROTATE_RIGHT,
                                              ID_OP_ROTATE_LEFT,  ID_OP_OMIT};
