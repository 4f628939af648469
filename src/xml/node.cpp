#include <algorithm>

#include "xml/detail/node_storage.h"

namespace kv {

namespace {

constexpr int kAttributeGrowth = 4;

bool NamesMatch(TextView a, TextView b, int flags) {
  return (flags & CaseInsensitive) ? EqualNoCase(a, b) : a == b;
}

bool TakesChildren(const XmlNode* node) {
  return node->kind == NodeRoot || node->kind == NodeElement;
}

XmlNode* LastChild(const XmlNode* parent) {
  XmlNode* child = parent->firstChild;
  while (child && child->nextSibling) child = child->nextSibling;
  return child;
}

}  // namespace

XmlNode* XmlFirstChild(const XmlNode* node) { return node ? node->firstChild : nullptr; }
XmlNode* XmlNextSibling(const XmlNode* node) { return node ? node->nextSibling : nullptr; }
XmlNode* XmlPreviousSibling(const XmlNode* node) { return node ? node->previousSibling : nullptr; }
XmlNode* XmlParentNode(const XmlNode* node) { return node ? node->parent : nullptr; }
TextView XmlNodeName(const XmlNode* node) { return node ? node->name.View() : TextView(); }
TextView XmlNodeText(const XmlNode* node) { return node ? node->text.View() : TextView(); }
int XmlAttributeCount(const XmlNode* node) { return node ? node->attributeCount : 0; }

XmlAttributeView XmlAttributeAt(const XmlNode* node, int index) {
  if (!node || index < 0 || index >= node->attributeCount) return {};
  const XmlAttribute& pair = node->attributes[index];
  return {pair.name.View(), pair.value.View()};
}

XmlNode* XmlChildElement(const XmlNode* first, std::string_view name, int flags) {
  if (name.starts_with('*')) name.remove_prefix(1);
  if (name.ends_with('$')) name.remove_suffix(1);
  Text wanted = DecodeAnsi(name);
  for (const XmlNode* node = first; node; node = node->nextSibling) {
    if (node->kind == NodeElement && NamesMatch(node->name.View(), wanted, flags)) {
      return const_cast<XmlNode*>(node);
    }
  }
  return nullptr;
}

std::optional<TextView> XmlAttributeValue(const XmlNode* element, TextView name, int flags) {
  for (int i = 0; i < XmlAttributeCount(element); ++i) {
    const XmlAttribute& pair = element->attributes[i];
    if (NamesMatch(pair.name.View(), name, flags)) return pair.value.View();
  }
  return std::nullopt;
}

XmlNode* CreateXmlNode(XmlNode* parent, XmlNode* previous, TextView name, XmlNodeKind kind) {
  if (!parent || !TakesChildren(parent) || kind <= NodeRoot || kind > NodeInstruction) {
    return nullptr;
  }
  XmlDocument* document = parent->document;
  bool documentElement = parent->kind == NodeRoot && kind == NodeElement;
  if (documentElement && document->mainNode) return nullptr;
  if (previous == XmlAppend || (previous && previous->parent != parent)) {
    previous = LastChild(parent);
  }
  XmlNode* node = document->pool->Take();
  node->kind = kind;
  node->document = document;
  LinkNode(parent, previous, node);
  if (documentElement) document->mainNode = node;
  SetXmlNodeName(node, name);
  return node;
}

void SetXmlNodeName(XmlNode* node, TextView name) {
  if (!node || (node->kind != NodeElement && node->kind != NodeInstruction)) return;
  FreeString(node->name);
  node->name = MakeHeapString(name);
}

void SetXmlNodeText(XmlNode* node, TextView text) {
  if (!node) return;
  FreeString(node->text);
  node->text = MakeHeapString(text);
}

void SetXmlAttribute(XmlNode* element, TextView name, TextView value) {
  if (!element || element->kind != NodeElement) return;
  for (int i = 0; i < element->attributeCount; ++i) {
    XmlAttribute& pair = element->attributes[i];
    if (pair.name.View() == name) {
      FreeString(pair.value);
      pair.value = MakeHeapString(value);
      return;
    }
  }
  if (element->attributeCount == INT16_MAX) return;
  if (element->spareAttributeSlots == 0) {
    int capacity = element->attributeCount + kAttributeGrowth;
    auto* grown = new XmlAttribute[capacity];
    std::copy_n(element->attributes, element->attributeCount, grown);
    delete[] element->attributes;
    element->attributes = grown;
    element->spareAttributeSlots = kAttributeGrowth;
  }
  element->attributes[element->attributeCount++] = {MakeHeapString(name), MakeHeapString(value)};
  --element->spareAttributeSlots;
}

}  // namespace kv
