#include "app/settings_tab.h"

#include "app/program.h"
#include "toolkit/events.h"
#include "toolkit/gadgets.h"
#include "toolkit/requesters.h"

namespace kv {

void OnAdbPathTyped(Program& program) {
  if (CurrentEventType() != ET_CHANGE) return;
  program.config.ADBPath = ReadGadgetText(program.g.txtOADBPath);
}

void ChooseAdbPath(Program& program) {
  Text chosen = AskFileToOpen(u"ADB.exe path", program.AdbPath(), u"ADB.exe|*.exe;", 0);
  if (chosen.empty()) return;
  program.config.ADBPath = chosen;
  WriteGadgetText(program.g.txtOADBPath, chosen);
}

}  // namespace kv
