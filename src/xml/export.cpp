#include "xml/export.h"

#include <cstring>
#include <string>
#include <vector>

#include "storage/file_streams.h"
#include "xml/detail/tree_walk.h"

namespace kv {

namespace {

// Receives the encoded pieces of a document.
class Sink {
 public:
  virtual ~Sink() = default;
  virtual void Put(std::string_view bytes) = 0;
};

class CountingSink final : public Sink {
 public:
  void Put(std::string_view bytes) override { count += bytes.size(); }
  size_t count = 0;
};

class MemorySink final : public Sink {
 public:
  MemorySink(void* buffer, size_t size) : buffer_(static_cast<char*>(buffer)), size_(size) {}

  void Put(std::string_view bytes) override {
    if (full_ || bytes.size() > size_ - used) {
      full_ = true;
      return;
    }
    if (!bytes.empty()) std::memcpy(buffer_ + used, bytes.data(), bytes.size());
    used += bytes.size();
  }

  size_t used = 0;

 private:
  char* buffer_;
  size_t size_;
  bool full_ = false;
};

class FileSink final : public Sink {
 public:
  explicit FileSink(FileWriter& file) : file_(file) {}

  void Put(std::string_view bytes) override {
    if (bytes.size() > sizeof(buffer_) - used_) Flush();
    if (bytes.size() > sizeof(buffer_)) {
      failed |= !file_.Write(bytes.data(), bytes.size());
      return;
    }
    std::memcpy(buffer_ + used_, bytes.data(), bytes.size());
    used_ += bytes.size();
  }

  void Flush() {
    if (used_ > 0) failed |= !file_.Write(buffer_, used_);
    used_ = 0;
  }

  bool failed = false;

 private:
  FileWriter& file_;
  char buffer_[4096];
  size_t used_ = 0;
};

// Encodes UTF-16 pieces. A character above U+FFFF becomes one four-byte UTF-8
// sequence: expat refuses a surrogate pair written as two three-byte ones.
class XmlWriter {
 public:
  XmlWriter(TextFormat encoding, Sink& sink) : encoding_(encoding), sink_(sink) {}

  void Raw(TextView text) {
    switch (encoding_) {
      case FormatUtf16:
        bytes_.clear();
        for (char16_t unit : text) {
          bytes_.push_back(static_cast<char>(unit & 0xFF));
          bytes_.push_back(static_cast<char>(unit >> 8));
        }
        break;
      case FormatAnsi:
        bytes_.clear();
        for (char16_t unit : text) bytes_.push_back(static_cast<char>(unit < 256 ? unit : u' '));
        break;
      default:
        bytes_ = EncodeUtf8(text);
    }
    sink_.Put(bytes_);
  }

  void Content(TextView text) { Escaped(text, false); }
  void Attribute(TextView text) { Escaped(text, true); }

 private:
  static TextView Escape(char16_t c, bool attribute) {
    switch (c) {
      case u'<': return u"&lt;";
      case u'>': return u"&gt;";
      case u'&': return u"&amp;";
      default: break;
    }
    if (!attribute) return {};
    switch (c) {
      case u'\'': return u"&apos;";
      case u'"': return u"&quot;";
      case u'\n': return u"&#10;";
      case u'\r': return u"&#13;";
      case u'\t': return u"&#9;";  // a parser turns a literal tab into a blank
      default: return {};
    }
  }

  void Escaped(TextView text, bool attribute) {
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
      TextView escape = Escape(text[i], attribute);
      if (escape.empty()) continue;
      if (i > start) Raw(text.substr(start, i - start));
      Raw(escape);
      start = i + 1;
    }
    if (start < text.size()) Raw(text.substr(start));
  }

