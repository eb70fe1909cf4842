#pragma once
// Reading the plain-text record file: whole lines of any length, and numbers read the way
// scanf's "%d" reads them (leading white space, optional sign, digits), except that a value
// that does not fit 32 bits counts as unreadable instead of being undefined.

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

class CTextScanner {
 public:
  explicit CTextScanner(std::string_view text) : text_(text) {}

  // Skips any white space, as a blank in a scanf pattern does.
  void SkipSpace();
  // Consumes the literal text when it comes next; false (nothing consumed) otherwise.
  bool Literal(std::string_view literal);
  // "%d": on success stores the number and returns true; otherwise value is untouched.
  bool Int(int32_t& value);
  // "%<maxLength>s": white space, then up to maxLength characters that are not white space.
  bool Word(std::string& word, size_t maxLength);

 private:
  std::string_view text_;
  size_t pos_ = 0;
};

// The number at the start of text as atoi reads it; 0 when there is none or it overflows.
int32_t IntOrZero(std::string_view text);

// Reads the next line without its line end ("\n" or "\r\n"), keeping its first megabyte. False
// at end of file when no character was left. hadLineEnd tells whether the line was ended by
// "\n".
bool ReadWholeLine(std::FILE* file, std::string& line, bool& hadLineEnd);
