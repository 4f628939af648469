// The main window: its description, the gadget table and the per-tab records
// over which the handlers are written once.
#pragma once

#include "runtime/text.h"

namespace kv {

// A "dialogs" root holding the one window, wndADB: five tabs (USER, SYSTEM,
// CONFIG, DEVICE, SETTINGS) above a status field with Reload and Copy list.
// Made from main_window.xml by the build: single-quoted attributes, elements
// separated by tabs, no line breaks.
extern const TextView kMainWindowDescription;
inline constexpr TextView kMainWindowName = u"wndADB";

// Gadget numbers of the main window's named gadgets, looked up once at
// start-up; -1 for a name the window does not hold.
struct MainGadgets {
  int window = -1;  // wndADB
  int cmbODevice = -1;
  int cmdCWrite = -1, cmdGenCopy = -1, cmdGenReload = -1, cmdOSetADBPath = -1;
  int cmdSDisable = -1, cmdSDump = -1, cmdSEnable = -1, cmdSReinstall = -1, cmdSUninstall = -1;
  int cmdUDisable = -1, cmdUDump = -1, cmdUEnable = -1, cmdUUninstall = -1;
  int lblOADBPath = -1, lblWarn = -1;
  int lstCGlobal = -1, lstCSecure = -1, lstCSystem = -1, lstDDump = -1, lstDInfo = -1;
  int lstSDisabled = -1, lstSEnabled = -1, lstSLibraries = -1, lstSModules = -1,
      lstSUninstalled = -1;
  int lstUDisabled = -1, lstUEnabled = -1;
  int panC = -1, panD = -1, panMain = -1, panS = -1, panU = -1;
  int txtCNewValue = -1, txtCSelected = -1, txtGenStatus = -1, txtOADBPath = -1;
  int txtSSelected = -1, txtUSelected = -1;
};

// The gadget table of the dialog that holds the open main window.
MainGadgets FindMainGadgets(int dialog);

// Tab indices of the panels.
enum MainTab : int { TabUser = 0, TabSystem = 1, TabConfig = 2, TabDevice = 3, TabSettings = 4 };
enum PackageListTab : int { TabEnabled = 0, TabDisabled = 1, TabUninstalled = 2 };
enum DeviceTab : int { TabInfo = 0, TabDump = 1 };

// The USER and SYSTEM tabs hold the same package controls; the actions and
// their answers are written once over this record. -1 for what a tab lacks.
struct PackageTab {
  TextView scope;  // "user" or "system", as the confirmation names it
  int selected;    // the read-only field holding the picked package
  int enabled, disabled, uninstalled;
  int uninstall, reinstall, dump, disable, enable;

  bool IsSystem() const { return uninstalled != -1; }
};

PackageTab UserTabOf(const MainGadgets& g);
PackageTab SystemTabOf(const MainGadgets& g);

}  // namespace kv
