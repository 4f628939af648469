// Records to XML and back, driven by their descriptors: each field becomes a
// child element named after it; items of arrays, lists and maps are elements
// named "element" (map items carry their key in "key", items of arrays of
// several dimensions their indices in "a", "b", ...).
#pragma once

#include "xml/record_descriptor.h"
#include "xml/tree.h"

namespace kv {

// Appends an element named after the record type under parent and writes the
// fields into it. Null when the element cannot be created (a second document
// element, say); then nothing is written.
XmlNode* InsertRecordXml(XmlNode* parent, const void* record, const RecordDescriptor& descriptor);

// Clears every field of the record, then fills those the element's children
// name (exactly, case-sensitively). The element's own name is not checked.
void ExtractRecordXml(const XmlNode* element, void* record, const RecordDescriptor& descriptor);

}  // namespace kv
