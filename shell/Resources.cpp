#include "shell/Resources.h"

#include <QtGlobal>

// Q_INIT_RESOURCE must stand outside any namespace.
static void InitQuillaranResource() { Q_INIT_RESOURCE(quillaran); }

void LoadResources() {
  static const bool loaded = (InitQuillaranResource(), true);
  (void)loaded;
}
