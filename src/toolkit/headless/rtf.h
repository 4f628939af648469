// Plain text of a rich text document, as a rich edit control shows it.
#pragma once

#include "runtime/text.h"

namespace kv::headless {

bool IsRtf(TextView text);
// Paragraph and line breaks become "\r"; groups that hold no visible text
// (font and colour tables, "\*" destinations, pictures) are left out.
Text PlainTextFromRtf(TextView rtf);

}  // namespace kv::headless
