// The program's main window, built from its description on the headless
// backend.
#include <set>
#include <vector>

#include "app/main_window.h"
#include "dialog_fixture.h"

using namespace kv;
using namespace kv::test;

namespace {

struct Named {
  TextView name;
  int kind;
};

// The gadgets the program looks up, with the kind each must be.
const Named kGadgetTable[] = {
    {u"cmbODevice", GK_COMBOBOX},     {u"lstDDump", GK_EDITOR},
    {u"cmdCWrite", GK_BUTTON},        {u"cmdGenCopy", GK_BUTTON},
    {u"cmdGenReload", GK_BUTTON},     {u"cmdOSetADBPath", GK_BUTTON},
    {u"cmdSDisable", GK_BUTTON},      {u"cmdSDump", GK_BUTTON},
    {u"cmdSEnable", GK_BUTTON},       {u"cmdSReinstall", GK_BUTTON},
    {u"cmdSUninstall", GK_BUTTON},    {u"cmdUDisable", GK_BUTTON},
    {u"cmdUDump", GK_BUTTON},         {u"cmdUEnable", GK_BUTTON},
    {u"cmdUUninstall", GK_BUTTON},    {u"lblOADBPath", GK_TEXT},
    {u"lblWarn", GK_TEXT},            {u"lstCGlobal", GK_LISTVIEW},
    {u"lstCSecure", GK_LISTVIEW},     {u"lstCSystem", GK_LISTVIEW},
    {u"lstDInfo", GK_EDITOR},         {u"lstSDisabled", GK_LISTVIEW},
    {u"lstSEnabled", GK_LISTVIEW},    {u"lstSLibraries", GK_LISTVIEW},
    {u"lstSModules", GK_LISTVIEW},    {u"lstSUninstalled", GK_LISTVIEW},
    {u"lstUDisabled", GK_LISTVIEW},   {u"lstUEnabled", GK_LISTVIEW},
    {u"panC", GK_PANEL},              {u"panD", GK_PANEL},
    {u"panMain", GK_PANEL},           {u"panS", GK_PANEL},
    {u"panU", GK_PANEL},              {u"txtCNewValue", GK_STRING},
    {u"txtCSelected", GK_STRING},     {u"txtGenStatus", GK_STRING},
    {u"txtOADBPath", GK_STRING},      {u"txtSSelected", GK_STRING},
    {u"txtUSelected", GK_STRING},
};

class MainWindow : public DialogTest {
 protected:
  void SetUp() override {
    DialogTest::SetUp();
    ASSERT_NE(Open(kMainWindowDescription, kMainWindowName), 0) << EncodeUtf8(Error());
  }

  std::vector<Text> TabTitles(TextView panel) const {
    std::vector<Text> titles;
    int gadget = Gadget(panel);
    for (int i = 0; i < GadgetItemCount(gadget); ++i) {
      titles.push_back(ReadGadgetItemText(gadget, i));
    }
    return titles;
  }