  TextFormat encoding_;
  Sink& sink_;
  std::string bytes_;
};

TextView EncodingName(TextFormat encoding) {
  switch (encoding) {
    case FormatUtf16: return u"UTF-16";
    case FormatAnsi: return u"ISO-8859-1";
    default: return u"UTF-8";
  }
}

std::string_view ByteOrderMark(TextFormat encoding) {
  switch (encoding) {
    case FormatUtf16: return "\xFF\xFE";
    case FormatAnsi: return "";
    default: return "\xEF\xBB\xBF";
  }
}

bool WritesContent(const XmlNode* node) {
  return node->kind == NodeRoot || node->firstChild || node->text.length > 0;
}

void WriteStart(XmlWriter& out, const XmlNode* node) {
  switch (node->kind) {
    case NodeElement:
      out.Raw(u"<");
      out.Raw(node->name.View());
      for (int i = 0; i < node->attributeCount; ++i) {
        out.Raw(u" ");
        out.Raw(node->attributes[i].name.View());
        out.Raw(u"=\"");
        out.Attribute(node->attributes[i].value.View());
        out.Raw(u"\"");
      }
      out.Raw(WritesContent(node) ? u">" : u"/>");
      break;
    case NodeComment:
      out.Raw(u"<!--");
      out.Raw(node->text.View());
      out.Raw(u"-->");
      break;
    case NodeCData:
      out.Raw(u"<![CDATA[");
      out.Raw(node->text.View());
      out.Raw(u"]]>");
      break;
    case NodeInstruction:
      out.Raw(u"<?");
      out.Raw(node->name.View());
      out.Raw(u" ");
      out.Raw(node->text.View());
      out.Raw(u"?>");
      break;
    case NodeDoctype:
      out.Raw(node->text.View());
      break;
    case NodeRoot:
      break;
  }
}

void WriteDocument(const XmlDocument& document, int flags, Sink& sink) {
  XmlWriter out(document.encoding, sink);
  if (flags & ExportBom) sink.Put(ByteOrderMark(document.encoding));
  if (!(flags & ExportNoDeclaration)) {
    out.Raw(u"<?xml version=\"1.0\" encoding=\"");
    out.Raw(EncodingName(document.encoding));
    out.Raw(u"\"");
    if (document.standalone == 0) out.Raw(u" standalone=\"no\"");
    if (document.standalone == 1) out.Raw(u" standalone=\"yes\"");
    out.Raw(u"?>");
  }
  // Text still to be written of each node on the path from the root.
  std::vector<TextSegments> pending;
  auto enter = [&](const XmlNode* node, int depth) {
    if (depth > 0) out.Content(pending[depth - 1].Before(node));
    WriteStart(out, node);
    if (node->kind == NodeRoot || node->kind == NodeElement) {
      pending.erase(pending.begin() + depth, pending.end());
      pending.emplace_back(node);
    }
  };
  auto leave = [&](const XmlNode* node, int depth) {
    if (node->kind != NodeElement && node->kind != NodeRoot) return;
    if (!WritesContent(node)) return;
    out.Content(pending[depth].Rest());
    if (node->kind == NodeRoot) return;
    out.Raw(u"</");
    out.Raw(node->name.View());
    out.Raw(u">");
  };
  WalkTree(document.rootNode, enter, leave);
}

}  // namespace

size_t ExportXmlSize(const XmlDocument* document, int flags) {
  if (!document) return 0;
  CountingSink counter;
  WriteDocument(*document, flags, counter);
  return counter.count;
}

size_t ExportXml(const XmlDocument* document, void* buffer, size_t size, int flags) {
  if (!document || !buffer) return 0;
  MemorySink memory(buffer, size);
  WriteDocument(*document, flags, memory);
  return memory.used;
}

bool SaveXmlFile(const XmlDocument* document, TextView path, int flags) {
  FileWriter file;
  if (!document || !file.Create(path)) return false;
  FileSink sink(file);
  WriteDocument(*document, flags, sink);
  sink.Flush();
  bool closed = file.Close();
  return !sink.failed && closed;
}

}  // namespace kv
