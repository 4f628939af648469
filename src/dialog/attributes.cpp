#include "dialog/detail/attributes.h"

#include <optional>

#include "dialog/detail/build.h"
#include "dialog/detail/elements.h"
#include "dialog/detail/geometry.h"
#include "dialog/runtime_symbols.h"
#include "toolkit/events.h"
#include "toolkit/gadgets.h"

namespace kv::dialog {

namespace {

constexpr size_t kLongestFlagName = 128;

bool Is(TextView name, TextView wanted) { return EqualNoCase(name, wanted); }

bool IsIntegerBlank(char16_t c) { return c == u' ' || (c >= u'\t' && c <= u'\r'); }
bool IsFlagBlank(char16_t c) { return c == u' ' || c == u'\t'; }

bool Contains(TextView folded, TextView word) { return folded.find(word) != TextView::npos; }

// The integer after key ("top:") anywhere in value, ignoring case.
std::optional<int> KeyedInteger(TextView value, TextView key) {
  size_t at = FoldCase(value).find(key);
  if (at == TextView::npos) return std::nullopt;
  return ReadInteger(value.substr(at + key.size()));
}

// ---- Common attributes -----------------------------------------------------------

int ReadId(TextView attribute, TextView value, TextView element, Build& build) {
  if (EqualNoCase(value, u"#KV_Any")) return -1;
  if (value.empty()) {
    build.Fail(EmptyValueError(element, attribute));
    return -1;
  }
  if (value.starts_with(u'#')) {
    std::optional<int> constant = DialogRuntimeSymbols().Value(value);
    if (!constant) build.Fail(UnknownConstantError(value));
    return constant.value_or(-1);
  }
  return ReadNumber(value);
}

int ReadSize(TextView attribute, TextView value, TextView element, Build& build) {
  if (value.empty()) build.Fail(EmptyValueError(element, attribute));
  return ReadNumber(value);
}

std::optional<std::uint32_t> LookUpFlag(TextView name, const ElementType& type) {
  for (const FlagName& flag : type.flags) {
    if (EqualNoCase(flag.name, name)) return flag.value;
  }
  std::optional<int> constant = DialogRuntimeSymbols().Value(name);
  if (!constant || *constant == -1) return std::nullopt;
  return static_cast<std::uint32_t>(*constant);
}

// ---- Box and container attributes -------------------------------------------------

void ReadBoxExpand(BoxItem& box, TextView value) {
  if (Is(value, u"yes")) {
    box.expandMode = BoxItem::Expand::Yes;
  } else if (Is(value, u"no")) {
    box.expandMode = BoxItem::Expand::No;
  } else if (Is(value, u"equal")) {
    box.expandMode = BoxItem::Expand::Equal;
  } else if (Is(value.substr(0, 5), u"item:")) {
    box.expandMode = BoxItem::Expand::Item;
    box.expandItem = Saturate(std::int64_t{ReadInteger(value.substr(5))} - 1);
  }
}

void ReadBoxAlign(BoxItem& box, TextView value) {
  if (Is(value, u"top") || Is(value, u"left")) {
    box.align = BoxItem::Align::Start;
  } else if (Is(value, u"center")) {
    box.align = BoxItem::Align::Center;
  } else if (Is(value, u"bottom") || Is(value, u"right")) {
    box.align = BoxItem::Align::End;
  }
}

void SetMargins(ContainerItem& container, int margin) {
  container.marginTop = container.marginBottom = margin;
  container.marginLeft = container.marginRight = margin;
}

// One integer for all sides, or keyed sides where a missing key gives 0 and
// "vertical:" and "horizontal:" override the single sides.
void ReadMargin(ContainerItem& container, TextView value) {
  if (value.find(u':') == TextView::npos) {
    SetMargins(container, ReadInteger(value));
    return;
  }
  container.marginTop = KeyedInteger(value, u"top:").value_or(0);
  container.marginBottom = KeyedInteger(value, u"bottom:").value_or(0);
  container.marginLeft = KeyedInteger(value, u"left:").value_or(0);
  container.marginRight = KeyedInteger(value, u"right:").value_or(0);
  if (std::optional<int> vertical = KeyedInteger(value, u"vertical:")) {
    container.marginTop = container.marginBottom = *vertical;
  }
  if (std::optional<int> horizontal = KeyedInteger(value, u"horizontal:")) {
    container.marginLeft = container.marginRight = *horizontal;
  }
}

void ReadContainerExpand(ContainerItem& container, TextView value) {
  if (Is(value, u"yes")) {
    container.expandHorizontal = container.expandVertical = true;
  } else if (Is(value, u"no")) {
    container.expandHorizontal = container.expandVertical = false;
  } else if (Is(value, u"horizontal")) {
    container.expandHorizontal = true;
    container.expandVertical = false;
  } else if (Is(value, u"vertical")) {
    container.expandHorizontal = false;
    container.expandVertical = true;
  }
}

// Words anywhere in the value; a direction no word names is centred when
// "center" appears, else at the start.
void ReadContainerAlign(ContainerItem& container, TextView value) {
  Text folded = FoldCase(value);
  int vertical = 0;
  int horizontal = 0;
  if (Contains(folded, u"top")) vertical = 1;
  if (Contains(folded, u"bottom")) vertical = 3;
  if (Contains(folded, u"left")) horizontal = 1;
  if (Contains(folded, u"right")) horizontal = 3;
  int otherwise = Contains(folded, u"center") ? 2 : 1;
  container.alignVertical = vertical ? vertical : otherwise;
  container.alignHorizontal = horizontal ? horizontal : otherwise;
}

std::int16_t ReadBound(TextView value) {
  if (EqualNoCase(value, u"auto")) return WindowItem::kAuto;
  return static_cast<std::int16_t>(ReadInteger(value));
}

const EventAttribute* FindEventAttribute(TextView name) {
  for (const EventAttribute& event : EventAttributes()) {
    if (Is(name, event.name)) return &event;
  }
  return nullptr;
}

}  // namespace

// ---- Values ------------------------------------------------------------------------

int ReadInteger(TextView text) {
  constexpr std::int64_t kBeyond = std::int64_t{1} << 32;
  size_t i = 0;
  while (i < text.size() && IsIntegerBlank(text[i])) ++i;
  bool negative = i < text.size() && text[i] == u'-';
  if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) ++i;
  std::int64_t value = 0;
  for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
    value = std::min(value * 10 + (text[i] - u'0'), kBeyond);
  }
  return Saturate(negative ? -value : value);
}

