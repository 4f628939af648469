#include "native_text.h"

namespace kv {

NativeString NativePath(TextView path) { return EncodeUtf8(path.substr(0, path.find(u'\0'))); }

}  // namespace kv