  bool Enabled(TextView name) const { return headless::IsEnabled(GetGadgetHandle(Gadget(name))); }
};

TEST(MainWindowText, IsOneLineOfTabSeparatedElementsWithSingleQuotes) {
  TextView text = kMainWindowDescription;
  EXPECT_TRUE(text.starts_with(u"<dialogs>"));
  EXPECT_EQ(text.find_first_of(u"\r\n\""), TextView::npos);
  for (size_t at = text.find(u'<', 1); at != TextView::npos; at = text.find(u'<', at + 1)) {
    EXPECT_EQ(text[at - 1], u'\t') << "before element " << at;
  }
  EXPECT_NE(text.find(u"&quot;bloatware&quot;"), TextView::npos);
}

TEST_F(MainWindow, EveryGadgetOfTheTableIsFoundByName) {
  std::set<int> numbers;
  for (const Named& named : kGadgetTable) {
    int gadget = Gadget(named.name);
    EXPECT_EQ(GetGadgetKind(gadget), named.kind) << EncodeUtf8(named.name);
    numbers.insert(gadget);
  }
  EXPECT_EQ(numbers.size(), 39u);
  EXPECT_NE(Window(), -1);
  EXPECT_EQ(GetWindowCaption(Window()), u"Kestrelvane");
}

TEST_F(MainWindow, GrowsFromItsSizeToFitTheWarning) {
  int warning = 87 * 7 + 2;
  EXPECT_EQ(InnerSize(), (dialog::Size{8 + 2 + 10 + warning + 10 + 2 + 8, 480}));
  EXPECT_NE(RelayoutDialog(dialog), 0);
  EXPECT_EQ(InnerSize(), (dialog::Size{651, 480})) << "the program's relayout changes nothing";
  EXPECT_EQ(ReadGadgetText(Gadget(u"lblWarn")),
            u"WARNING: disabling/uninstalling some system \"bloatware\" may brick your phone "
            u"(bootloop)");
}

TEST_F(MainWindow, TheLayoutIsWhereTheToolkitHasTheGadgets) {
  for (const PlacedItem& item : DialogLayout(dialog)) {
    if (item.gadget == -1) continue;
    PixelRect at = headless::GadgetRect(item.gadget);
    EXPECT_EQ((Rect{at.x, at.y, at.width, at.height}),
              (Rect{item.x, item.y, item.width, item.height}))
        << EncodeUtf8(item.name);
  }
  EXPECT_EQ(At(u"panMain"), (Rect{8, 8, 635, 480 - 16 - 5 - 24}));
  EXPECT_EQ(At(u"cmdGenCopy"), (Rect{651 - 8 - 77, 480 - 8 - 24, 77, 24}));
  EXPECT_EQ(At(u"txtGenStatus"), (Rect{8, 480 - 8 - 24, 635 - 10 - 64 - 77, 24}));
}

TEST_F(MainWindow, TabsHaveTheirTitlesInOrder) {
  using Titles = std::vector<Text>;
  EXPECT_EQ(TabTitles(u"panMain"), (Titles{u"USER", u"SYSTEM", u"CONFIG", u"DEVICE", u"SETTINGS"}));
  EXPECT_EQ(TabTitles(u"panU"), (Titles{u"ENABLED", u"DISABLED"}));
  EXPECT_EQ(TabTitles(u"panS"),
            (Titles{u"ENABLED", u"DISABLED", u"UNINSTALLED", u"MODULES", u"LIBRARIES"}));
  EXPECT_EQ(TabTitles(u"panC"), (Titles{u"GLOBAL", u"SECURE", u"SYSTEM"}));
  EXPECT_EQ(TabTitles(u"panD"), (Titles{u"INFO", u"DUMP"}));
}

TEST_F(MainWindow, TheDumpIsReadOnlyWhereTheInfoIs) {
  EXPECT_EQ(At(u"lstDDump"), At(u"lstDInfo"));
  headless::TypeText(Gadget(u"lstDDump"), u"typed");
  EXPECT_EQ(GadgetItemCount(Gadget(u"lstDDump")), 0);
}

TEST_F(MainWindow, TheDeviceRowLiesUnderTheAdbPath) {
  EXPECT_EQ(At(u"txtOADBPath"), (Rect{10, 32, 529, 24}));
  EXPECT_EQ(At(u"lblODevice"), (Rect{10, 63, 51, 19}));
  EXPECT_EQ(At(u"cmbODevice"), (Rect{66, 61, 555, 21}));
  EXPECT_EQ(ReadGadgetText(Gadget(u"lblODevice")), u"Device:");
}

TEST_F(MainWindow, ActionsStartDisabledAndReloadEnabled) {
  for (TextView name : {u"cmdUUninstall", u"cmdUDump", u"cmdUDisable", u"cmdUEnable",
                        u"cmdSUninstall", u"cmdSReinstall", u"cmdSDump", u"cmdSDisable",
                        u"cmdSEnable", u"cmdCWrite", u"cmdGenCopy"}) {
    EXPECT_FALSE(Enabled(name)) << EncodeUtf8(name);
  }
  for (TextView name : {u"cmdGenReload", u"cmdOSetADBPath", u"txtOADBPath", u"lstUEnabled"}) {
    EXPECT_TRUE(Enabled(name)) << EncodeUtf8(name);
  }
}

TEST_F(MainWindow, StatusAndSelectionFieldsAreReadOnly) {
  for (TextView name : {u"txtGenStatus", u"txtUSelected", u"txtSSelected", u"txtCSelected"}) {
    headless::TypeText(Gadget(name), u"typed");
    EXPECT_EQ(ReadGadgetText(Gadget(name)), u"") << EncodeUtf8(name);
  }
  headless::TypeText(Gadget(u"txtOADBPath"), u"typed");
  EXPECT_EQ(ReadGadgetText(Gadget(u"txtOADBPath")), u"typed");
}

}  // namespace
