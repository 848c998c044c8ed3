// General text helpers used by every layer: the platform's integer reading,
// trimming, and ASCII letter case for names that are compared without case
// (INI sections and keys, file names on Windows).
#pragma once

#include <string>
#include <string_view>

namespace cadenzo {

// The decimal reading the platform's integer conversion gives: optional
// leading blanks and sign, decimal digits, or "$"/"0x" and hex digits.
// Throws ConversionError("'%s' is not a valid integer value").
int StrToInt(std::string_view text);

// Same reading, but returns `fallback` instead of throwing.
int StrToIntDef(std::string_view text, int fallback);

// Text with spaces and control characters removed from both ends.
std::string_view Trimmed(std::string_view text);

// 'A'..'Z' lowered; every other byte (UTF-8 included) kept as it is.
constexpr char asciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }
std::string asciiLower(std::string_view text);

// Equal when they differ at most in ASCII letter case.
bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b);

} // namespace cadenzo
