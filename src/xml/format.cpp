#include "xml/format.h"

#include <algorithm>
#include <vector>

#include "xml/detail/tree_walk.h"

namespace kv {

namespace {

bool IsBreak(char16_t c) { return c == u'\r' || c == u'\n'; }
bool IsBlank(char16_t c) { return c == u' ' || c == u'\t'; }
bool IsSpace(char16_t c) { return IsBlank(c) || IsBreak(c); }

// Length of the line break starting at i: 2 for CR LF.
size_t BreakLength(TextView text, size_t i) {
  return text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n' ? 2 : 1;
}

TextView LineBreak(NewlineStyle style) {
  switch (style) {
    case NewlineLf: return u"\n";
    case NewlineCr: return u"\r";
    default: return u"\r\n";
  }
}

bool TakesChildren(const XmlNode* node) {
  return node->kind == NodeRoot || node->kind == NodeElement;
}

// A node's text cut at its children: part i stands before child i, the last
// part after the last child.
std::vector<Text> SplitText(const XmlNode* node) {
  std::vector<Text> parts;
  TextSegments segments(node);
  for (const XmlNode* child = node->firstChild; child; child = child->nextSibling) {
    parts.emplace_back(segments.Before(child));
  }
  parts.emplace_back(segments.Rest());
  return parts;
}

void JoinText(XmlNode* node, const std::vector<Text>& parts) {
  Text text;
  size_t i = 0;
  for (XmlNode* child = node->firstChild; child; child = child->nextSibling) {
    child->textOffset = static_cast<int32_t>(parts[i].size());
    text += parts[i++];
  }
  text += parts[i];
  if (text != node->text.View()) SetXmlNodeText(node, text);
}

template <class Rewrite>
void RewriteParts(XmlNode* node, Rewrite rewrite) {
  std::vector<Text> parts = SplitText(node);
  for (size_t i = 0; i < parts.size(); ++i) parts[i] = rewrite(parts[i], i, parts.size() - 1);
  JoinText(node, parts);
}

// The whitespace pass; which flags a node obeys depends on its kind.
class WhitespaceFilter {
 public:
  WhitespaceFilter(int flags, XmlNodeKind kind) {
    if (kind == NodeComment) flags &= ~(FormatCutSpaces | FormatCutLeadingSpaces);
    if (kind == NodeCData || kind == NodeInstruction) flags &= ~0x78;
    if (kind == NodeDoctype) flags &= ~(FormatCutNewlines | FormatCutSpaces);
    flags_ = flags;
  }

  // Children count as content: they end a line start and a run of blanks.
  Text Filter(TextView in) {
    Text out;
    for (size_t i = 0; i < in.size(); ++i) {
      char16_t c = in[i];
      if (IsBreak(c)) {
        size_t length = BreakLength(in, i);
        TextView original = in.substr(i, length);
        i += length - 1;
        if (flags_ & FormatCutNewlines) continue;
        if ((flags_ & FormatCutBlankLines) && lastBreak_) continue;
        out += (flags_ & FormatLf) ? u"\n" : (flags_ & FormatCr) ? u"\r" : original;
        lineStart_ = lastBreak_ = true;
        lastBlank_ = false;
      } else if (IsBlank(c)) {
        if (flags_ & FormatCutSpaces) continue;
        if ((flags_ & FormatCutLeadingSpaces) && (lineStart_ || lastBlank_)) continue;
        out += c;
        lastBlank_ = true;
        lastBreak_ = false;
      } else {
        out += c;
        lineStart_ = lastBlank_ = lastBreak_ = false;
      }
    }
    lineStart_ = lastBlank_ = lastBreak_ = false;
    return out;
  }

