#pragma once
// The recent directories as items of the "Directory" menu, between the separator under "Open"
// and the one over "Exit".

class CDirectoryFind;
class QMenu;

// Whether InsertIntoMenu first takes out the recent items it put in before.
enum class OldItems { Keep, Remove };

// Puts one item per recent directory into the menu, labelled with its number and short name,
// with its whole path in its tool tip and status prompt; an item's data is its command id. A
// directory that does not exist now says so in its prompt.
void InsertIntoMenu(const CDirectoryFind& recent, QMenu* menu, OldItems old);
