// The XML library's program-wide state.
#pragma once

#include "runtime/object_table.h"
#include "xml/detail/node_storage.h"

namespace kv {

struct XmlLibrary {
  NodePool pool;  // declared first: documents give their nodes back on destruction
  ObjectTable<XmlDocument> documents{16};
};

XmlLibrary& Library();

// A document with an empty root and an arena whose first block has
// firstBlockBytes; null for a number the table refuses.
XmlDocument* NewXmlDocument(int number, TextFormat encoding, size_t firstBlockBytes);

}  // namespace kv
