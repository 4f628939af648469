// Writing documents as XML text in the document's encoding: UTF-8, UTF-16 or
// ISO-8859-1 (FormatAnsi).
#pragma once

#include <cstddef>

#include "xml/tree.h"

namespace kv {

enum XmlExportFlags : int {
  ExportBom = 1,            // FF FE for UTF-16, EF BB BF for UTF-8, nothing for ISO-8859-1
  ExportNoDeclaration = 2,  // omit <?xml ...?>
};

// The number of bytes ExportXml writes with the same flags.
size_t ExportXmlSize(const XmlDocument* document, int flags = 0);
// Writes into buffer and stops at the first piece that no longer fits.
// Returns the number of bytes written.
size_t ExportXml(const XmlDocument* document, void* buffer, size_t size, int flags = 0);
// Creates or truncates the file; false when it cannot be created or a write
// falls short.
bool SaveXmlFile(const XmlDocument* document, TextView path, int flags = 0);

}  // namespace kv
