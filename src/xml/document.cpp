#include "xml/detail/library.h"

namespace kv {

XmlLibrary& Library() {
  static XmlLibrary library;
  return library;
}

XmlDocument::~XmlDocument() {
  if (rootNode) FreeSubtree(*pool, rootNode);
}

void InitXmlLibrary() { Library(); }

void FreeAllXmlDocuments() { Library().documents.Free(KV_Any); }

XmlDocument* NewXmlDocument(int number, TextFormat encoding, size_t firstBlockBytes) {
  XmlLibrary& library = Library();
  int assigned = 0;
  XmlDocument* document = library.documents.Create(number, &assigned);
  if (!document) return nullptr;
  document->number = assigned;
  document->encoding = encoding;
  document->pool = &library.pool;
  document->arena = std::make_unique<StringArena>(firstBlockBytes);
  document->rootNode = library.pool.Take();
  document->rootNode->kind = NodeRoot;
  document->rootNode->document = document;
  return document;
}

XmlDocument* CreateXmlDocument(int number, TextFormat encoding) {
  constexpr size_t kFirstBlockBytes = 10240;
  return NewXmlDocument(number, encoding, kFirstBlockBytes);
}

void FreeXmlDocument(int number) { Library().documents.Free(number); }

XmlDocument* IsXmlDocument(int number) { return Library().documents.Find(number); }

XmlNode* XmlRootNode(const XmlDocument* document) {
  return document ? document->rootNode : nullptr;
}

XmlNode* XmlMainNode(const XmlDocument* document) {
  return document ? document->mainNode : nullptr;
}

}  // namespace kv
