// Single-child containers with a gadget: container, container canvas, frame
// and scroll area. All but the frame collect the gadgets of their child
// while it is built.
#include <algorithm>

#include "dialog/detail/attributes.h"
#include "dialog/detail/build.h"
#include "dialog/detail/elements.h"
#include "dialog/detail/items.h"
#include "toolkit/gadgets.h"

namespace kv::dialog {

namespace {

constexpr int kContainerMargin = 10;
constexpr int kFrameMargin = 5;
// A frame's insets around its child's area, and the least room for its
// caption.
constexpr int kFrameSide = 4;
constexpr int kFrameBottom = 4;
constexpr int kLeastTitleHeight = 10;
// Room a scroll area leaves for a scroll bar.
constexpr int kScrollBarRoom = 22;
constexpr int kDefaultStep = 10;

constexpr std::uint32_t kContainerBorders = KV_Container_Flat | KV_Container_Raised |
                                            KV_Container_Single | KV_Container_Double;

// The gadget list of a collecting gadget ends with its element.
struct CollectingItem : ContainerItem {
  using ContainerItem::ContainerItem;
  void Finish(Build&) override {
    if (gadget != -1) PopGadgetParent();
  }
};

// container, and a canvas that holds a child: the child lies inside the
// gadget, within its border.
struct ContainerGadgetItem : CollectingItem {
  using CollectingItem::CollectingItem;

  Size NaturalSize() override {
    Size child = MeasureChild();
    std::int64_t w = std::int64_t{child.width} + marginLeft + marginRight + border;
    std::int64_t h = std::int64_t{child.height} + marginTop + marginBottom + border;
    return {std::max(Saturate(w), width), std::max(Saturate(h), height)};
  }

  int border = 0;  // both ways, both sides together

 protected:
  void Place(Rect area) override {
    PlaceGadget(gadget, area.x, area.y, area.width, area.height);
    PlaceChild({border / 2, border / 2, area.width - border, area.height - border});
  }
};

// A canvas without a child is a plain measured gadget; one that collects
// takes a child like a container without border.
struct CanvasItem : ContainerGadgetItem {
  using ContainerGadgetItem::ContainerGadgetItem;

  Size RequiredSize() override {
    return Child() ? ContainerGadgetItem::RequiredSize() : Measured();
  }
  Size NaturalSize() override {
    return Child() ? ContainerGadgetItem::NaturalSize() : Measured();
  }
  void AddChild(ItemPtr child, const XmlNode* element, Build& build) override {
    if (Collects()) ContainerGadgetItem::AddChild(std::move(child), element, build);
  }
  void Finish(Build& build) override {
    if (Collects()) ContainerGadgetItem::Finish(build);
  }

 protected:
  void Place(Rect area) override {
    if (Child()) return ContainerGadgetItem::Place(area);
    PlaceGadget(gadget, area.x, area.y, area.width, area.height);
  }

 private:
  bool Collects() const { return flags & static_cast<std::uint32_t>(KV_Canvas_Container); }
  Size Measured() {
    GadgetSize measured = MeasureGadget(gadget);
    return {std::max(measured.width, width), std::max(measured.height, height)};
  }
};

// The frame lies beside its child's gadgets, in the same parent, and draws
// its caption above them.
struct FrameItem : ContainerItem {
  using ContainerItem::ContainerItem;

  Size NaturalSize() override {
    titleHeight = std::max(ReadGadgetHeight(gadget, 1), kLeastTitleHeight);
    Size child = MeasureChild();
    std::int64_t w = std::int64_t{child.width} + marginLeft + marginRight + 2 * kFrameSide;
    std::int64_t h =
        std::int64_t{child.height} + marginTop + marginBottom + kFrameBottom + titleHeight;
    return {std::max(Saturate(w), width), std::max(Saturate(h), height)};
  }

  int titleHeight = kLeastTitleHeight;

 protected:
  void Place(Rect area) override {
    PlaceGadget(gadget, area.x, area.y, area.width, area.height);
    std::int64_t w = std::int64_t{area.width} - 2 * kFrameSide;
    std::int64_t h = std::int64_t{area.height} - kFrameBottom - titleHeight;
    PlaceChild({Saturate(std::int64_t{area.x} + kFrameSide),
                Saturate(std::int64_t{area.y} + titleHeight), Saturate(w), Saturate(h)});
  }
};

struct ScrollAreaItem : CollectingItem {
  enum class Scrolling { Both, Vertical, Horizontal };
  static constexpr int kAuto = -1;

  using CollectingItem::CollectingItem;

  // A scrolling direction needs only its attribute size; across it the
  // child must fit beside the scroll bar.
  Size NaturalSize() override {
    Size child = MeasureChild();
    std::int64_t across = 0;
    switch (scrolling) {
      case Scrolling::Vertical:
        across = std::int64_t{child.width} + marginLeft + marginRight + kScrollBarRoom;
        return {std::max(Saturate(across), width), height};
      case Scrolling::Horizontal:
        across = std::int64_t{child.height} + marginTop + marginBottom + kScrollBarRoom;
        return {width, std::max(Saturate(across), height)};
      case Scrolling::Both: break;
    }
    return {width, height};
  }

