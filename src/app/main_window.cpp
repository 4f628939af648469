#include "app/main_window.h"

#include <iterator>

#include "dialog/dialog.h"

namespace kv {

MainGadgets GADGETS;

namespace {

struct GadgetName {
  TextView name;
  int MainGadgets::*number;
};

#define KV_GADGET(name) \
  { u## #name, &MainGadgets::name }
constexpr GadgetName kGadgetNames[] = {
    KV_GADGET(cmdCWrite),      KV_GADGET(cmdGenCopy),    KV_GADGET(cmdGenReload),
    KV_GADGET(cmdOSetADBPath), KV_GADGET(cmdSDisable),   KV_GADGET(cmdSDump),
    KV_GADGET(cmdSEnable),     KV_GADGET(cmdSReinstall), KV_GADGET(cmdSUninstall),
    KV_GADGET(cmdUDisable),    KV_GADGET(cmdUDump),      KV_GADGET(cmdUEnable),
    KV_GADGET(cmdUUninstall),  KV_GADGET(lblOADBPath),   KV_GADGET(lblWarn),
    KV_GADGET(lstCGlobal),     KV_GADGET(lstCSecure),    KV_GADGET(lstCSystem),
    KV_GADGET(lstDInfo),       KV_GADGET(lstSDisabled),  KV_GADGET(lstSEnabled),
    KV_GADGET(lstSLibraries),  KV_GADGET(lstSModules),   KV_GADGET(lstSUninstalled),
    KV_GADGET(lstUDisabled),   KV_GADGET(lstUEnabled),   KV_GADGET(panC),
    KV_GADGET(panD),           KV_GADGET(panMain),       KV_GADGET(panS),
    KV_GADGET(panU),           KV_GADGET(txtCNewValue),  KV_GADGET(txtCSelected),
    KV_GADGET(txtGenStatus),   KV_GADGET(txtOADBPath),   KV_GADGET(txtSSelected),
    KV_GADGET(txtUSelected),
};
#undef KV_GADGET

// One element per source line; the lines are joined by the compiler.
constexpr char16_t kDescription[] =
    u"<dialogs>"
    u"\t<window name='wndADB' text='Kestrelvane' width='640' height='480'"
    u" flags='#KV_Window_SystemMenu|#KV_Window_TitleBar|#KV_Window_ScreenCentered'>"
    u"\t<vbox name='vbox1' expand='item:1'>"
    u"\t<panel name='panMain'>"
    // USER
    u"\t<tab name='tabU' text='USER'>"
    u"\t<vbox name='vbox2' expand='item:1'>"
    u"\t<panel name='panU'>"
    u"\t<tab name='tabUEnabled' text='ENABLED'>"
    u"\t<listview name='lstUEnabled'/>"
    u"\t</tab>"
    u"\t<tab name='tabUDisabled' text='DISABLED'>"
    u"\t<listview name='lstUDisabled'/>"
    u"\t</tab>"
    u"\t</panel>"
    u"\t<vbox name='vboxControlsAppU'>"
    u"\t<hbox name='hboxAppControlsU' expand='item:3'>"
    u"\t<button name='cmdUUninstall' text='Uninstall' width='64' disabled='yes'/>"
    u"\t<empty name='empty2' width='64'/>"
    u"\t<string name='txtUSelected' flags='#KV_String_ReadOnly'/>"
    u"\t<button name='cmdUDump' text='Dump' width='64' disabled='yes'/>"
    u"\t<button name='cmdUDisable' text='Disable' width='64' disabled='yes'/>"
    u"\t<button name='cmdUEnable' text='Enable' width='64' disabled='yes'/>"
    u"\t</hbox>"
    u"\t</vbox>"
    u"\t</vbox>"
    u"\t</tab>"
    // SYSTEM
    u"\t<tab name='tabS' text='SYSTEM'>"
    u"\t<vbox name='vbox3' expand='item:1'>"
    u"\t<panel name='panS'>"
    u"\t<tab name='tabSEnabled' text='ENABLED'>"
    u"\t<listview name='lstSEnabled'/>"
    u"\t</tab>"
    u"\t<tab name='tabSDisabled' text='DISABLED'>"
    u"\t<listview name='lstSDisabled'/>"
    u"\t</tab>"
    u"\t<tab name='tabSUninstalled' text='UNINSTALLED'>"
    u"\t<listview name='lstSUninstalled'/>"
    u"\t</tab>"
    u"\t<tab name='tabSModules' text='MODULES'>"
    u"\t<listview name='lstSModules'/>"
    u"\t</tab>"
    u"\t<tab name='tabSLibraries' text='LIBRARIES'>"
    u"\t<listview name='lstSLibraries'/>"
    u"\t</tab>"
    u"\t</panel>"
    u"\t<vbox name='vboxControlsAppS'>"
    u"\t<text name='lblWarn' text='WARNING: disabling/uninstalling some system"
    u" &quot;bloatware&quot; may brick your phone (bootloop)'/>"
    u"\t<hbox name='hboxAppControlsS' expand='item:3'>"
    u"\t<button name='cmdSUninstall' text='Uninstall' width='64' disabled='yes'/>"
    u"\t<button name='cmdSReinstall' text='Re-Install' width='64' disabled='yes'/>"
    u"\t<string name='txtSSelected' flags='#KV_String_ReadOnly'/>"
    u"\t<button name='cmdSDump' text='Dump' width='64' disabled='yes'/>"
    u"\t<button name='cmdSDisable' text='Disable' width='64' disabled='yes'/>"
    u"\t<button name='cmdSEnable' text='Enable' width='64' disabled='yes'/>"
    u"\t</hbox>"
    u"\t</vbox>"
    u"\t</vbox>"
    u"\t</tab>"
    // CONFIG
    u"\t<tab name='tabC' text='CONFIG'>"
    u"\t<vbox name='vbox4' expand='item:1'>"
    u"\t<panel name='panC'>"
    u"\t<tab name='tabCGlobal' text='GLOBAL'>"
    u"\t<listview name='lstCGlobal'/>"
    u"\t</tab>"
    u"\t<tab name='tabCSecure' text='SECURE'>"
    u"\t<listview name='lstCSecure'/>"
    u"\t</tab>"
    u"\t<tab name='tabCSystem' text='SYSTEM'>"
    u"\t<listview name='lstCSystem'/>"
    u"\t</tab>"
    u"\t</panel>"
    u"\t<vbox name='vboxControlsC'>"
    u"\t<hbox name='hboxCfgControls' expand='item:1'>"
    u"\t<string name='txtCSelected' flags='#KV_String_ReadOnly'/>"
    u"\t</hbox>"
    u"\t<hbox name='hboxCfgControls2' expand='item:1'>"
    u"\t<string name='txtCNewValue' width='64'/>"
    u"\t<button name='cmdCWrite' text='Write' width='64' disabled='yes'/>"
    u"\t</hbox>"
    u"\t</vbox>"
    u"\t</vbox>"
    u"\t</tab>"
    // DEVICE
    u"\t<tab name='tabD' text='DEVICE'>"
    u"\t<panel name='panD'>"
    u"\t<tab name='tabDInfo' text='INFO'>"
    u"\t<editor name='lstDInfo' flags='#KV_Editor_ReadOnly'/>"
    u"\t</tab>"
    u"\t</panel>"
    u"\t</tab>"
    // SETTINGS
    u"\t<tab name='tabO' text='SETTINGS'>"
    u"\t<vbox name='vbox5' expand='no'>"
    u"\t<text name='lblOADBPath' text='ADB platform tools path (ADB.exe):'/>"
    u"\t<hbox name='hbox1' expand='item:1'>"
    u"\t<string name='txtOADBPath'/>"
    u"\t<button name='cmdOSetADBPath' text='[ . . . ]'/>"
    u"\t</hbox>"
    u"\t</vbox>"
    u"\t</tab>"
    u"\t</panel>"
    // The row under the tabs.
    u"\t<hbox name='hboxControlsGeneric' expand='item:1'>"
    u"\t<string name='txtGenStatus' flags='#KV_String_ReadOnly'/>"
    u"\t<button name='cmdGenReload' text='Reload' width='64'/>"
    u"\t<button name='cmdGenCopy' text='Copy list' width='64' disabled='yes'/>"
    u"\t</hbox>"
    u"\t</vbox>"
    u"\t</window>"
    u"\t</dialogs>";

}  // namespace

const TextView kMainWindowDescription{kDescription, std::size(kDescription) - 1};

void FindMainGadgets(int dialog) {
  GADGETS = {};
  GADGETS.window = DialogWindowOf(dialog);
  for (const GadgetName& gadget : kGadgetNames) {
    GADGETS.*gadget.number = FindDialogGadget(dialog, gadget.name);
  }
}

PackageTab UserTab() {
  const MainGadgets& g = GADGETS;
  return {u"user", g.txtUSelected, g.lstUEnabled, g.lstUDisabled, -1, g.cmdUUninstall,
          -1,      g.cmdUDump,     g.cmdUDisable, g.cmdUEnable};
}

PackageTab SystemTab() {
  const MainGadgets& g = GADGETS;
  return {u"system",       g.txtSSelected,  g.lstSEnabled, g.lstSDisabled, g.lstSUninstalled,
          g.cmdSUninstall, g.cmdSReinstall, g.cmdSDump,    g.cmdSDisable,  g.cmdSEnable};
}

}  // namespace kv
