#include "app/settings_tab.h"

#include "app/config_record.h"
#include "app/main_window.h"
#include "toolkit/events.h"
#include "toolkit/gadgets.h"
#include "toolkit/requesters.h"

namespace kv {

void OnAdbPathEvent() {
  int gadget = CurrentEventObject();
  if (gadget == GADGETS.txtOADBPath) {
    if (CurrentEventType() == ET_CHANGE) CONFIG.ADBPath = ReadGadgetText(gadget);
  } else if (gadget == GADGETS.cmdOSetADBPath) {
    Text chosen = AskFileToOpen(u"ADB.exe path", AdbPath(), u"ADB.exe|*.exe;", 0);
    if (chosen.empty()) return;
    CONFIG.ADBPath = chosen;
    WriteGadgetText(GADGETS.txtOADBPath, chosen);
  }
}

void OnWriteSetting() {
  ShowMessageBox(u"WriteConfig", u"TODO", KV_MessageBox_Ok);
}

}  // namespace kv
