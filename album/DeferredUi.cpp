#include "album/DeferredUi.h"

#include <cstdlib>

void CDeferredUi::Replay(CPlatformUi& ui) {
  for (const Message& m : messages_) {
    ui.MessageBox(m.owner, m.text, m.icon, m.buttons);
  }
  messages_.clear();
}

void CDeferredUi::ExitProcess(int code) { std::exit(code); }
