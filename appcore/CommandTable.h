#pragma once
// The program's commands as data: one row per command with its texts, its picture, its keys,
// what it does in learning mode and when it is enabled. The main window builds its actions,
// menus and toolbar from these rows, maps each id to its handler and runs every command
// through one path; the picture window builds its operations from the same rows.

#include <vector>

class CPixDir;

enum class LearningRule {
  Acts,  // works as usual in learning mode
  Hint,  // in learning mode shows its explanation and does nothing else
};

enum class EnableRule {
  Always,
  SelectionOrLearning,   // a picture is selected, or learning mode is on
  AlbumOrLearning,       // an album is open, or learning mode is on
  WebFoldersOrLearning,  // Thumbs and Large exist beside an open album, or learning mode is on
  Album,                 // an album is open
  Selection,             // a picture is selected
  Never,                 // works only from the picture window
  Undo,                  // there is a change to undo
  Redo,                  // there is an undone change to make again
};

struct CommandRow {
  int id;
  const char* name;      // the action's object name
  const char* text;      // in menus; the popup's texts carry their key after a tab
  const char* prompt;    // shown in the status bar's message pane
  const char* toolTip;
  const char* icon;      // resource of the toolbar picture, or null
  const char* shortcut;  // key sequence, or empty
  LearningRule learning;
  const char* hint;      // the explanation shown in learning mode
  EnableRule enable;
};

enum CommandId {
  ID_SAVE_RECORD = 32771,
  ID_CAPTION = 32772,
  ID_CREATE_WEB_PAGE = 32774,
  ID_OPTIONS = 32775,
  ID_SHOW_FULL_SIZE = 32776,
  ID_QUICK_HELP = 32777,
  ID_EDIT_RECORD = 32780,
  ID_OP_CAPTION = 32782,
  ID_OP_CROP_THUMB = 32783,
  ID_OP_CROP_ORIGINAL = 32784,
  ID_OP_OMIT = 32785,
  ID_OP_ROTATE_RIGHT = 32786,
  ID_OP_ROTATE_LEFT = 32787,
  ID_SELECT_DIRECTORY = 32788,
  ID_FIND_DIRECTORY = 32789,
  ID_EXIT_PROGRAM = 32790,
  ID_ASSUME_IMAGES_EXIST = 32797,
  ID_SORT_BY_DATE = 32798,
  ID_SORT_BY_NAME = 32799,
  ID_REMAKE_WEB_FILES = 32800,
  ID_FILE_PRINT = 57607,
  ID_FILE_PRINT_PREVIEW = 57609,
  ID_EDIT_UNDO = 57643,
  ID_EDIT_REDO = 57644,
  ID_APP_ABOUT = 57664,
};

const std::vector<CommandRow>& CommandTable();
const CommandRow* FindCommand(int id);

// Whether a command of this rule is enabled for the album as it stands.
bool IsEnabled(EnableRule rule, const CPixDir& album);
// Whether the command is enabled now: by its rule, and, while a directory loads, only when it
// changes neither the pictures nor the record (opening another directory stops the load).
bool IsAvailable(const CommandRow& row, const CPixDir& album);

// Where the commands stand. A 0 in the toolbar list marks a separator.
extern const std::vector<int> kToolbarCommands;
extern const std::vector<int> kOperationsCommands;
