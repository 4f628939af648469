// Rewriting the whitespace of a document's texts: line-break style, cutting
// blanks and line breaks, indenting.
#pragma once

#include "xml/tree.h"

namespace kv {

enum XmlFormatFlags : int {
  // Line-break style (the first given wins; none keeps the document's own).
  // FormatCrLf also turns every line break into CR LF: in all texts without
  // FormatReIndent and FormatIndentLines, else in CDATA and instructions.
  FormatCrLf = 0x1,
  FormatLf = 0x2,  // and every line break becomes LF
  FormatCr = 0x4,  // and every line break becomes CR
  FormatCutNewlines = 0x8,
  FormatCutBlankLines = 0x10,     // a line break right after a kept line break goes
  FormatCutSpaces = 0x20,         // all blanks and tabs go
  FormatCutLeadingSpaces = 0x40,  // blanks and tabs not after a non-blank on the same line go
  // Implies FormatCutBlankLines and FormatCutLeadingSpaces, then puts every
  // child of an element on a line of its own, indented by depth * step blanks.
  FormatReIndent = 0x80,
  // Follows each line break in element texts with the indentation of its depth.
  FormatIndentLines = 0x100,
};

void FormatXml(XmlDocument* document, int flags, int step);

}  // namespace kv
