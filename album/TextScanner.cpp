#include "album/TextScanner.h"

#include <limits>

namespace {

bool IsSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

void CTextScanner::SkipSpace() {
  while (pos_ < text_.size() && IsSpace(text_[pos_])) {
    ++pos_;
  }
}

bool CTextScanner::Literal(std::string_view literal) {
  if (text_.substr(pos_, literal.size()) != literal) {
    return false;
  }
  pos_ += literal.size();
  return true;
}

bool CTextScanner::Int(int32_t& value) {
  SkipSpace();
  size_t p = pos_;
  bool negative = false;
  if (p < text_.size() && (text_[p] == '+' || text_[p] == '-')) {
    negative = text_[p] == '-';
    ++p;
  }
  if (p >= text_.size() || !IsDigit(text_[p])) {
    return false;
  }
  // Magnitude up to 2^31 (for the most negative value); anything larger is an overflow, but
  // the digits are still consumed as scanf would.
  const int64_t limit = int64_t{std::numeric_limits<int32_t>::max()} + (negative ? 1 : 0);
  int64_t magnitude = 0;
  bool overflow = false;
  for (; p < text_.size() && IsDigit(text_[p]); ++p) {
    if (!overflow) {
      magnitude = magnitude * 10 + (text_[p] - '0');
      overflow = magnitude > limit;
    }
  }
  pos_ = p;
  if (overflow) {
    return false;
  }
  value = static_cast<int32_t>(negative ? -magnitude : magnitude);
  return true;
}

bool CTextScanner::Word(std::string& word, size_t maxLength) {
  SkipSpace();
  const size_t start = pos_;
  while (pos_ < text_.size() && pos_ - start < maxLength && !IsSpace(text_[pos_])) {
    ++pos_;
  }
  if (pos_ == start) {
    return false;
  }
  word.assign(text_.substr(start, pos_ - start));
  return true;
}

int32_t IntOrZero(std::string_view text) {
  int32_t value = 0;
  CTextScanner(text).Int(value);
  return value;
}

bool ReadWholeLine(std::FILE* file, std::string& line, bool& hadLineEnd) {
  // So that a file of one endless line (a sparse file of gigabytes takes a few kilobytes of
  // disk) cannot take the machine's memory.
  constexpr size_t kMaxLineBytes = size_t{1} << 20;
  line.clear();
  hadLineEnd = false;
  bool gotAny = false;
  for (int c = std::getc(file); c != EOF; c = std::getc(file)) {
    gotAny = true;
    if (c == '\n') {
      hadLineEnd = true;
      break;
    }
    if (line.size() < kMaxLineBytes) {
      line.push_back(static_cast<char>(c));
    }
  }
  if (hadLineEnd && !line.empty() && line.back() == '\r') {
    line.pop_back();
  }
  return gotAny;
}