 private:
  int flags_;
  bool lineStart_ = true;
  bool lastBreak_ = false;
  bool lastBlank_ = false;
};

TextView Trim(TextView text) {
  while (!text.empty() && IsSpace(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsSpace(text.back())) text.remove_suffix(1);
  return text;
}

class Indenter {
 public:
  Indenter(NewlineStyle style, int step) : lineBreak_(LineBreak(style)), step_(step < 0 ? 0 : step) {}

  // A line break followed by the indentation of depth.
  Text NewLine(int depth) const {
    Text out(lineBreak_);
    out.append(static_cast<size_t>(depth < 0 ? 0 : depth) * step_, u' ');
    return out;
  }

  // Trimmed text on lines of its own at depth, blanks around its breaks gone.
  Text Block(TextView text, int depth) const {
    Text out;
    TextView rest = Trim(text);
    while (!rest.empty()) {
      size_t end = 0;
      while (end < rest.size() && !IsBreak(rest[end])) ++end;
      TextView line = rest.substr(0, end);
      while (!line.empty() && IsBlank(line.back())) line.remove_suffix(1);
      out += NewLine(depth);
      out += line;
      rest = Trim(rest.substr(end));
    }
    return out;
  }

  Text LineBreaks(int count) const {
    Text out;
    for (int i = 0; i < count; ++i) out += lineBreak_;
    return out;
  }

 private:
  TextView lineBreak_;
  size_t step_;
};

// depth is the node's own: -1 for the root, 0 for top-level nodes.
void ReIndent(XmlNode* node, int depth, const Indenter& indent) {
  if (!node->firstChild) {
    TextView text = node->text.View();
    bool multiLine = std::find_if(text.begin(), text.end(), IsBreak) != text.end();
    if (node->kind != NodeElement || !multiLine) return;
    Text block = indent.Block(text, depth + 1);
    if (!block.empty()) block += indent.NewLine(depth);
    SetXmlNodeText(node, block);
    return;
  }
  std::vector<const XmlNode*> children;
  for (const XmlNode* child = node->firstChild; child; child = child->nextSibling) {
    children.push_back(child);
  }
  RewriteParts(node, [&](const Text& part, size_t i, size_t last) {
    Text out = indent.Block(part, depth + 1);
    if (node->kind != NodeRoot) {
      out += indent.NewLine(i == last ? depth : depth + 1);
      return out;
    }
    // Top level: a blank line before the first node, and around elements.
    if (i == last) return out + indent.LineBreaks(1);
    bool spaced = i == 0 || children[i]->kind == NodeElement ||
                  children[i - 1]->kind == NodeElement;
    return out + indent.LineBreaks(spaced ? 2 : 1);
  });
}

// Each line break, and the blanks after it, becomes a line break with the
// indentation of the line it starts.
void IndentLines(XmlNode* node, int depth, const Indenter& indent) {
  RewriteParts(node, [&](const Text& part, size_t i, size_t last) {
    Text out;
    for (size_t k = 0; k < part.size(); ++k) {
      if (!IsBreak(part[k])) {
        out += part[k];
        continue;
      }
      k += BreakLength(part, k);
      while (k < part.size() && IsBlank(part[k])) ++k;
      bool closesElement = i == last && Trim(TextView(part).substr(k)).empty();
      out += indent.NewLine(node->kind == NodeRoot ? 0 : closesElement ? depth : depth + 1);
      --k;
    }
    return out;
  });
}

Text ToCrLf(TextView text) {
  Text out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (!IsBreak(text[i])) {
      out += text[i];
      continue;
    }
    i += BreakLength(text, i) - 1;
    out += u"\r\n";
  }
  return out;
}

}  // namespace

void FormatXml(XmlDocument* document, int flags, int step) {
  if (!document) return;
  NewlineStyle style = (flags & FormatCrLf) ? NewlineCrLf
                       : (flags & FormatLf) ? NewlineLf
                       : (flags & FormatCr) ? NewlineCr
                       : document->newlineStyle ? document->newlineStyle
                                                : NewlineCrLf;
  document->newlineStyle = style;
  if (flags & FormatReIndent) flags |= FormatCutBlankLines | FormatCutLeadingSpaces;
  bool rewritesLayout = flags & (FormatReIndent | FormatIndentLines);
  Indenter indent(style, step);
  auto enter = [&](XmlNode* node, int) {
    if (flags & 0x7E) {
      WhitespaceFilter filter(flags, node->kind);
      RewriteParts(node, [&](const Text& part, size_t, size_t) { return filter.Filter(part); });
    }
  };
  auto leave = [&](XmlNode* node, int depth) {
    if (TakesChildren(node) && (flags & FormatReIndent)) {
      ReIndent(node, depth - 1, indent);
    } else if (TakesChildren(node) && (flags & FormatIndentLines)) {
      IndentLines(node, depth - 1, indent);
    }
    bool literal = node->kind == NodeCData || node->kind == NodeInstruction;
    if ((flags & FormatCrLf) && (literal || !rewritesLayout)) {
      RewriteParts(node, [](const Text& part, size_t, size_t) { return ToCrLf(part); });
    }
  };
  WalkTree(document->rootNode, enter, leave);
}

}  // namespace kv