  int innerWidth = kAuto;
  int innerHeight = kAuto;
  int step = kDefaultStep;
  Scrolling scrolling = Scrolling::Both;

 protected:
  // The child is placed in the inner area, which follows it where its size
  // is "auto".
  void Place(Rect area) override {
    PlaceGadget(gadget, area.x, area.y, area.width, area.height);
    std::int64_t w = std::int64_t{childWidth} + marginLeft + marginRight;
    std::int64_t h = std::int64_t{childHeight} + marginTop + marginBottom;
    int inner[2] = {std::max(Saturate(w), innerWidth), std::max(Saturate(h), innerHeight)};
    if (scrolling == Scrolling::Vertical) inner[0] = area.width - kScrollBarRoom;
    if (scrolling == Scrolling::Horizontal) inner[1] = area.height - kScrollBarRoom;
    LayoutItem* child = Child();
    if (!child) return;
    Rect fitted = ChildArea({0, 0, inner[0], inner[1]});
    if (innerWidth == kAuto) {
      WriteGadgetAttribute(gadget, KV_ScrollArea_InnerWidth,
                           Saturate(std::int64_t{marginLeft} + marginRight + fitted.width));
    }
    if (innerHeight == kAuto) {
      WriteGadgetAttribute(gadget, KV_ScrollArea_InnerHeight,
                           Saturate(std::int64_t{marginTop} + marginBottom + fitted.height));
    }
    child->SetGeometry(fitted);
  }
};

int ReadInnerSize(TextView value) {
  return EqualNoCase(value, u"auto") ? ScrollAreaItem::kAuto : ReadInteger(value);
}

void ReadScrollAreaAttributes(ScrollAreaItem& area, const XmlNode* element) {
  ForEachAttribute(element, [&](TextView name, TextView value) {
    if (EqualNoCase(name, u"INNERWIDTH")) {
      area.innerWidth = ReadInnerSize(value);
    } else if (EqualNoCase(name, u"INNERHEIGHT")) {
      area.innerHeight = ReadInnerSize(value);
    } else if (EqualNoCase(name, u"STEP")) {
      area.step = ReadInteger(value);
    } else if (EqualNoCase(name, u"SCROLLING")) {
      if (EqualNoCase(value, u"vertical")) area.scrolling = ScrollAreaItem::Scrolling::Vertical;
      if (EqualNoCase(value, u"horizontal")) {
        area.scrolling = ScrollAreaItem::Scrolling::Horizontal;
      }
    }
  });
}

// Flat borders are 2 wide; the others twice the platform's thin border.
int BorderOf(std::uint32_t flags) {
  if (flags & static_cast<std::uint32_t>(KV_Container_Flat)) return 2;
  return flags & kContainerBorders ? 2 * SystemBorderWidth() : 0;
}

}  // namespace

ItemPtr CreateContainer(const XmlNode* element, const ElementType& type, Build& build) {
  auto container = std::make_unique<ContainerGadgetItem>(type.kind);
  ReadCommonAttributes(*container, element, type, build);
  ReadContainerAttributes(*container, element, kContainerMargin);
  if (build.Failed()) return nullptr;
  int flags = static_cast<int>(container->flags);
  container->border = BorderOf(container->flags);
  container->gadget =
      CreatedNumber(*container, NewContainer(CreationNumber(*container), 0, 0, 0, 0, flags));
  return container;
}

ItemPtr CreateCanvas(const XmlNode* element, const ElementType& type, Build& build) {
  auto canvas = std::make_unique<CanvasItem>(type.kind);
  ReadCommonAttributes(*canvas, element, type, build);
  ReadContainerAttributes(*canvas, element, kContainerMargin);
  if (build.Failed()) return nullptr;
  int flags = static_cast<int>(canvas->flags);
  canvas->gadget = CreatedNumber(*canvas, NewCanvas(CreationNumber(*canvas), 0, 0, 0, 0, flags));
  if (canvas->gadget != -1) BindEventAttributes(*canvas, element, type, build);
  return canvas;
}

ItemPtr CreateFrame(const XmlNode* element, const ElementType& type, Build& build) {
  auto frame = std::make_unique<FrameItem>(type.kind);
  ReadCommonAttributes(*frame, element, type, build);
  ReadContainerAttributes(*frame, element, kFrameMargin);
  if (build.Failed()) return nullptr;
  frame->gadget =
      CreatedNumber(*frame, NewFrame(CreationNumber(*frame), 0, 0, 0, 0, frame->text));
  return frame;
}

ItemPtr CreateScrollArea(const XmlNode* element, const ElementType& type, Build& build) {
  auto area = std::make_unique<ScrollAreaItem>(type.kind);
  ReadCommonAttributes(*area, element, type, build);
  ReadContainerAttributes(*area, element, kContainerMargin);
  ReadScrollAreaAttributes(*area, element);
  if (build.Failed()) return nullptr;
  int number = CreationNumber(*area);
  int flags = static_cast<int>(area->flags);
  area->gadget = CreatedNumber(*area, NewScrollArea(number, 0, 0, 0, 0, area->innerWidth,
                                                    area->innerHeight, area->step, flags));
  return area;
}

}  // namespace kv::dialog
