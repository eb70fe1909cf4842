#pragma once
// Shows the wait cursor for the life of the object, so that every way out of a long
// operation ends it.

#include "platform/PlatformUi.h"

class WaitCursor {
 public:
  explicit WaitCursor(CPlatformUi& ui) : ui_(ui) { ui_.BeginWaitCursor(); }
  ~WaitCursor() { ui_.EndWaitCursor(); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;

 private:
  CPlatformUi& ui_;
};
