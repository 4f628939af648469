#include "app/config_file.h"

#include <algorithm>

#include "process/process.h"
#include "runtime/constants.h"
#include "storage/data_file.h"
#include "storage/file_paths.h"
#include "storage/packer.h"
#include "xml/export.h"
#include "xml/format.h"
#include "xml/parse.h"
#include "xml/record_xml.h"

namespace kv {

namespace {

constexpr int kIndentFlags = FormatCrLf | FormatReIndent;
constexpr int kIndentStep = 2;

BlockPtr Allocate(std::int64_t size) {
  return BlockPtr(static_cast<unsigned char*>(AllocateBlock(size)));
}

struct DocumentFreer {
  void operator()(XmlDocument* document) const { FreeXmlDocument(document->number); }
};
using DocumentPtr = std::unique_ptr<XmlDocument, DocumentFreer>;

// Closes an open data file on every way out.
class FileGuard {
 public:
  explicit FileGuard(int file) : file_(file) {}
  ~FileGuard() {
    if (file_) CloseDataFile(file_);
  }
  FileGuard(const FileGuard&) = delete;
  FileGuard& operator=(const FileGuard&) = delete;

  int number() const { return file_; }

 private:
  int file_;
};

int ExtractConfig(DocumentPtr document, Config& record) {
  XmlNode* main = XmlMainNode(document.get());
  if (!main) return ConfigNoXml;
  ExtractRecordXml(main, &record, ConfigWithDeviceDescriptor);
  return ConfigDone;
}

// The document exported without declaration, padded and deflated.
struct PackedXml {
  int result = ConfigNotPacked;
  std::int32_t length = 0;  // U
  BlockPtr stream;
  std::int64_t streamLength = 0;
};

PackedXml PackXml(const XmlDocument* document) {
  PackedXml packed;
  size_t xmlLength = ExportXmlSize(document, ExportNoDeclaration);
  // A file the loader would refuse is not worth replacing the old one with.
  if (xmlLength > static_cast<size_t>(kMaxConfigLength)) return packed;
  auto length = std::max(static_cast<std::int32_t>(xmlLength), kMinConfigLength);
  // Room for the worst case: a short text that does not shrink still saves.
  std::int64_t capacity = CompressBlockBound(length);
  BlockPtr xml = Allocate(length);
  packed.stream = Allocate(capacity);
  if (!xml || !packed.stream ||
      ExportXml(document, xml.get(), xmlLength, ExportNoDeclaration) != xmlLength) {
    return packed;
  }
  RegisterZipPacker();
  packed.streamLength = CompressBlock(xml.get(), length, packed.stream.get(), capacity, ZipPacker);
  if (packed.streamLength == 0) return packed;
  packed.length = length;
  packed.result = ConfigDone;
  return packed;
}

// True when U and the whole stream reached the new file.
bool WritePackedFile(TextView path, const PackedXml& packed) {
  int file = CreateDataFile(KV_Any, path);
  if (!file) return false;
  bool written = WriteFileInt32(file, packed.length) == 4 &&
                 WriteFileBlock(file, packed.stream.get(), packed.streamLength) == packed.streamLength;
  bool complete = CloseDataFile(file);
  return written && complete;
}

// The inflated bytes without the zero padding, which is no part of the XML.
size_t XmlLength(const PackedConfig& file) {
  auto length = static_cast<size_t>(file.storedLength);
  while (length > 0 && file.data.get()[length - 1] == 0) --length;
  return length;
}

// Where a save writes the new file before it replaces the old one. A path
// ends at its first NUL, as for the file library.
Text ReplacementPath(TextView path) { return Text(path.substr(0, path.find(u'\0'))) + u".new"; }

}  // namespace

PackedConfig ReadPackedConfig(TextView path) {
  PackedConfig packed;
  if (FileSizeByPath(path) < 4) return packed;
  FileGuard file(OpenDataFile(KV_Any, path));
  if (!file.number()) return packed;
  std::int64_t streamLength = DataFileLength(file.number()) - 4;
  packed.storedLength = ReadFileInt32(file.number());
  packed.hasLength = streamLength >= 0;
  BlockPtr stream = Allocate(streamLength);
  if (!stream || ReadFileBlock(file.number(), stream.get(), streamLength) != streamLength) {
    return packed;
  }
  packed.result = ConfigNotPacked;
  // The length comes from the file: check it before allocating by it.
  std::int32_t length = packed.storedLength;
  if (length <= 0 || length > kMaxConfigLength) return packed;
  RegisterZipPacker();
  BlockPtr data = Allocate(length);
  if (!data || UncompressBlock(stream.get(), streamLength, data.get(), length, ZipPacker) != length) {
    return packed;
  }
  packed.data = std::move(data);
  packed.result = ConfigDone;
  return packed;
}

int LoadConfig(Config& record, TextView path, bool packed) {
  if (!packed) return ExtractConfig(DocumentPtr(LoadXmlFile(KV_Any, path, FormatUtf8)), record);
  PackedConfig file = ReadPackedConfig(path);
  if (file.result != ConfigDone) return file.result;
  return ExtractConfig(DocumentPtr(ParseXmlMemory(KV_Any, file.data.get(), XmlLength(file),
                                                  ParseWhole, FormatUtf8)),
                       record);
}

int SaveConfig(const Config& record, TextView path, bool packed, bool indented) {
  DocumentPtr document(CreateXmlDocument(KV_Any, FormatUtf8));
  if (!document ||
      !InsertRecordXml(XmlRootNode(document.get()), &record, StoredDescriptorOf(record))) {
    return ConfigNoXml;
  }
  Text replacement = ReplacementPath(path);
  // A leftover of an interrupted save, read-only or not, must not block this one.
  DeleteFileByPath(replacement, DeleteForce);
  bool written;
  if (packed) {
    PackedXml xml = PackXml(document.get());
    if (xml.result != ConfigDone) return xml.result;
    written = WritePackedFile(replacement, xml);
  } else {
    if (indented) FormatXml(document.get(), kIndentFlags, kIndentStep);
    written = SaveXmlFile(document.get(), replacement, ExportNoDeclaration);
  }
  if (written && ReplaceFileByPath(path, replacement)) return ConfigDone;
  DeleteFileByPath(replacement, DeleteForce);
  return ConfigNoFile;
}

}  // namespace kv
