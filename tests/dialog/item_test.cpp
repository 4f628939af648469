// Item operations beside the two layout passes: hiding and showing a
// subtree, and setting texts again.
#include "dialog/detail/build.h"
#include "dialog/detail/items.h"
#include "dialog_fixture.h"

using namespace kv;
using namespace kv::test;

namespace {

class Items : public DialogTest {
 protected:
  // The items of a window element, built inside a plain window.
  void BuildItems(TextView description) {
    const XmlNode* element = XmlMainNode(ParseXmlText(KV_Any, description));
    dialog::Build build;
    build.window = static_cast<int>(NewWindow(KV_Any, 0, 0, 100, 100, u"", 0));
    root = dialog::CreateWindowItem(element, build);
    dialog::BuildChildren(*root, XmlFirstChild(element), build);
    ASSERT_EQ(build.error, u"");
  }

  int GadgetOf(TextView name) { return root->FindByName(name)->gadget; }
  bool Shown(TextView name) { return headless::IsShown(GetGadgetHandle(GadgetOf(name))); }

  std::unique_ptr<dialog::WindowItem> root;
};

TEST_F(Items, ShowingASubtreeAgainLeavesFoldedItemsHidden) {
  BuildItems(u"<window><vbox><button name='a'/><button name='folded' folded='yes'/>"
             u"<panel name='pan'><tab><string name='s'/></tab></panel></vbox></window>");
  root->SetHidden(true);
  for (TextView name : {u"a", u"folded", u"pan", u"s"}) EXPECT_FALSE(Shown(name));
  root->SetHidden(false);
  for (TextView name : {u"a", u"pan", u"s"}) EXPECT_TRUE(Shown(name));
  EXPECT_FALSE(Shown(u"folded"));
}

TEST_F(Items, ReapplyingTextsRestoresGadgetsAndTabTitles) {
  BuildItems(u"<window><panel name='pan'><tab text='Title'><vbox>"
             u"<button name='b' text='Go'/><string name='s'/></vbox></tab></panel></window>");
  WriteGadgetText(GadgetOf(u"b"), u"changed");
  WriteGadgetText(GadgetOf(u"s"), u"typed");
  WriteGadgetItemText(GadgetOf(u"pan"), 0, u"changed");
  root->ReapplyText();
  EXPECT_EQ(ReadGadgetText(GadgetOf(u"b")), u"Go");
  EXPECT_EQ(ReadGadgetItemText(GadgetOf(u"pan"), 0), u"Title");
  EXPECT_EQ(ReadGadgetText(GadgetOf(u"s")), u"typed") << "a field without a text keeps its own";
}

}  // namespace
