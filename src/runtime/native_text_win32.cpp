#include "native_text.h"

namespace kv {

NativeString NativePath(TextView path) {
  TextView name = path.substr(0, path.find(u'\0'));
  return NativeString(name.begin(), name.end());
}

}  // namespace kv
