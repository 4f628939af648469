// splitter: two children, each in one of the splitter's two containers. The
// toolkit sizes the containers as the user drags the bar; each container's
// resize event places its child again.
#include <algorithm>
#include <map>

#include "dialog/detail/attributes.h"
#include "dialog/detail/build.h"
#include "dialog/detail/elements.h"
#include "dialog/detail/items.h"
#include "toolkit/events.h"
#include "toolkit/gadgets.h"

namespace kv::dialog {

namespace {

// Bar thickness, as the toolkit draws it.
constexpr int kBar = 4;
constexpr int kSeparatorBar = 7;

struct SplitterItem;

struct Side {
  SplitterItem* splitter;
  int index;
};

// Inner container -> its splitter and side, for the containers' resize events.
std::map<int, Side>& SideMap() {
  static std::map<int, Side> sides;
  return sides;
}

void OnSideResized();

struct SplitterItem : LayoutItem {
  using LayoutItem::LayoutItem;

  ~SplitterItem() override {
    children.clear();
    for (int container : containers) {
      auto found = SideMap().find(container);
      if (found == SideMap().end() || found->second.splitter != this) continue;
      SideMap().erase(found);
      UnbindGadgetHandler(container, OnSideResized, ET_RESIZE);
    }
  }

  // Each child's gadgets go into its own container; a third has no place.
  void AddChild(ItemPtr child, const XmlNode*, Build& build) override {
    if (children.size() == 2) {
      build.Fail(SplitterChildrenError());
      return;
    }
    children.push_back(std::move(child));
    if (gadget == -1) return;
    PopGadgetParent();
    if (children.size() == 1) OpenGadgetParent(containers[1]);
  }

  // With fewer than two children a container's gadget list is still open.
  void Finish(Build&) override {
    if (gadget != -1 && children.size() < 2) PopGadgetParent();
  }

  Size NaturalSize() override {
    Size need[2];
    for (size_t side = 0; side < children.size(); ++side) {
      need[side] = children[side]->RequiredSize();
      if (autoMinimum[side]) {
        WriteGadgetAttribute(gadget, KV_Splitter_FirstMinimumSize + static_cast<int>(side),
                             vertical ? need[side].width : need[side].height);
      }
    }
    std::int64_t bar = flags & static_cast<std::uint32_t>(KV_Splitter_Separator) ? kSeparatorBar
                                                                                  : kBar;
    Size size = vertical ? Size{Saturate(bar + need[0].width + need[1].width),
                                std::max(need[0].height, need[1].height)}
                         : Size{std::max(need[0].width, need[1].width),
                                Saturate(bar + need[0].height + need[1].height)};
    return {std::max(size.width, width), std::max(size.height, height)};
  }

  // Fills the side's container; also after a relayout that left the
  // container's size as it was.
  void PlaceSide(int side) {
    if (static_cast<size_t>(side) >= children.size()) return;
    int container = containers[side];
    children[side]->SetGeometry(
        {0, 0, ReadGadgetWidth(container), ReadGadgetHeight(container)});
  }

  int containers[2] = {-1, -1};
  bool vertical = false;
  bool autoMinimum[2] = {false, false};

 protected:
  void Place(Rect area) override {
    PlaceGadget(gadget, area.x, area.y, area.width, area.height);
    PlaceSide(0);
    PlaceSide(1);
  }
};

void OnSideResized() {
  auto found = SideMap().find(CurrentEventObject());
  if (found != SideMap().end()) found->second.splitter->PlaceSide(found->second.index);
}

// Each created with its gadget list closed again at once.
int NewSideContainer() {
  int container = static_cast<int>(NewContainer(KV_Any, 0, 0, 0, 0, KV_Container_BorderLess));
  if (container) PopGadgetParent();
  return container ? container : -1;
}

// An integer sets the side's minimum once; "auto" and "request" follow the
// child's required size.
void ReadMinimums(SplitterItem& splitter, const XmlNode* element) {
  ForEachAttribute(element, [&](TextView name, TextView value) {
    int side = EqualNoCase(name, u"FIRSTMIN") ? 0 : EqualNoCase(name, u"SECONDMIN") ? 1 : -1;
    if (side < 0) return;
    if (EqualNoCase(value, u"auto") || EqualNoCase(value, u"request")) {
      splitter.autoMinimum[side] = true;
    } else {
      splitter.autoMinimum[side] = false;
      WriteGadgetAttribute(splitter.gadget, KV_Splitter_FirstMinimumSize + side,
                           ReadInteger(value));
    }
  });
}

}  // namespace

ItemPtr CreateSplitter(const XmlNode* element, const ElementType& type, Build& build) {
  auto splitter = std::make_unique<SplitterItem>(type.kind);
  ReadCommonAttributes(*splitter, element, type, build);
  if (build.Failed()) return nullptr;
  splitter->vertical = splitter->flags & static_cast<std::uint32_t>(KV_Splitter_Vertical);
  int first = NewSideContainer();
  int second = NewSideContainer();
  int flags = static_cast<int>(splitter->flags);
  splitter->gadget = CreatedNumber(
      *splitter, NewSplitter(CreationNumber(*splitter), 0, 0, 0, 0, first, second, flags));
  if (splitter->gadget == -1) {
    DisposeGadget(first);
    DisposeGadget(second);
    return splitter;
  }
  ReadMinimums(*splitter, element);
  splitter->containers[0] = first;
  splitter->containers[1] = second;
  for (int side = 0; side < 2; ++side) {
    SideMap()[splitter->containers[side]] = {splitter.get(), side};
    BindGadgetHandler(splitter->containers[side], OnSideResized, ET_RESIZE);
  }
  OpenGadgetParent(first);
  return splitter;
}

}  // namespace kv::dialog
