// The standard controls beyond buttons, fields, lists and panels, through the
// public API and the user's actions only, so that every backend runs this
// file unchanged.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "toolkit_fixture.h"
#include "user.h"

using namespace kv;
using namespace kv::test;

namespace {

using Kinds = ToolkitTest;

int Made(Handle created) { return static_cast<int>(created); }

// ---- Check boxes and options -------------------------------------------------------

TEST_F(Kinds, CheckBoxClicksCycleThroughItsStates) {
  int plain = Made(NewCheckBox(KV_Any, 0, 0, 100, 20, u"Plain"));
  int three = Made(NewCheckBox(KV_Any, 0, 30, 100, 20, u"Three", KV_CheckBox_ThreeState));
  EXPECT_EQ(GetGadgetKind(plain), GK_CHECKBOX);
  EXPECT_EQ(ReadGadgetText(plain), u"Plain");
  ASSERT_EQ(BindGadgetHandler(three, RecordCall), 1);

  WriteGadgetState(plain, KV_CheckBox_Inbetween);
  EXPECT_EQ(ReadGadgetState(plain), KV_CheckBox_Checked) << "two states only";
  user::ClickButton(plain);
  EXPECT_EQ(ReadGadgetState(plain), KV_CheckBox_Unchecked);

  std::vector<int> seen;
  for (int i = 0; i < 3; ++i) {
    user::ClickButton(three);
    seen.push_back(ReadGadgetState(three));
  }
  EXPECT_EQ(seen, (std::vector<int>{KV_CheckBox_Checked, KV_CheckBox_Inbetween,
                                    KV_CheckBox_Unchecked}));
  EXPECT_EQ(HandlerCalls().size(), 3u);
  EXPECT_EQ(HandlerCalls().front(), (SeenEvent{0, window, three, ET_LEFT_CLICK}));
  HandlerCalls().clear();
  WriteGadgetState(three, KV_CheckBox_Inbetween);
  EXPECT_EQ(ReadGadgetState(three), KV_CheckBox_Inbetween);
  EXPECT_TRUE(HandlerCalls().empty()) << "the program's change raises no event";
}

// Options created one after the other form a group; any other gadget in
// between starts a new one.
TEST_F(Kinds, OptionsFormRadioGroupsOfConsecutiveOptions) {
  int a1 = Made(NewOption(KV_Any, 0, 0, 80, 20, u"A1"));
  int a2 = Made(NewOption(KV_Any, 0, 20, 80, 20, u"A2"));
  DisposeGadget(Made(NewTextLabel(KV_Any, 0, 0, 0, 0, u"")));
  int b1 = Made(NewOption(KV_Any, 100, 0, 80, 20, u"B1"));
  int b2 = Made(NewOption(KV_Any, 100, 20, 80, 20, u"B2"));

  user::ClickButton(a1);
  user::ClickButton(b2);
  EXPECT_EQ(ReadGadgetState(a1), 1);
  EXPECT_EQ(ReadGadgetState(b2), 1) << "another group keeps its own choice";
  user::ClickButton(a2);
  EXPECT_EQ(ReadGadgetState(a1), 0);
  EXPECT_EQ(ReadGadgetState(a2), 1);
  EXPECT_EQ(ReadGadgetState(b2), 1);

  WriteGadgetState(b1, 1);
  EXPECT_EQ(ReadGadgetState(b2), 0) << "the program's choice also unchecks the others";
  DisposeGadget(a1);
  user::ClickButton(a2);
  EXPECT_EQ(ReadGadgetState(a2), 1) << "a disposed member leaves the group sound";
  EXPECT_EQ(DrainTypes(a2).back(), ET_LEFT_CLICK);
}

// Consecutive options in two parents are two groups, whichever parent is
// closed or opened between them.
TEST_F(Kinds, OptionsInDifferentParentsNeverShareAGroup) {
  int box = Made(NewContainer(KV_Any, 0, 0, 100, 50));
  int inside = Made(NewOption(KV_Any, 0, 0, 80, 20, u"Inside"));
  PopGadgetParent();
  int outside = Made(NewOption(KV_Any, 0, 60, 80, 20, u"Outside"));
  OpenGadgetParent(box);
  int reopened = Made(NewOption(KV_Any, 0, 20, 80, 20, u"Reopened"));
  PopGadgetParent();

  user::ClickButton(inside);
  user::ClickButton(outside);
  EXPECT_EQ(ReadGadgetState(inside), 1) << "an option after the closed container's";
  EXPECT_EQ(ReadGadgetState(outside), 1);
  user::ClickButton(reopened);
  EXPECT_EQ(ReadGadgetState(outside), 1) << "an option in the reopened container";
  EXPECT_EQ(ReadGadgetState(reopened), 1);
}

TEST_F(Kinds, ChoicesMeasureTheirTextAndMark) {
  int box = Made(NewCheckBox(KV_Any, 0, 0, 0, 0, u"Remember"));
  int longer = Made(NewCheckBox(KV_Any, 0, 0, 0, 0, u"Remember me always"));
  GadgetSize small = MeasureGadget(box);
  GadgetSize large = MeasureGadget(longer);
  EXPECT_GT(small.width, 13 + 6);
  EXPECT_GT(large.width, small.width);
  EXPECT_EQ(large.height, small.height);
  EXPECT_GE(small.height, 13);
}

// ---- Value gadgets -----------------------------------------------------------------

TEST_F(Kinds, ValuesStayWithinTheirRange) {
  int progress = Made(NewProgressBar(KV_Any, 0, 0, 200, 20, 10, 20));
  EXPECT_EQ(GetGadgetKind(progress), GK_PROGRESSBAR);
  EXPECT_EQ(ReadGadgetState(progress), 10) << "it starts at the minimum";
  WriteGadgetState(progress, 25);
  EXPECT_EQ(ReadGadgetState(progress), 20);
  WriteGadgetState(progress, -3);
  EXPECT_EQ(ReadGadgetState(progress), 10);
  WriteGadgetAttribute(progress, KV_Range_Minimum, 12);
  EXPECT_EQ(ReadGadgetState(progress), 12) << "a new minimum takes the value along";
  EXPECT_EQ(ReadGadgetAttribute(progress, KV_Range_Maximum), 20);

  int bar = Made(NewScrollBar(KV_Any, 0, 30, 200, 17, 0, 100, 10));
  WriteGadgetState(bar, 100);
  EXPECT_EQ(ReadGadgetState(bar), 91) << "the last page ends at the maximum";
  EXPECT_EQ(ReadGadgetAttribute(bar, KV_ScrollBar_PageLength), 10);
  EXPECT_TRUE(DrainTypes(bar).empty());
}

TEST_F(Kinds, UserStepsRaiseChangeUntilTheEnd) {
  int track = Made(NewTrackBar(KV_Any, 0, 0, 200, 30, 0, 3));
  int spin = Made(NewSpin(KV_Any, 0, 40, 80, 22, 0, 5, KV_Spin_Numeric));
  ASSERT_EQ(BindGadgetHandler(track, RecordCall, ET_CHANGE), 1);
  user::StepValue(track, 5);
  EXPECT_EQ(ReadGadgetState(track), 3);
  EXPECT_EQ(HandlerCalls().size(), 3u) << "no change once at the end";
  user::StepValue(track, -1);
  EXPECT_EQ(ReadGadgetState(track), 2);

  WriteGadgetState(spin, 4);
  EXPECT_EQ(ReadGadgetText(spin), u"4");
  user::StepValue(spin, 1);
  EXPECT_EQ(ReadGadgetState(spin), 5);
  EXPECT_EQ(ReadGadgetText(spin), u"5") << "a numeric spin's text follows its value";
  std::vector<int> types = DrainTypes(spin);
  EXPECT_NE(std::find(types.begin(), types.end(), ET_CHANGE), types.end());
}

// ---- Combo boxes, fields, links ----------------------------------------------------

TEST_F(Kinds, ComboBoxChoosesItemsAndShowsTheirText) {
  int combo = Made(NewComboBox(KV_Any, 0, 0, 150, 22));
  for (auto text : {u"red", u"green", u"blue"}) InsertGadgetItem(combo, -1, text);
  EXPECT_EQ(GadgetItemCount(combo), 3);
  EXPECT_EQ(ReadGadgetState(combo), -1);
  WriteGadgetText(combo, u"GREEN");
  EXPECT_EQ(ReadGadgetState(combo), 1);
  EXPECT_EQ(ReadGadgetText(combo), u"green");
  EXPECT_TRUE(DrainTypes(combo).empty());

  ASSERT_EQ(BindGadgetHandler(combo, RecordCall), 1);
  user::ChooseItem(combo, 2);
  EXPECT_EQ(ReadGadgetState(combo), 2);
  EXPECT_EQ(ReadGadgetItemText(combo, 2), u"blue");
  ASSERT_FALSE(HandlerCalls().empty());
  EXPECT_EQ(HandlerCalls().back(), (SeenEvent{0, window, combo, ET_CHANGE}));
  DeleteGadgetItem(combo, 0);
  EXPECT_EQ(ReadGadgetState(combo), 1) << "the choice stays with its item";
  ClearGadget(combo);
  EXPECT_EQ(GadgetItemCount(combo), 0);
  EXPECT_EQ(ReadGadgetState(combo), -1);
  EXPECT_GT(MeasureGadget(combo).height, 0);
}

TEST_F(Kinds, AddressFieldReadsAndWritesDottedText) {
  int address = Made(NewIpAddress(KV_Any, 0, 0, 150, 22));
  WriteGadgetState(address, static_cast<int>(0xC0A80001u));
  EXPECT_EQ(ReadGadgetText(address), u"192.168.0.1");
  WriteGadgetText(address, u"10.0.2.15");
  EXPECT_EQ(ReadGadgetState(address), 0x0A00020F);
  EXPECT_EQ(ReadGadgetText(address), u"10.0.2.15");
}

TEST_F(Kinds, DatesShortcutsAndLinksKeepWhatTheyAreGiven) {
  const int date2000 = 946771200;     // 2000-01-02 00:00:00 UTC
  int date = Made(NewDate(KV_Any, 0, 0, 150, 22, u"%dd.%mm.%yyyy", date2000));
  EXPECT_EQ(ReadGadgetState(date), date2000);
  EXPECT_EQ(ReadGadgetText(date), u"02.01.2000");
  int calendar = Made(NewCalendar(KV_Any, 0, 30, 0, 0, date2000));
  EXPECT_EQ(ReadGadgetState(calendar), date2000);
  WriteGadgetState(calendar, date2000 + 40 * 86400);
  EXPECT_EQ(ReadGadgetState(calendar), date2000 + 40 * 86400);
  EXPECT_GT(MeasureGadget(calendar).width, 100);

  int shortcut = Made(NewShortcut(KV_Any, 0, 0, 150, 22, KV_Shortcut_Control | 'S'));
  EXPECT_EQ(ReadGadgetState(shortcut), KV_Shortcut_Control | 'S');

  int link = Made(NewHyperLink(KV_Any, 0, 0, 0, 0, u"Project page", 0xFF0000));
  EXPECT_EQ(ReadGadgetColor(link, KV_FrontColor), 0xFF0000);
  ASSERT_EQ(BindGadgetHandler(link, RecordCall), 1);
  PlaceGadget(link, 0, 0, 120, 20);
  user::ClickButton(link);
  EXPECT_EQ(HandlerCalls(), (std::vector<SeenEvent>{{0, window, link, ET_LEFT_CLICK}}));
}

// ---- Multi-column lists and trees --------------------------------------------------

TEST_F(Kinds, ListIconHoldsCellsByColumn) {
  int list = Made(NewListIcon(KV_Any, 0, 0, 300, 150, u"Package", 150));
  AddGadgetColumn(list, 1, u"Version", 80);
  EXPECT_EQ(GadgetColumnCount(list), 2);
  InsertGadgetItem(list, -1, u"org.example.one");
  InsertGadgetItem(list, 0, u"org.example.zero");
  EXPECT_EQ(WriteGadgetItemText(list, 1, u"1.2", 1), 0);
  EXPECT_EQ(ReadGadgetItemText(list, 1, 0), u"org.example.one");
  EXPECT_EQ(ReadGadgetItemText(list, 1, 1), u"1.2");
  EXPECT_EQ(ReadGadgetItemText(list, 0, 1), u"");
  EXPECT_EQ(WriteGadgetItemText(list, 5, u"x"), -1);

  ASSERT_EQ(BindGadgetHandler(list, RecordCall), 1);
  user::ClickListItem(list, 1);
  EXPECT_EQ(ReadGadgetState(list), 1);
  EXPECT_EQ(ReadGadgetText(list), u"org.example.one");
  std::vector<int> types;
  for (const SeenEvent& call : HandlerCalls()) types.push_back(call.type);
  EXPECT_NE(std::find(types.begin(), types.end(), ET_LEFT_CLICK), types.end());
  EXPECT_NE(std::find(types.begin(), types.end(), ET_CHANGE), types.end());
  DeleteGadgetItem(list, 0);
  EXPECT_EQ(GadgetItemCount(list), 1);
  EXPECT_EQ(ReadGadgetItemText(list, 0, 1), u"1.2");
}

TEST_F(Kinds, TreeItemsNestByLevelAndGoWithTheirParent) {
  int tree = Made(NewTree(KV_Any, 0, 0, 200, 200));
  InsertGadgetItem(tree, -1, u"root", 0);
  InsertGadgetItem(tree, -1, u"child", 1);
  InsertGadgetItem(tree, -1, u"grandchild", 2);
  InsertGadgetItem(tree, -1, u"second root", 0);
  ASSERT_EQ(GadgetItemCount(tree), 4);
  EXPECT_EQ(ReadGadgetItemText(tree, 2), u"grandchild");
  WriteGadgetItemState(tree, 0, KV_Item_Expanded);
  EXPECT_TRUE(ReadGadgetItemState(tree, 0) & KV_Item_Expanded);
  WriteGadgetState(tree, 3);
  EXPECT_EQ(ReadGadgetText(tree), u"second root");
  WriteGadgetItemData(tree, 3, 33);
  DeleteGadgetItem(tree, 1);
  EXPECT_EQ(GadgetItemCount(tree), 2) << "the child went with its own child";
  EXPECT_EQ(ReadGadgetItemText(tree, 1), u"second root");
  EXPECT_EQ(ReadGadgetItemData(tree, 1), 33);
}

// ---- Folder browsing ---------------------------------------------------------------

class Explorer : public ToolkitTest {
 protected:
  void SetUp() override {
    ToolkitTest::SetUp();
    namespace fs = std::filesystem;
    // One folder per test: ctest runs tests side by side.
    name = "kv-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name());
    root = fs::temp_directory_path() / name;
    fs::remove_all(root);
    fs::create_directories(root / "beta" / "inner");
    fs::create_directories(root / "Alpha");
    std::ofstream(root / "notes.txt") << "x";
  }
  void TearDown() override {
    std::filesystem::remove_all(root);
    ToolkitTest::TearDown();
  }
  Text Folder(const char* sub = nullptr) const {
    return (sub ? root / sub : root).u16string();
  }
  std::string name;
  std::filesystem::path root;
};

TEST_F(Explorer, ListShowsFoldersThenFilesAndOpensFolders) {
  int list = Made(NewExplorerList(KV_Any, 0, 0, 300, 200, Folder()));
  ASSERT_EQ(GadgetItemCount(list), 4);
  EXPECT_EQ(ReadGadgetItemText(list, 0), u"..");
  EXPECT_EQ(ReadGadgetItemText(list, 1), u"Alpha");
  EXPECT_EQ(ReadGadgetItemText(list, 2), u"beta");
  EXPECT_EQ(ReadGadgetItemText(list, 3), u"notes.txt");
  EXPECT_EQ(ReadGadgetItemData(list, 3), KV_Explorer_File);
  EXPECT_EQ(ReadGadgetText(list), Folder());

  ASSERT_EQ(BindGadgetHandler(list, RecordCall, ET_CHANGE), 1);
  user::DoubleClickListItem(list, 2);
  EXPECT_EQ(ReadGadgetText(list), Folder("beta"));
  ASSERT_EQ(GadgetItemCount(list), 2);
  EXPECT_EQ(ReadGadgetItemText(list, 1), u"inner");
  EXPECT_FALSE(HandlerCalls().empty());

  int files = Made(NewExplorerList(KV_Any, 0, 0, 300, 200, Folder(),
                                   KV_Explorer_NoFolders | KV_Explorer_NoParentFolder));
  ASSERT_EQ(GadgetItemCount(files), 1);
  EXPECT_EQ(ReadGadgetItemText(files, 0), u"notes.txt");
}

TEST_F(Explorer, TreeAndComboShowTheWayToTheFolder) {
  int tree = Made(NewExplorerTree(KV_Any, 0, 0, 300, 200, Folder()));
  int at = ReadGadgetState(tree);
  ASSERT_GE(at, 2) << "a root and the folders on the way come first";
  EXPECT_EQ(ReadGadgetItemText(tree, at), Text(name.begin(), name.end()));
  EXPECT_EQ(ReadGadgetItemText(tree, at + 1), u"Alpha");
  EXPECT_EQ(ReadGadgetItemText(tree, at + 2), u"beta");

  user::ClickListItem(tree, at + 2);
  EXPECT_EQ(ReadGadgetText(tree), Folder("beta"));
  at = ReadGadgetState(tree);
  EXPECT_EQ(ReadGadgetItemText(tree, at), u"beta");
  EXPECT_EQ(ReadGadgetItemText(tree, at + 1), u"inner");

  int combo = Made(NewExplorerCombo(KV_Any, 0, 0, 300, 22, Folder("beta")));
  EXPECT_EQ(ReadGadgetItemText(combo, ReadGadgetState(combo)), Folder("beta"));
  user::ChooseItem(combo, ReadGadgetState(combo) - 1);
  EXPECT_EQ(ReadGadgetText(combo), Folder());
}

}  // namespace
