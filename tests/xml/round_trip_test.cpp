// Real documents found on the machine: whatever expat itself accepts must
// parse cleanly, and export, re-parse and export again to the same bytes. Many
// are written in the exporter's own form already; those must come back as
// they were, byte for byte.
#include <expat.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "xml_test_support.h"

using namespace kv;
using namespace kv::test;

namespace {

namespace fs = std::filesystem;

constexpr size_t kEnoughFiles = 200;
constexpr size_t kMostChecked = 300;  // a spread over all found, to keep the run short
constexpr uintmax_t kMaxFileBytes = 256 << 10;
// Of the documents checked, at least this share (about 38 % on Debian 12) is
// in the exporter's form already.
constexpr size_t kLeastUnchangedPercent = 20;

// Where a Debian system keeps most of its XML; scanning all of /usr/share
// would take longer than checking what it finds.
const char* const kRoots[] = {"/usr/share/mime", "/usr/share/icons", "/usr/share/xml"};

std::vector<fs::path> FindDocuments() {
  std::vector<fs::path> found;
  auto options = fs::directory_options::skip_permission_denied;
  for (const char* root : kRoots) {
    std::error_code error;
    for (fs::recursive_directory_iterator it(root, options, error), end; !error && it != end;
         it.increment(error)) {
      fs::path extension = it->path().extension();
      bool wanted = extension == ".xml" || extension == ".svg" || extension == ".xsd";
      if (wanted && it->is_regular_file(error) && it->file_size(error) <= kMaxFileBytes) {
        found.push_back(it->path());
      }
    }
  }
  std::sort(found.begin(), found.end());
  return found;
}

std::string ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool ExpatAccepts(const std::string& bytes) {
  XML_Parser parser = XML_ParserCreate(nullptr);
  bool accepted = XML_Parse(parser, bytes.data(), static_cast<int>(bytes.size()), XML_TRUE) ==
                  XML_STATUS_OK;
  XML_ParserFree(parser);
  return accepted;
}

TEST(RoundTripTest, RealDocumentsExportStably) {
  std::vector<fs::path> paths = FindDocuments();
  if (paths.size() < kEnoughFiles) GTEST_SKIP() << "only " << paths.size() << " documents found";
  size_t checked = 0, unchanged = 0;
  size_t stride = std::max<size_t>(1, paths.size() / kMostChecked);
  for (size_t i = 0; i < paths.size(); i += stride) {
    const fs::path& path = paths[i];
    std::string bytes = ReadBytes(path);
    if (bytes.empty() || !ExpatAccepts(bytes)) continue;
    XmlDocument* loaded = LoadXmlFile(KV_Any, DecodeUtf8(path.string()));
    ASSERT_NE(loaded, nullptr) << path;
    EXPECT_EQ(loaded->status, 0) << path;
    std::string first = Export(loaded, 0);
    unchanged += first == bytes;
    XmlDocument* reparsed = Parse(first);
    EXPECT_EQ(reparsed->status, 0) << path;
    EXPECT_TRUE(Export(reparsed, 0) == first) << path;
    FreeAllXmlDocuments();
    ++checked;
  }
  EXPECT_GE(checked, kEnoughFiles / 2);  // most of them are well-formed
  std::cout << "checked " << checked << " of " << paths.size() << " documents, " << unchanged
            << " exported unchanged\n";
  EXPECT_GE(unchanged * 100, checked * kLeastUnchangedPercent);
}

}  // namespace
