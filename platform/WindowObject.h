#pragma once
// A window that the album owns (the picture window, the diagnostic window). The core only
// holds and deletes it; deleting the object closes its window.

class CWindowObject {
 public:
  virtual ~CWindowObject() = default;
  // Closes the window and leaves the object, as the user's close box does.
  virtual void Close() {}
};
