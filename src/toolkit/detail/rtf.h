// Plain text of a rich text document, as a rich edit control shows it; for
// the backends whose editors take no rich text.
#pragma once

#include "runtime/text.h"

namespace kv {

bool IsRtf(TextView text);
// Paragraph and line breaks become "\r"; groups that hold no visible text
// (font and colour tables, "\*" destinations, pictures) are left out.
Text PlainTextFromRtf(TextView rtf);

}  // namespace kv
