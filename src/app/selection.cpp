#include "app/selection.h"

#include "app/config_record.h"
#include "app/main_window.h"
#include "toolkit/events.h"
#include "toolkit/gadgets.h"
#include "toolkit/requesters.h"

namespace kv {

namespace {

// The list Copy list copies lives in the button's user data; 0 for none.
int CopySource() {
  return static_cast<int>(ReadGadgetUserData(GADGETS.cmdGenCopy));
}
void SetCopySource(int list) {
  WriteGadgetUserData(GADGETS.cmdGenCopy, list);
}

bool IsEmptyField(int field) {
  return ReadGadgetText(field).empty();
}

void SetButtonsDisabled(std::initializer_list<int> buttons, bool disabled) {
  for (int button : buttons) SetGadgetDisabled(button, disabled);
}

bool IsOneOf(int gadget, std::initializer_list<int> gadgets) {
  for (int g : gadgets) {
    if (g == gadget) return true;
  }
  return false;
}

// A pick in list shows text in field and makes list the copy source.
void Pick(int list, int field, TextView text) {
  WriteGadgetText(field, text);
  SetCopySource(list);
  UpdateActionButtons();
}

}  // namespace

void OnUserListSelect() {
  int list = CurrentEventObject();
  if (CurrentEventType() != ET_LEFT_CLICK) return;
  if (!IsOneOf(list, {GADGETS.lstUEnabled, GADGETS.lstUDisabled})) return;
  Pick(list, GADGETS.txtUSelected, ReadGadgetText(list));
}

void OnSystemListSelect() {
  const MainGadgets& g = GADGETS;
  int list = CurrentEventObject();
  if (CurrentEventType() != ET_LEFT_CLICK) return;
  if (IsOneOf(list, {g.lstSEnabled, g.lstSDisabled, g.lstSUninstalled})) {
    Pick(list, g.txtSSelected, ReadGadgetText(list));
  } else if (IsOneOf(list, {g.lstSModules, g.lstSLibraries})) {
    // Modules and libraries are not packages the actions can take.
    Pick(list, g.txtSSelected, u"");
  }
}

void OnSettingsListSelect() {
  int list = CurrentEventObject();
  if (CurrentEventType() != ET_LEFT_CLICK) return;
  if (!IsOneOf(list, {GADGETS.lstCGlobal, GADGETS.lstCSecure, GADGETS.lstCSystem})) return;
  Pick(list, GADGETS.txtCSelected, ReadGadgetText(list));
}

void OnTabChange() {
  const MainGadgets& g = GADGETS;
  if (CurrentEventType() != ET_CHANGE) return;
  if (!IsOneOf(CurrentEventObject(), {g.panMain, g.panU, g.panS, g.panC, g.panD})) return;
  for (int field : {g.txtUSelected, g.txtSSelected, g.txtCSelected, g.txtCNewValue}) {
    WriteGadgetText(field, u"");
  }
  SetCopySource(0);
  WriteGadgetText(g.txtOADBPath, AdbPath());
  UpdateActionButtons();
}

void CopyList() {
  int list = CopySource();
  if (list == 0) return;
  Text text;
  int count = GadgetItemCount(list);
  for (int item = 0; item < count; ++item) text += ReadGadgetItemText(list, item) + u"\r\n";
  EmptyClipboardContents();
  PutClipboardText(text);
}

void UpdateActionButtons() {
  const MainGadgets& g = GADGETS;
  SetButtonsDisabled({g.cmdUDisable, g.cmdUDump, g.cmdUEnable, g.cmdUUninstall},
                     IsEmptyField(g.txtUSelected));
  SetButtonsDisabled({g.cmdSDisable, g.cmdSDump, g.cmdSEnable, g.cmdSUninstall, g.cmdSReinstall},
                     IsEmptyField(g.txtSSelected));
  SetButtonsDisabled({g.cmdCWrite}, IsEmptyField(g.txtCSelected));
  SetButtonsDisabled({g.cmdGenCopy}, CopySource() == 0);
}

}  // namespace kv
