// What a file requester is opened with, derived from the caller's arguments.
#pragma once

#include "runtime/text.h"

namespace kv::detail {

// The platform's file-name buffer, terminating zero included.
constexpr int kFileBufferSize = 260;

// "desc|wildcards|..." with every "|" turned into a zero and two more zeros
// at the end: the platform's list of zero-terminated pairs.
Text FilterFromPattern(TextView pattern);

struct InitialFile {
  Text directory;
  Text fileName;
};
// "dir\name" opens in dir with name proposed. A name the platform would
// reject (empty, or with a control character or one of "*/:<>?\| ) is not
// proposed.
InitialFile SplitDefaultFile(TextView defaultFile);

}  // namespace kv::detail
