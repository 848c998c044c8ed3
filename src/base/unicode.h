// Text encoding and character classes for book text, catalogue, index and
// bookmark files. Inside the program all text is UTF-8; a file whose bytes are
// not valid UTF-8 is Windows-1252 and is converted once when read. Letter
// classes and case come from the platform's Unicode library (utf8proc, or the
// Windows API in a Windows build), never from tables of our own.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace cadenzo::text {

enum class Encoding { Utf8, Windows1252 };

// True when the bytes are well-formed UTF-8 (no overlong forms, no surrogates,
// nothing above U+10FFFF).
bool isValidUtf8(std::string_view bytes);

// The bytes without a leading UTF-8 byte order mark.
std::string_view withoutBom(std::string_view bytes);

// Windows-1252 bytes as UTF-8; the five bytes the code page leaves undefined
// become the C1 control of the same number, so nothing is lost.
std::string windows1252ToUtf8(std::string_view bytes);

// UTF-8 text back to Windows-1252; nullopt when a character has no byte there.
std::optional<std::string> utf8ToWindows1252(std::string_view text);

// A file's text: the BOM dropped, then kept when valid UTF-8, else converted
// from Windows-1252. `encoding` says which it was.
std::string decodeFileText(std::string_view bytes, Encoding* encoding = nullptr);

// The same for a file already split into lines (line ends are ASCII, so no
// character spans two lines): the BOM dropped from the first line, then every
// line kept or every line converted. Returns which encoding the file had.
Encoding decodeFileLines(std::vector<std::string>& lines);

// One character of UTF-8 text. An ill-formed byte reads as U+FFFD of length 1,
// so a walk over any bytes always advances and never leaves the text.
struct CodePoint {
    char32_t value = 0;
    std::size_t length = 0; // bytes; 0 only at or past the end
};
CodePoint decodeAt(std::string_view text, std::size_t pos);

// The byte where the character holding byte `pos` starts (pos itself when it
// starts one or is past the end).
std::size_t characterStart(std::string_view text, std::size_t pos);

// Number of characters in the text.
std::size_t characterCount(std::string_view text);

// Bytes taken by the first `characters` characters (the whole text when it
// has fewer); a cut there never splits a character.
std::size_t bytesOfCharacters(std::string_view text, std::size_t characters);

void appendUtf8(std::string& out, char32_t c);

bool isLetter(char32_t c);
bool isUpperCase(char32_t c);
bool isDigit(char32_t c);
// Letters and digits: what a whole word is made of.
bool isWordCharacter(char32_t c);

// Simple (one-to-one) lower case of a character, used for comparing without
// letter case; keeps character counts so positions map back to the text.
char32_t lowerCase(char32_t c);
char32_t upperCase(char32_t c);

// The character without its accents (the first character of its canonical
// decomposition): "é" gives "e", "Å" gives "A"; others are returned as they
// are. Used to order and group words the way a reader expects.
char32_t baseLetter(char32_t c);

// The text lower-cased character by character (ill-formed bytes kept as they
// are).
std::string toLower(std::string_view text);

} // namespace cadenzo::text