int ReadNumber(TextView text) {
  return DialogRuntimeSymbols().Value(text).value_or(ReadInteger(text));
}

bool IsYes(TextView value) { return Is(value, u"yes"); }

std::uint32_t ParseFlags(TextView value, const ElementType& type, TextView element,
                         Build& build) {
  std::uint32_t flags = 0;
  size_t i = 0;
  for (;;) {
    // 1. and 2. Blanks before an entry; an entry without "#" ends the list.
    while (i < value.size() && IsFlagBlank(value[i])) ++i;
    if (i == value.size() || value[i] != u'#') return flags;
    // 3. The name runs to the next "|", without trailing blanks.
    size_t end = std::min(value.find(u'|', i), value.size());
    TextView name = value.substr(i + 1, end - i - 1);
    while (!name.empty() && IsFlagBlank(name.back())) name.remove_suffix(1);
    // 4. An overlong name ends the list.
    if (name.size() > kLongestFlagName) return flags;
    // 5. The element's own flags first, then the runtime constants.
    std::optional<std::uint32_t> bits = LookUpFlag(name, type);
    if (!bits) {
      build.Fail(UnsupportedFlagError(name, element));
      return flags;
    }
    flags |= *bits;
    // 6. Go on after a "|".
    if (end == value.size()) return flags;
    i = end + 1;
  }
}

void ReadCommonAttributes(LayoutItem& item, const XmlNode* element, const ElementType& type,
                          Build& build) {
  TextView elementName = XmlNodeName(element);
  ForEachAttribute(element, [&](TextView name, TextView value) {
    if (Is(name, u"ID")) {
      item.requestedId = ReadId(name, value, elementName, build);
    } else if (Is(name, u"NAME")) {
      item.name = value;
    } else if (Is(name, u"TEXT")) {
      item.text = value;
    } else if (Is(name, u"WIDTH")) {
      item.width = ReadSize(name, value, elementName, build);
    } else if (Is(name, u"HEIGHT")) {
      item.height = ReadSize(name, value, elementName, build);
    } else if (Is(name, u"FOLDED")) {
      item.folded = IsYes(value);
    } else if (Is(name, u"FLAGS")) {
      item.flags |= ParseFlags(value, type, elementName, build);
    }
  });
}

