#include "app/selection.h"

#include "app/program.h"
#include "toolkit/events.h"
#include "toolkit/gadgets.h"
#include "toolkit/requesters.h"

namespace kv {

namespace {

// The list Copy list copies lives in the button's user data.
void SetCopySource(Program& program, int list) {
  WriteGadgetUserData(program.g.cmdGenCopy, list);
}

bool IsEmptyField(int field) {
  return ReadGadgetText(field).empty();
}

void SetButtonsDisabled(std::initializer_list<int> buttons, bool disabled) {
  for (int button : buttons) SetGadgetDisabled(button, disabled);
}

void Pick(Program& program, int list, int field, TextView text) {
  if (CurrentEventType() != ET_LEFT_CLICK) return;
  WriteGadgetText(field, text);
  SetCopySource(program, list);
  UpdateActionButtons(program);
}

}  // namespace

int CopySource(const Program& program) {
  return static_cast<int>(ReadGadgetUserData(program.g.cmdGenCopy));
}

void PickItem(Program& program, int list, int field) {
  Pick(program, list, field, ReadGadgetText(list));
}

void PickNoItem(Program& program, int list, int field) {
  Pick(program, list, field, u"");
}

void OnTabChange(Program& program) {
  const MainGadgets& g = program.g;
  if (CurrentEventType() != ET_CHANGE) return;
  for (int field : {g.txtUSelected, g.txtSSelected, g.txtCSelected, g.txtCNewValue}) {
    WriteGadgetText(field, u"");
  }
  SetCopySource(program, 0);
  WriteGadgetText(g.txtOADBPath, program.AdbPath());
  UpdateActionButtons(program);
}

void ClearPackagePicks(Program& program) {
  WriteGadgetText(program.g.txtUSelected, u"");
  WriteGadgetText(program.g.txtSSelected, u"");
  UpdateActionButtons(program);
}

void CopyList(Program& program) {
  int list = CopySource(program);
  if (list == 0) return;
  Text text;
  int count = GadgetItemCount(list);
  for (int item = 0; item < count; ++item) text += ReadGadgetItemText(list, item) + u"\r\n";
  EmptyClipboardContents();
  PutClipboardText(text);
}

void UpdateActionButtons(const Program& program) {
  const MainGadgets& g = program.g;
  SetButtonsDisabled({g.cmdUDisable, g.cmdUDump, g.cmdUEnable, g.cmdUUninstall},
                     IsEmptyField(g.txtUSelected));
  SetButtonsDisabled({g.cmdSDisable, g.cmdSDump, g.cmdSEnable, g.cmdSUninstall, g.cmdSReinstall},
                     IsEmptyField(g.txtSSelected));
  SetButtonsDisabled({g.cmdCWrite}, IsEmptyField(g.txtCSelected));
  SetButtonsDisabled({g.cmdGenCopy}, CopySource(program) == 0);
}

}  // namespace kv
