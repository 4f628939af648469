#include "app/main_window.h"

#include <iterator>

#include "dialog/dialog.h"

namespace kv {

namespace {

struct GadgetName {
  TextView name;
  int MainGadgets::*number;
};

#define KV_GADGET(name) \
  { u## #name, &MainGadgets::name }
constexpr GadgetName kGadgetNames[] = {
    KV_GADGET(cmbODevice),     KV_GADGET(cmdCWrite),     KV_GADGET(cmdGenCopy),
    KV_GADGET(cmdGenReload),   KV_GADGET(cmdOSetADBPath), KV_GADGET(cmdSDisable),
    KV_GADGET(cmdSDump),       KV_GADGET(cmdSEnable),    KV_GADGET(cmdSReinstall),
    KV_GADGET(cmdSUninstall),  KV_GADGET(cmdUDisable),   KV_GADGET(cmdUDump),
    KV_GADGET(cmdUEnable),     KV_GADGET(cmdUUninstall), KV_GADGET(lblOADBPath),
    KV_GADGET(lblWarn),        KV_GADGET(lstCGlobal),    KV_GADGET(lstCSecure),
    KV_GADGET(lstCSystem),     KV_GADGET(lstDDump),      KV_GADGET(lstDInfo),
    KV_GADGET(lstSDisabled),   KV_GADGET(lstSEnabled),   KV_GADGET(lstSLibraries),
    KV_GADGET(lstSModules),    KV_GADGET(lstSUninstalled), KV_GADGET(lstUDisabled),
    KV_GADGET(lstUEnabled),    KV_GADGET(panC),          KV_GADGET(panD),
    KV_GADGET(panMain),        KV_GADGET(panS),          KV_GADGET(panU),
    KV_GADGET(txtCNewValue),   KV_GADGET(txtCSelected),  KV_GADGET(txtGenStatus),
    KV_GADGET(txtOADBPath),    KV_GADGET(txtSSelected),  KV_GADGET(txtUSelected),
};
#undef KV_GADGET

#include "app/main_window_description.inc"

}  // namespace

const TextView kMainWindowDescription{kDescription, std::size(kDescription) - 1};

MainGadgets FindMainGadgets(int dialog) {
  MainGadgets gadgets;
  gadgets.window = DialogWindowOf(dialog);
  for (const GadgetName& gadget : kGadgetNames) {
    gadgets.*gadget.number = FindDialogGadget(dialog, gadget.name);
  }
  return gadgets;
}

PackageTab UserTabOf(const MainGadgets& g) {
  return {u"user", g.txtUSelected, g.lstUEnabled, g.lstUDisabled, -1, g.cmdUUninstall,
          -1,      g.cmdUDump,     g.cmdUDisable, g.cmdUEnable};
}

PackageTab SystemTabOf(const MainGadgets& g) {
  return {u"system",       g.txtSSelected,  g.lstSEnabled, g.lstSDisabled, g.lstSUninstalled,
          g.cmdSUninstall, g.cmdSReinstall, g.cmdSDump,    g.cmdSDisable,  g.cmdSEnable};
}

}  // namespace kv
