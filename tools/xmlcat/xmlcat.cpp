#include "xmlcat.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "xml/export.h"
#include "xml/format.h"
#include "xml/parse.h"

namespace kv {

namespace {

constexpr char kUsage[] =
    "usage: xmlcat [options] FILE\n"
    "Parses an XML file and writes it back to standard output.\n"
    "  -e, --encoding ENC    output encoding: utf-8, utf-16 or iso-8859-1\n"
    "                        (default: the document's own)\n"
    "  -n, --no-declaration  write no XML declaration\n"
    "  -b, --bom             begin with a byte-order mark\n"
    "  -f, --format FLAGS    reformat; FLAGS separated by commas: crlf, lf, cr,\n"
    "                        cut-newlines, cut-blank-lines, cut-spaces,\n"
    "                        cut-leading-spaces, reindent, indent-lines\n"
    "  -s, --step N          blanks per indentation level (default 2)\n"
    "  -k, --keep            on a parse error, still write what was parsed\n"
    "Unless -n or -b says otherwise, the file keeps its own byte-order mark and\n"
    "declaration.\n"
    "On a parse error prints \"error LINE:COLUMN: MESSAGE\" and exits with 1.\n";

struct Options {
  Text path;
  int encoding = DetectEncoding;
  bool noDeclaration = false;
  bool bom = false;
  int format = 0;
  int step = 2;
  bool keep = false;
};

// Always false, for returning from a failed check.
bool Fail(const std::string& message) {
  std::fprintf(stderr, "xmlcat: %s\n", message.c_str());
  return false;
}

int ParseEncoding(TextView name) {
  if (EqualNoCase(name, u"utf-8")) return FormatUtf8;
  if (EqualNoCase(name, u"utf-16")) return FormatUtf16;
  if (EqualNoCase(name, u"iso-8859-1")) return FormatAnsi;
  return 0;
}

// 0 for an unknown flag name.
int ParseFormatFlags(TextView list) {
  static const std::pair<TextView, int> kNames[] = {
      {u"crlf", FormatCrLf},
      {u"lf", FormatLf},
      {u"cr", FormatCr},
      {u"cut-newlines", FormatCutNewlines},
      {u"cut-blank-lines", FormatCutBlankLines},
      {u"cut-spaces", FormatCutSpaces},
      {u"cut-leading-spaces", FormatCutLeadingSpaces},
      {u"reindent", FormatReIndent},
      {u"indent-lines", FormatIndentLines},
  };
  int flags = 0;
  while (!list.empty()) {
    size_t comma = std::min(list.find(u','), list.size());
    TextView name = list.substr(0, comma);
    list.remove_prefix(std::min(comma + 1, list.size()));
    int flag = 0;
    for (auto [known, value] : kNames) {
      if (name == known) flag = value;
    }
    if (!flag) return 0;
    flags |= flag;
  }
  return flags;
}

bool ParseStep(TextView text, int* step) {
  if (text.empty() || text.size() > 3) return false;
  *step = 0;
  for (char16_t c : text) {
    if (c < u'0' || c > u'9') return false;
    *step = *step * 10 + (c - u'0');
  }
  return true;
}

// False with a message for bad arguments.
bool ParseOptions(const std::vector<Text>& args, Options* options) {
  for (size_t i = 0; i < args.size(); ++i) {
    const Text& arg = args[i];
    bool takesValue = arg == u"-e" || arg == u"--encoding" || arg == u"-f" || arg == u"--format" ||
                      arg == u"-s" || arg == u"--step";
    if (takesValue && i + 1 == args.size()) return Fail(EncodeUtf8(arg) + " needs a value");
    if (arg == u"-e" || arg == u"--encoding") {
      options->encoding = ParseEncoding(args[++i]);
      if (!options->encoding) return Fail("unknown encoding " + EncodeUtf8(args[i]));
    } else if (arg == u"-f" || arg == u"--format") {
      int flags = ParseFormatFlags(args[++i]);
      if (!flags) return Fail("bad format flags " + EncodeUtf8(args[i]));
      options->format |= flags;
    } else if (arg == u"-s" || arg == u"--step") {
      if (!ParseStep(args[++i], &options->step)) return Fail("bad step " + EncodeUtf8(args[i]));
    } else if (arg == u"-n" || arg == u"--no-declaration") {
      options->noDeclaration = true;
    } else if (arg == u"-b" || arg == u"--bom") {
      options->bom = true;
    } else if (arg == u"-k" || arg == u"--keep") {
      options->keep = true;
    } else if (arg.starts_with(u"-") || !options->path.empty()) {
      return Fail("unexpected argument " + EncodeUtf8(arg));
    } else {
      options->path = arg;
    }
  }
  return !options->path.empty() || Fail("no file given");
}

// The byte-order mark and declaration the file starts with, to keep them.
void NoteFileStart(const Text& path, bool* bom, bool* declaration) {
  char start[12] = {};
  std::ifstream(std::filesystem::path(path), std::ios::binary).read(start, sizeof(start));
  std::string_view bytes(start, sizeof(start));
  *bom = bytes.starts_with("\xEF\xBB\xBF") || bytes.starts_with("\xFF\xFE");
  if (*bom) bytes.remove_prefix(bytes[0] == '\xEF' ? 3 : 2);
  *declaration = bytes.starts_with("<?xml") || bytes.starts_with(std::string_view("<\0?\0x\0m\0l\0", 10));
}

void WriteDocument(const XmlDocument* document, int flags) {
  std::string bytes(ExportXmlSize(document, flags), '\0');
  bytes.resize(ExportXml(document, bytes.data(), bytes.size(), flags));
  std::fwrite(bytes.data(), 1, bytes.size(), stdout);
  std::fflush(stdout);
}

}  // namespace

int RunXmlcat(const std::vector<Text>& args) {
  Options options;
  if (args.size() == 1 && (args[0] == u"-h" || args[0] == u"--help")) {
    std::fputs(kUsage, stdout);
    return 0;
  }
  if (!ParseOptions(args, &options)) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  XmlDocument* document = LoadXmlFile(KV_Any, options.path);
  if (!document) {
    Fail("cannot read " + EncodeUtf8(options.path));
    return 2;
  }
  if (options.encoding != DetectEncoding) document->encoding = static_cast<TextFormat>(options.encoding);
  if (options.format) FormatXml(document, options.format, options.step);
  bool bom = false;
  bool declaration = false;
  NoteFileStart(options.path, &bom, &declaration);
  int flags = (options.bom || bom ? ExportBom : 0) |
              (options.noDeclaration || !declaration ? ExportNoDeclaration : 0);
  bool failed = document->status != 0;
  if (!failed || options.keep) WriteDocument(document, flags);
  if (failed) {
    std::fprintf(stderr, "error %d:%d: %s\n", document->errorLine, document->errorColumn,
                 EncodeUtf8(document->errorMessage).c_str());
  }
  FreeAllXmlDocuments();
  return failed ? 1 : 0;
}

}  // namespace kv
