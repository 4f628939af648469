#include "kvconfig.h"

#include <cstdio>
#include <string>
#include <string_view>

#include "app/config_file.h"
#include "storage/data_file.h"
#include "storage/file_paths.h"
#include "xml/parse.h"

namespace kv {

namespace {

constexpr char kUsage[] =
    "usage: kvconfig show FILE\n"
    "       kvconfig set-adb-path FILE PATH\n"
    "show prints the stored length, the XML the file inflates to and the record\n"
    "it loads as, or the load result and what went wrong.\n"
    "set-adb-path writes FILE as a valid configuration with PATH as the adb path.\n"
    "Exit status: 0 done, 1 the file did not load or save, 2 bad arguments.\n";

void Print(std::string_view text) { std::fwrite(text.data(), 1, text.size(), stdout); }

std::string_view DataOf(const PackedConfig& packed) {
  return {reinterpret_cast<const char*>(packed.data.get()),
          static_cast<size_t>(packed.storedLength)};
}

// The inflated XML, with the zero padding counted instead of printed.
void PrintXml(const PackedConfig& packed) {
  std::string_view data = DataOf(packed);
  size_t end = data.find_last_not_of('\0') + 1;  // 0 when all of it is zero
  Print("xml: ");
  Print(data.substr(0, end));
  if (end < data.size()) std::printf(" (then %zu zero bytes)", data.size() - end);
  Print("\n");
}

std::string WhyNoXml(const PackedConfig& packed) {
  std::string why = "no XML main element";
  std::string_view data = DataOf(packed);
  XmlDocument* document = ParseXmlMemory(KV_Any, data.data(), data.size(), ParseWhole, FormatUtf8);
  if (document && document->status) {
    why += " (" + EncodeUtf8(document->errorMessage) + " at line " +
           std::to_string(document->errorLine) + ", column " +
           std::to_string(document->errorColumn) + ")";
  }
  if (document) FreeXmlDocument(document->number);
  return why;
}

std::string WhyNotLoaded(int result, TextView path, const PackedConfig& packed) {
  if (result == ConfigNoXml) return WhyNoXml(packed);
  if (result == ConfigNotPacked) {
    if (packed.storedLength <= 0 || packed.storedLength > kMaxConfigLength) {
      return "the stored length is not between 1 and " + std::to_string(kMaxConfigLength);
    }
    return "the data does not inflate to exactly the stored length";
  }
  std::int64_t size = FileSizeByPath(path);
  if (size == -1) return "no such file";
  if (size == -2) return "a directory";
  if (size < 4) return "shorter than 4 bytes";
  if (size == 4) return "nothing after the stored length";
  return "cannot be opened for reading and writing (read-only, or open elsewhere) or read";
}

const char* WhyNotSaved(int result) {
  switch (result) {
    case ConfigNoXml: return "the XML could not be built";
    case ConfigNotPacked: return "the XML could not be packed (is the path over 1 MiB?)";
    default: return "the file could not be written or put in place";
  }
}

int Show(const Text& path) {
  PackedConfig packed = ReadPackedConfig(path);
  if (packed.hasLength) std::printf("stored length: %d\n", packed.storedLength);
  if (packed.result == ConfigDone) PrintXml(packed);
  Config record;
  int result = LoadConfig(record, path, true);
  if (result != ConfigDone) {
    std::printf("load result %d: %s\n", result, WhyNotLoaded(result, path, packed).c_str());
    return 1;
  }
  std::printf("isValid: %d\nADBPath: %s\n", record.isValid, EncodeUtf8(record.ADBPath).c_str());
  if (!record.DeviceSerial.empty()) {
    std::printf("DeviceSerial: %s\n", EncodeUtf8(record.DeviceSerial).c_str());
  }
  return 0;
}

int SetAdbPath(const Text& path, const Text& adbPath) {
  Config record{1, adbPath};
  int result = SaveConfig(record, path, true, false);
  if (result == ConfigDone) return 0;
  std::fprintf(stderr, "kvconfig: %s not saved: result %d, %s\n", EncodeUtf8(path).c_str(), result,
               WhyNotSaved(result));
  return 1;
}

}  // namespace

int RunKvconfig(const std::vector<Text>& args) {
  InitFileLibrary();
  if (args.size() == 2 && args[0] == u"show") return Show(args[1]);
  if (args.size() == 3 && args[0] == u"set-adb-path") return SetAdbPath(args[1], args[2]);
  bool help = args.size() == 1 && (args[0] == u"-h" || args[0] == u"--help");
  std::fputs(kUsage, help ? stdout : stderr);
  return help ? 0 : 2;
}

}  // namespace kv
