#include "xml/record_xml.h"

#include <string>
#include <vector>

#include "xml/detail/record_text.h"

namespace kv {

namespace {

// Reading arrays of several dimensions from a document must not reserve
// memory out of all proportion to it.
constexpr size_t kMaxArrayItems = size_t{1} << 24;
constexpr char kItemName[] = "element";

Text ElementName(std::string_view fieldName) {
  if (fieldName.starts_with('*')) fieldName.remove_prefix(1);
  if (fieldName.ends_with('$')) fieldName.remove_suffix(1);
  return DecodeAnsi(fieldName);
}

Text IndexName(size_t dimension) { return Text(1, static_cast<char16_t>(u'a' + dimension)); }

const XmlNode* FirstItem(const XmlNode* fieldElement) {
  return XmlChildElement(XmlFirstChild(fieldElement), kItemName);
}

const XmlNode* NextItem(const XmlNode* item) {
  return XmlChildElement(XmlNextSibling(item), kItemName);
}

void* Offset(void* base, size_t bytes) { return static_cast<char*>(base) + bytes; }

void ClearRecord(void* record, const RecordDescriptor& descriptor);
void WriteFields(XmlNode* element, void* record, const RecordDescriptor& descriptor);
void ReadFields(const XmlNode* element, void* record, const RecordDescriptor& descriptor);

bool IsNestedRecord(const RecordField& field) { return field.type == TypeRecord; }

void ClearItem(void* item, const RecordField& field) {
  if (IsNestedRecord(field)) {
    ClearRecord(item, *field.record);
  } else {
    ClearRecordValue(item, field.type, field.fixedSize);
  }
}

void WriteItem(XmlNode* element, void* item, const RecordField& field) {
  if (IsNestedRecord(field)) {
    WriteFields(element, item, *field.record);
  } else {
    SetXmlNodeText(element, RecordValueText(item, field.type, field.fixedSize));
  }
}

void ReadItem(const XmlNode* element, void* item, const RecordField& field) {
  if (IsNestedRecord(field)) {
    ReadFields(element, item, *field.record);
  } else {
    SetRecordValue(item, field.type, field.fixedSize, XmlNodeText(element));
  }
}

XmlNode* NewItem(XmlNode* fieldElement) {
  return CreateXmlNode(fieldElement, XmlAppend, AsciiText(kItemName), NodeElement);
}

void ClearRecord(void* record, const RecordDescriptor& descriptor) {
  for (const RecordField& field : descriptor.fields) {
    void* at = field.locate(record);
    switch (field.kind) {
      case ValueField:
        ClearItem(at, field);
        break;
      case StaticArrayField:
        for (uint32_t i = 0; i < field.count; ++i) ClearItem(Offset(at, i * field.stride), field);
        break;
      default:
        field.container->clear(at);
    }
  }
}

// Items of an array of several dimensions carry their indices.
void WriteIndices(XmlNode* item, size_t index, std::span<const size_t> extents) {
  std::vector<size_t> indices(extents.size());
  for (size_t d = extents.size(); d-- > 0;) {
    indices[d] = index % extents[d];
    index /= extents[d];
  }
  for (size_t d = 0; d < indices.size(); ++d) {
    SetXmlAttribute(item, IndexName(d), AsciiText(std::to_string(indices[d])));
  }
}

void WriteContainer(XmlNode* fieldElement, void* container, const RecordField& field) {
  const ContainerOps& ops = *field.container;
  std::span<const size_t> extents;
  if (field.kind == ArrayField && ops.extents(container).size() > 1) extents = ops.extents(container);
  size_t index = 0;
  ops.walk(container, [&](const Text* key, void* item) {
    XmlNode* element = NewItem(fieldElement);
    if (!element) return;
    if (key) SetXmlAttribute(element, u"key", *key);
    if (!extents.empty()) WriteIndices(element, index++, extents);
    WriteItem(element, item, field);
  });
}

void WriteFields(XmlNode* element, void* record, const RecordDescriptor& descriptor) {
  for (const RecordField& field : descriptor.fields) {
    XmlNode* fieldElement = CreateXmlNode(element, XmlAppend, ElementName(field.name), NodeElement);
    if (!fieldElement) continue;
    void* at = field.locate(record);
    switch (field.kind) {
      case ValueField:
        WriteItem(fieldElement, at, field);
        break;
      case StaticArrayField:
        for (uint32_t i = 0; i < field.count; ++i) {
          if (XmlNode* item = NewItem(fieldElement)) {
            WriteItem(item, Offset(at, i * field.stride), field);
          }
        }
        break;
      default:
        WriteContainer(fieldElement, at, field);
    }
  }
}

// The indices an item of an array of several dimensions names; a missing
// one is 0. False for an index that no array could hold.
bool ReadIndices(const XmlNode* item, std::vector<size_t>& indices) {
  for (size_t d = 0; d < indices.size(); ++d) {
    std::optional<TextView> text = XmlAttributeValue(item, IndexName(d));
    auto index = static_cast<int64_t>(text ? ParseRecordInteger(*text) : 0);
    if (index < 0 || static_cast<uint64_t>(index) >= kMaxArrayItems) return false;
    indices[d] = static_cast<size_t>(index);
  }
  return true;
}

void ReadArray(const XmlNode* fieldElement, void* array, const RecordField& field) {
  const ContainerOps& ops = *field.container;
  std::vector<size_t> extents(ops.extents(array).size(), 0);
  if (extents.size() == 1) {
    for (const XmlNode* item = FirstItem(fieldElement); item; item = NextItem(item)) ++extents[0];
    if (!ops.reshape(array, extents)) return;
    size_t index = 0;
    for (const XmlNode* item = FirstItem(fieldElement); item; item = NextItem(item)) {
      ReadItem(item, ops.at(array, index++), field);
    }
    return;
  }
  std::vector<size_t> indices(extents.size());
  for (const XmlNode* item = FirstItem(fieldElement); item; item = NextItem(item)) {
    if (!ReadIndices(item, indices)) continue;
    for (size_t d = 0; d < extents.size(); ++d) extents[d] = std::max(extents[d], indices[d] + 1);
  }
  size_t count = 1;
  for (size_t extent : extents) {
    if (extent != 0 && count > kMaxArrayItems / extent) return;
    count *= extent;
  }
  if (!ops.reshape(array, extents)) return;
  for (const XmlNode* item = FirstItem(fieldElement); item; item = NextItem(item)) {
    if (!ReadIndices(item, indices)) continue;
    size_t index = 0;
    for (size_t d = 0; d < extents.size(); ++d) index = index * extents[d] + indices[d];
    ReadItem(item, ops.at(array, index), field);
  }
}

void ReadFields(const XmlNode* element, void* record, const RecordDescriptor& descriptor) {
  ClearRecord(record, descriptor);
  for (const RecordField& field : descriptor.fields) {
    const XmlNode* fieldElement = XmlChildElement(XmlFirstChild(element), field.name);
    if (!fieldElement) continue;
    void* at = field.locate(record);
    switch (field.kind) {
      case ValueField:
        ReadItem(fieldElement, at, field);
        break;
      case StaticArrayField: {
        uint32_t i = 0;
        for (const XmlNode* item = FirstItem(fieldElement); item && i < field.count;
             item = NextItem(item), ++i) {
          ReadItem(item, Offset(at, i * field.stride), field);
        }
        break;
      }
      case ArrayField:
        ReadArray(fieldElement, at, field);
        break;
      case ListField:
        for (const XmlNode* item = FirstItem(fieldElement); item; item = NextItem(item)) {
          ReadItem(item, field.container->append(at), field);
        }
        break;
      case MapField:
        for (const XmlNode* item = FirstItem(fieldElement); item; item = NextItem(item)) {
          if (std::optional<TextView> key = XmlAttributeValue(item, u"key")) {
            ReadItem(item, field.container->findOrAdd(at, *key), field);
          }
        }
        break;
    }
  }
}

}  // namespace

XmlNode* InsertRecordXml(XmlNode* parent, const void* record, const RecordDescriptor& descriptor) {
  XmlNode* element = CreateXmlNode(parent, XmlAppend, ElementName(descriptor.name), NodeElement);
  if (element) WriteFields(element, const_cast<void*>(record), descriptor);
  return element;
}

void ExtractRecordXml(const XmlNode* element, void* record, const RecordDescriptor& descriptor) {
  if (element) ReadFields(element, record, descriptor);
}

}  // namespace kv
