#pragma once

#include <vector>

#include "runtime/text.h"

namespace kv::detail {

// Splits a command line into arguments by the rules Windows programs parse
// their own command line with: the program name ends at its closing quote or
// the first blank; in later arguments 2n backslashes before a quote give n
// and the quote toggles quoting, 2n+1 give n and a literal quote, and "" in a
// quoted span is a literal quote.
std::vector<Text> SplitCommandLine(TextView line);

}  // namespace kv::detail
