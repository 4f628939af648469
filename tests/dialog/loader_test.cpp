// Building windows from descriptions: which window is built, what elements
// and attributes do, every build error, and the registry's lookups.
#include <cstdint>

#include "dialog_fixture.h"

using namespace kv;
using namespace kv::test;

namespace {

using Loader = DialogTest;

constexpr TextView kTwoWindows =
    u"<dialogs><window name='a' text='first'><button/></window>"
    u"<window name='b' text='second'><button/></window></dialogs>";

TEST_F(Loader, ChoosesTheWindowByNameIgnoringCase) {
  ASSERT_NE(Open(kTwoWindows, u"B"), 0);
  EXPECT_EQ(GetWindowCaption(Window()), u"second");
  EXPECT_EQ(Error(), u"");

  ASSERT_NE(Open(kTwoWindows, u""), 0);
  EXPECT_EQ(GetWindowCaption(Window()), u"first");

  EXPECT_EQ(Open(kTwoWindows, u"c"), 0);
  EXPECT_EQ(Error(), u"Dialog window not found");
}

TEST_F(Loader, ARootWindowMatchesItsNameOrAnEmptyOne) {
  EXPECT_EQ(Open(u"<window text='w'/>", u"w"), 0) << "a window without a name";
  EXPECT_EQ(Error(), u"Dialog window not found");
  EXPECT_NE(Open(u"<window text='w'/>", u""), 0);
  EXPECT_EQ(Error(), u"") << "a new build clears the old error";
  EXPECT_NE(Open(u"<Window NAME='Main'/>", u"main"), 0);
}

TEST_F(Loader, AnyOtherRootIsNoWindow) {
  EXPECT_EQ(Open(u"<dialog><window/></dialog>"), 0);
  EXPECT_EQ(Error(), u"Dialog window not found");
  EXPECT_EQ(Open(u"<dialogs><frame><window/></frame></dialogs>"), 0);
  EXPECT_EQ(OpenDialogWindow(dialog, nullptr, u""), 0);
  EXPECT_EQ(Error(), u"Dialog window not found");
  EXPECT_EQ(OpenDialogWindow(dialog + 1, nullptr, u""), 0);
  EXPECT_EQ(DialogErrorText(dialog + 1), u"") << "an unknown dialog keeps no message";
}

// Each description fails with its message filled in, and leaves no window.
TEST_F(Loader, EveryBuildErrorHasItsMessage) {
  struct Case {
    TextView content;
    TextView message;
  };
  const Case cases[] = {
      {u"<button width=''/>", u"<button> 'width' can't have empty value."},
      {u"<Button HEIGHT=''/>", u"<Button> 'HEIGHT' can't have empty value."},
      {u"<vbox id=''/>", u"<vbox> 'id' can't have empty value."},
      {u"<button id='#Unknown'/>", u"'#Unknown' constant is not found or not declared as runtime."},
      {u"<button flags='#KV_String_ReadOnly'/>",
       u"'#KV_String_ReadOnly' flag is not supported for the following gadget: button"},
      {u"<vbox flags='#KV_Window_Tool'/>",
       u"'#KV_Window_Tool' flag is not supported for the following gadget: vbox"},
      {u"<string onchange='Handler'/>", u"'Handler' is not a runtime procedure."},
      {u"<listview onevent=''/>", u"'' is not a runtime procedure."},
      {u"<button onleftclick='Handler'/>",
       u"'onleftclick' is not supported for the following gadget: button"},
      {u"<panel onLeftClick='Handler'/>",
       u"'onLeftClick' is not supported for the following gadget: panel"},
      {u"<tab text='lost'/>", u"<tab> node requiers a parent <panel> node."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(EncodeUtf8(c.content));
    Text description = Text(u"<window id='7'>") + Text(c.content) + u"</window>";
    EXPECT_EQ(Open(description), 0);
    EXPECT_EQ(Error(), c.message);
    EXPECT_EQ(Window(), -1);
    EXPECT_EQ(FindWindowObject(7), nullptr) << "the window is closed again";
  }
}

TEST_F(Loader, AWindowWithABadAttributeIsNeverCreated) {
  EXPECT_EQ(Open(u"<window id='7' width=''><button/></window>"), 0);
  EXPECT_EQ(Error(), u"<window> 'width' can't have empty value.");
  EXPECT_EQ(Open(u"<window id='7' flags='#KV_Button_Default'/>"), 0);
  EXPECT_EQ(Error(),
            u"'#KV_Button_Default' flag is not supported for the following gadget: window");
  EXPECT_EQ(FindWindowObject(7), nullptr);
}

// Gadgets at fixed numbers in another window show which elements the failed
// build created: creating at a number in use replaces the gadget there.
TEST_F(Loader, TheFirstErrorWinsAndStopsTheBuild) {
  int other = static_cast<int>(NewWindow(KV_Any, 0, 0, 100, 100, u"other", 0));
  for (int number : {20, 21, 22, 23}) NewTextLabel(number, 0, 0, 0, 0, u"marker");
  EXPECT_EQ(Open(u"<window><vbox>"
                 u"<button id='20'/>"
                 u"<button id='#Missing' width=''><button id='21'/></button>"
                 u"<button id='22' flags='#Nope'/>"
                 u"</vbox><button id='23'/></window>"),
            0);
  EXPECT_EQ(Error(), u"'#Missing' constant is not found or not declared as runtime.");
  EXPECT_EQ(GetGadgetKind(20), 0) << "built before the error";
  EXPECT_EQ(GetGadgetKind(21), GK_TEXT) << "inside the failed element";
  EXPECT_EQ(GetGadgetKind(22), GK_TEXT) << "after the failed element";
  EXPECT_EQ(GetGadgetKind(23), GK_TEXT) << "after the failed element's parent";
  DisposeWindow(other);
}

TEST_F(Loader, UnknownElementsAreSkippedWithTheirSubtree) {
  ASSERT_NE(Open(u"<window><vbox>"
                 u"<frob><button name='inFrob'/></frob>"
                 u"<window><button name='inWindow'/></window>"
                 u"<!-- a comment -->text<button name='kept'/>"
                 u"</vbox></window>"),
            0);
  EXPECT_EQ(Gadget(u"inFrob"), -1);
  EXPECT_EQ(Gadget(u"inWindow"), -1);
  EXPECT_EQ(GetGadgetKind(Gadget(u"kept")), GK_BUTTON);
}

TEST_F(Loader, EveryGadgetElementMakesAGadgetOfItsKind) {
  struct Expected {
    TextView element;
    int kind;
  };
  for (Expected e : {Expected{u"checkbox", GK_CHECKBOX}, {u"Option", GK_OPTION},
                     {u"shortcut", GK_SHORTCUT}, {u"image", GK_IMAGE},
                     {u"buttonimage", GK_BUTTONIMAGE}, {u"listicon", GK_LISTICON},
                     {u"tree", GK_TREE}, {u"combobox", GK_COMBOBOX}, {u"calendar", GK_CALENDAR},
                     {u"date", GK_DATE}, {u"explorercombo", GK_EXPLORERCOMBO},
                     {u"explorerlist", GK_EXPLORERLIST}, {u"explorertree", GK_EXPLORERTREE},
                     {u"hyperlink", GK_HYPERLINK}, {u"ipaddress", GK_IPADDRESS},
                     {u"scrollbar", GK_SCROLLBAR}, {u"progressbar", GK_PROGRESSBAR},
                     {u"trackbar", GK_TRACKBAR}, {u"spin", GK_SPIN}}) {
    Text description = Text(u"<window><vbox><") + Text(e.element) + u" name='g'/></vbox></window>";
    ASSERT_NE(Open(description), 0);
    EXPECT_EQ(GetGadgetKind(Gadget(u"g")), e.kind);
  }
}

TEST_F(Loader, ElementsOfComponentsThisBuildLacksFailTheBuildByName) {
  EXPECT_EQ(Open(u"<window><vbox><web/></vbox></window>"), 0);
  EXPECT_EQ(Error(), u"<web> needs the web view component, which this build does not include.");
  EXPECT_EQ(Window(), -1);
  EXPECT_EQ(Open(u"<window><vbox><Scintilla/></vbox></window>"), 0);
  EXPECT_EQ(Error(),
            u"<Scintilla> needs the code editor component, which this build does not include.");
}

TEST_F(Loader, FindsGadgetsByNameIgnoringCaseAndNeverBoxes) {
  ASSERT_NE(Open(u"<window name='wnd'><vbox name='vbox1'><empty name='gap'/>"
                 u"<button name='cmdGenReload' text='Reload'/>"
                 u"<button name='cmdGenReload' text='second of the name'/></vbox></window>"),
            0);
  int reload = Gadget(u"CMDGENRELOAD");
  EXPECT_EQ(ReadGadgetText(reload), u"Reload") << "the first in tree order";
  EXPECT_EQ(Gadget(u"VBOX1"), -1);
  EXPECT_EQ(Gadget(u"wnd"), -1);
  EXPECT_EQ(Gadget(u"gap"), -1);
  EXPECT_EQ(Gadget(u"nothing"), -1);
  EXPECT_EQ(Gadget(u""), -1) << "items without a name never match";
  EXPECT_EQ(FindDialogGadget(dialog + 1, u"cmdGenReload"), -1);
}

TEST_F(Loader, DisabledAndInvisibleActOnGadgetsOnly) {
  ASSERT_NE(Open(u"<window><vbox name='box' disabled='yes' invisible='yes'>"
                 u"<button name='off' disabled='YES'/><button name='on' disabled='no'/>"
                 u"<button name='hidden' invisible='yes'/></vbox></window>"),
            0);
  EXPECT_FALSE(headless::IsEnabled(GetGadgetHandle(Gadget(u"off"))));
  EXPECT_TRUE(headless::IsEnabled(GetGadgetHandle(Gadget(u"on")))) << "the box disables nothing";
  EXPECT_TRUE(headless::IsShown(GetGadgetHandle(Gadget(u"on"))));
  EXPECT_FALSE(headless::IsShown(GetGadgetHandle(Gadget(u"hidden"))));
}

TEST_F(Loader, ASecondContentElementReplacesTheFirst) {
  ASSERT_NE(Open(u"<window><vbox name='first'><button name='a' id='30' text='A'/></vbox>"
                 u"<hbox name='second'><button name='b' text='B'/></hbox></window>"),
            0);
  EXPECT_EQ(Gadget(u"a"), -1) << "the first element left the layout";
  EXPECT_EQ(GetGadgetKind(30), GK_BUTTON) << "but its gadget stays";
  PixelRect first = headless::GadgetRect(30);
  EXPECT_EQ((Rect{first.x, first.y, first.width, first.height}), (Rect{0, 0, 0, 0}));
  EXPECT_EQ(At(u"second").x, 8);
  EXPECT_EQ(GadgetAt(u"b").x, 8);
}

TEST_F(Loader, IdsGiveFixedNumbers) {
  DialogRuntimeSymbols().AddConstant(u"ReloadId", 41);
  ASSERT_NE(Open(u"<window id='5'><vbox>"
                 u"<button name='fixed' id='40'/><button name='named' id='#reloadid'/>"
                 u"<button name='auto' id='#kv_any'/><button name='bad' id='-7'/></vbox></window>"),
            0);
  EXPECT_EQ(Window(), 5);
  EXPECT_EQ(Gadget(u"fixed"), 40);
  EXPECT_EQ(Gadget(u"named"), 41);
  EXPECT_EQ(GetGadgetKind(Gadget(u"auto")), GK_BUTTON);
  EXPECT_NE(Gadget(u"auto"), -1);
  EXPECT_EQ(Gadget(u"bad"), -1) << "a number the toolkit refuses makes no gadget";
}

// Creating at a number in use replaces the gadget there, here the panel
// that would have held the new field.
TEST_F(Loader, AGadgetAtTheNumberOfItsOwnPanel) {
  ASSERT_NE(Open(u"<window><vbox><panel name='pan' id='5'><tab><string name='field' id='5'/>"
                 u"</tab></panel><button name='after'/></vbox></window>"),
            0);
  EXPECT_EQ(Gadget(u"field"), -1) << "nothing is left to hold it";
  EXPECT_EQ(GetGadgetKind(5), 0);
  EXPECT_EQ(GetGadgetKind(Gadget(u"after")), GK_BUTTON);
  EXPECT_NE(RelayoutDialog(dialog), 0);
}

TEST_F(Loader, RuntimeSymbolsNameNumbersAndProcedures) {
  std::int16_t rows = 3;
  DialogRuntimeSymbols().AddVariable(u"Rows", &rows);
  DialogRuntimeSymbols().AddConstant(u"Wide", 99.9);
  DialogRuntimeSymbols().AddConstant(u"KV_Extra_Flag", 0x40);
  DialogRuntimeSymbols().AddConstant(u"KV_Nothing", -1);
  static int changes = 0;
  DialogRuntimeSymbols().AddProcedure(u"OnChanged", [] { ++changes; });
  const TextView description =
      u"<window><vbox><empty name='gap' width='Wide' height='ROWS'/>"
      u"<string name='field' onchange='onchanged' flags='#KV_Extra_Flag'/></vbox></window>";
  ASSERT_NE(Open(description), 0);
  EXPECT_EQ(At(u"gap").width, 99) << "truncated toward zero";
  EXPECT_EQ(At(u"gap").height, 3);
  headless::TypeText(Gadget(u"field"), u"ab");
  EXPECT_EQ(changes, 2);

  rows = 12;
  ASSERT_NE(Open(description), 0);
  EXPECT_EQ(At(u"gap").height, 12) << "variables are read at each lookup";

  EXPECT_EQ(Open(u"<window><string flags='#KV_Nothing'/></window>"), 0);
  EXPECT_EQ(Error(), u"'#KV_Nothing' flag is not supported for the following gadget: string");
  EXPECT_EQ(Open(u"<window><button onevent='Rows'/></window>"), 0);
  EXPECT_EQ(Error(), u"'Rows' is not a runtime procedure.");
}

TEST_F(Loader, EventAttributesOfBoxesAreIgnored) {
  static int calls = 0;
  calls = 0;
  DialogRuntimeSymbols().AddProcedure(u"OnAnything", [] { ++calls; });
  ASSERT_NE(Open(u"<window><vbox onchange='OnAnything' onevent='OnAnything'>"
                 u"<hbox onleftclick='Nowhere'><string name='field'/></hbox></vbox></window>"),
            0);
  EXPECT_EQ(Error(), u"");
  headless::TypeText(Gadget(u"field"), u"ab");
  EXPECT_EQ(calls, 0) << "a box has no gadget whose events it could take";
}

TEST_F(Loader, TabsAddPagesToTheInnermostPanel) {
  ASSERT_NE(Open(u"<window><vbox><panel name='outer'>"
                 u"<tab text='One'><panel name='inner'><tab text='A'/><tab text='B'/></panel></tab>"
                 u"<tab text='Two'><vbox><tab text='Three'/></vbox></tab>"
                 u"</panel><button name='after'/></vbox></window>"),
            0);
  int outer = Gadget(u"outer");
  int inner = Gadget(u"inner");
  ASSERT_EQ(GadgetItemCount(outer), 3);
  EXPECT_EQ(ReadGadgetItemText(outer, 0), u"One");
  EXPECT_EQ(ReadGadgetItemText(outer, 1), u"Two");
  EXPECT_EQ(ReadGadgetItemText(outer, 2), u"Three") << "a tab below a box of a page";
  ASSERT_EQ(GadgetItemCount(inner), 2);
  EXPECT_EQ(ReadGadgetItemText(inner, 1), u"B");
  // Gadgets after a panel go where they went before it.
  DisposeGadget(outer);
  EXPECT_EQ(GetGadgetKind(Gadget(u"after")), GK_BUTTON);
}

TEST_F(Loader, GadgetsGetTheirTextsAndFlags) {
  ASSERT_NE(Open(u"<window><vbox><editor name='ed' text='hello'/>"
                 u"<string name='ro' text='fixed' flags='#KV_String_ReadOnly'/>"
                 u"<string name='rw'/></vbox></window>"),
            0);
  EXPECT_EQ(ReadGadgetText(Gadget(u"ed")), u"hello");
  headless::TypeText(Gadget(u"ro"), u"x");
  headless::TypeText(Gadget(u"rw"), u"x");
  EXPECT_EQ(ReadGadgetText(Gadget(u"ro")), u"fixed");
  EXPECT_EQ(ReadGadgetText(Gadget(u"rw")), u"x");
}

TEST_F(Loader, ReleasingClosesOnlyTheDialogsOwnWindow) {
  ASSERT_NE(Open(u"<window id='9'><button/></window>"), 0);
  EXPECT_NE(FindWindowObject(9), nullptr);
  ReleaseDialog(dialog);
  EXPECT_EQ(FindWindowObject(9), nullptr);
  EXPECT_EQ(DialogWindowOf(dialog), -1);

  dialog = NewDialog(KV_Any);
  ASSERT_NE(Open(u"<window id='9'><button/></window>"), 0);
  DisposeWindow(9);
  int stranger = static_cast<int>(NewWindow(9, 0, 0, 10, 10, u"stranger", 0));
  ASSERT_NE(stranger, 0);
  EXPECT_EQ(RelayoutDialog(dialog), 0) << "its window is gone";
  ReleaseDialog(KV_Any);
  EXPECT_NE(FindWindowObject(9), nullptr) << "another window at the same number stays";
}

TEST_F(Loader, NewDialogNumbers) {
  EXPECT_EQ(NewDialog(3), 1);
  ASSERT_NE(OpenDialogWindow(3, ParseXmlText(KV_Any, u"<window id='4'/>"), u""), 0);
  EXPECT_EQ(DialogWindowOf(3), 4);
  EXPECT_EQ(NewDialog(3), 1) << "replaces the dialog";
  EXPECT_EQ(FindWindowObject(4), nullptr);
  EXPECT_EQ(DialogWindowOf(3), -1);
  EXPECT_EQ(NewDialog(-5), 0);
}

}  // namespace
