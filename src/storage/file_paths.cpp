#include "storage/file_paths.h"

namespace kv {

Text PathDirectory(TextView path) {
  if (!path.empty() && path[0] == u'"') path.remove_prefix(1);
  std::size_t end = path.find_first_of(u"\0|", 0, 2);
  if (end != TextView::npos) path = path.substr(0, end);
  std::size_t slash = path.find_last_of(u"\\/");
  return slash == TextView::npos ? Text() : Text(path.substr(0, slash + 1));
}

}  // namespace kv