void ReadBoxAttributes(BoxItem& box, const XmlNode* element) {
  ForEachAttribute(element, [&](TextView name, TextView value) {
    if (Is(name, u"SPACING")) {
      box.spacing = ReadInteger(value);
    } else if (Is(name, u"EXPAND")) {
      ReadBoxExpand(box, value);
    } else if (Is(name, u"ALIGN")) {
      ReadBoxAlign(box, value);
    }
  });
}

void ReadContainerAttributes(ContainerItem& container, const XmlNode* element,
                             int defaultMargin) {
  SetMargins(container, defaultMargin);
  ForEachAttribute(element, [&](TextView name, TextView value) {
    if (Is(name, u"MARGIN")) {
      ReadMargin(container, value);
    } else if (Is(name, u"EXPAND")) {
      ReadContainerExpand(container, value);
    } else if (Is(name, u"EXPANDWIDTH")) {
      container.expandWidth = ReadInteger(value);
    } else if (Is(name, u"EXPANDHEIGHT")) {
      container.expandHeight = ReadInteger(value);
    } else if (Is(name, u"ALIGN")) {
      ReadContainerAlign(container, value);
    }
  });
}

void ReadWindowBounds(WindowItem& window, const XmlNode* element) {
  ForEachAttribute(element, [&](TextView name, TextView value) {
    if (Is(name, u"MINWIDTH")) {
      window.minWidth = ReadBound(value);
    } else if (Is(name, u"MINHEIGHT")) {
      window.minHeight = ReadBound(value);
    } else if (Is(name, u"MAXWIDTH")) {
      window.maxWidth = ReadBound(value);
    } else if (Is(name, u"MAXHEIGHT")) {
      window.maxHeight = ReadBound(value);
    }
  });
}

void BindEventAttributes(const LayoutItem& item, const XmlNode* element, const ElementType& type,
                         Build& build) {
  ForEachAttribute(element, [&](TextView name, TextView value) {
    const EventAttribute* event = FindEventAttribute(name);
    if (!event || build.Failed()) return;
    if (event->bit && !(type.events & event->bit)) {
      build.Fail(UnsupportedEventError(name, XmlNodeName(element)));
      return;
    }
    EventHandler procedure = DialogRuntimeSymbols().Procedure(value);
    if (!procedure) {
      build.Fail(UnknownProcedureError(value));
      return;
    }
    BindEventHandler(EV_GADGET, procedure, build.window, item.gadget, event->type);
  });
}

// VALUE starts at MIN wherever the two appear.
ValueAttributes ReadValueAttributes(const XmlNode* element, ElementKind kind) {
  ValueAttributes values;
  if (kind == ElementKind::TrackBar) values.maximum = 10;
  bool valueGiven = false;
  ForEachAttribute(element, [&](TextView name, TextView value) {
    if (Is(name, u"MIN")) values.minimum = ReadNumber(value);
    if (Is(name, u"MAX")) values.maximum = ReadNumber(value);
    if (Is(name, u"PAGE")) values.page = ReadNumber(value);
    if (Is(name, u"COLOR")) values.color = ReadNumber(value);
    if (Is(name, u"VALUE")) {
      values.value = ReadNumber(value);
      valueGiven = true;
    }
  });
  if (!valueGiven) values.value = values.minimum;
  return values;
}

void ApplyGadgetStates(int gadget, const XmlNode* element) {
  ForEachAttribute(element, [&](TextView name, TextView value) {
    if (!IsYes(value)) return;
    if (Is(name, u"DISABLED")) {
      SetGadgetDisabled(gadget, 1);
    } else if (Is(name, u"INVISIBLE")) {
      SetGadgetHidden(gadget, 1);
    }
  });
}

}  // namespace kv::dialog
