#include "base/unicode.h"

#include <array>

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#else
#include <utf8proc.h>
#endif

namespace cadenzo::text {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Windows-1252 characters 0x80..0x9F; 0 where the code page has none.
constexpr std::array<char32_t, 32> kHighControls = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                                    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                                    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                                    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

bool isContinuation(unsigned char c) { return (c & 0xC0) == 0x80; }

// Length of the well-formed sequence starting at pos, or 0 when it is not one.
std::size_t sequenceLength(std::string_view s, std::size_t pos) {
    const auto at = [&](std::size_t i) { return static_cast<unsigned char>(s[pos + i]); };
    const std::size_t left = s.size() - pos;
    const unsigned char b0 = at(0);
    if (b0 < 0x80) return 1;
    if (b0 >= 0xC2 && b0 <= 0xDF) return left >= 2 && isContinuation(at(1)) ? 2 : 0;
    if (b0 >= 0xE0 && b0 <= 0xEF) {
        if (left < 3 || !isContinuation(at(1)) || !isContinuation(at(2))) return 0;
        if (b0 == 0xE0 && at(1) < 0xA0) return 0;  // overlong
        if (b0 == 0xED && at(1) >= 0xA0) return 0; // surrogate
        return 3;
    }
    if (b0 >= 0xF0 && b0 <= 0xF4) {
        if (left < 4 || !isContinuation(at(1)) || !isContinuation(at(2)) || !isContinuation(at(3))) return 0;
        if (b0 == 0xF0 && at(1) < 0x90) return 0;  // overlong
        if (b0 == 0xF4 && at(1) >= 0x90) return 0; // above U+10FFFF
        return 4;
    }
    return 0;
}

} // namespace

bool isValidUtf8(std::string_view bytes) {
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        // ASCII runs are the common case in books; skip them quickly.
        if (static_cast<unsigned char>(bytes[pos]) < 0x80) {
            ++pos;
            continue;
        }
        const std::size_t n = sequenceLength(bytes, pos);
        if (n == 0) return false;
        pos += n;
    }
    return true;
}

std::string_view withoutBom(std::string_view bytes) {
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
    return bytes;
}

void appendUtf8(std::string& out, char32_t c) {
    if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) c = kReplacement;
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

std::string windows1252ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 8);
    for (const char ch : bytes) {
        const auto c = static_cast<unsigned char>(ch);
        if (c < 0x80) {
            out += ch;
            continue;
        }
        char32_t u = c;
        if (c <= 0x9F && kHighControls[c - 0x80] != 0) u = kHighControls[c - 0x80];
        appendUtf8(out, u);
    }
    return out;
}

std::optional<std::string> utf8ToWindows1252(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t pos = 0; pos < text.size();) {
        const CodePoint cp = decodeAt(text, pos);
        pos += cp.length;
        const char32_t u = cp.value;
        if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
            out += static_cast<char>(u);
            continue;
        }
        int byte = -1;
        for (std::size_t i = 0; i < kHighControls.size(); ++i) {
            const char32_t mapped = kHighControls[i] != 0 ? kHighControls[i] : 0x80 + i;
            if (mapped == u) byte = static_cast<int>(0x80 + i);
        }
        if (byte < 0) return std::nullopt;
        out += static_cast<char>(byte);
    }
    return out;
}

std::string decodeFileText(std::string_view bytes, Encoding* encoding) {
    bytes = withoutBom(bytes);
    const bool utf8 = isValidUtf8(bytes);
    if (encoding) *encoding = utf8 ? Encoding::Utf8 : Encoding::Windows1252;
    return utf8 ? std::string(bytes) : windows1252ToUtf8(bytes);
}

Encoding decodeFileLines(std::vector<std::string>& lines) {
    if (!lines.empty() && lines.front().compare(0, 3, "\xEF\xBB\xBF") == 0) lines.front().erase(0, 3);
    for (const std::string& line : lines)
        if (!isValidUtf8(line)) {
            for (std::string& l : lines) l = windows1252ToUtf8(l);
            return Encoding::Windows1252;
        }
    return Encoding::Utf8;
}

CodePoint decodeAt(std::string_view text, std::size_t pos) {
    if (pos >= text.size()) return {};
    const std::size_t n = sequenceLength(text, pos);
    const auto b = [&](std::size_t i) { return static_cast<char32_t>(static_cast<unsigned char>(text[pos + i])); };
    switch (n) {
    case 1: return {b(0), 1};
    case 2: return {((b(0) & 0x1F) << 6) | (b(1) & 0x3F), 2};
    case 3: return {((b(0) & 0x0F) << 12) | ((b(1) & 0x3F) << 6) | (b(2) & 0x3F), 3};
    case 4: return {((b(0) & 0x07) << 18) | ((b(1) & 0x3F) << 12) | ((b(2) & 0x3F) << 6) | (b(3) & 0x3F), 4};
    default: return {kReplacement, 1};
    }
}

std::size_t characterStart(std::string_view text, std::size_t pos) {
    if (pos >= text.size()) return pos;
    std::size_t lead = pos;
    for (int i = 0; i < 3 && lead > 0 && isContinuation(static_cast<unsigned char>(text[lead])); ++i) --lead;
    if (lead != pos) {
        const std::size_t n = sequenceLength(text, lead);
        if (n > 0 && lead + n > pos) return lead;
    }
    return pos;
}

std::size_t characterCount(std::string_view text) {
    std::size_t count = 0;
    for (std::size_t pos = 0; pos < text.size(); pos += decodeAt(text, pos).length) ++count;
    return count;
}

std::size_t bytesOfCharacters(std::string_view text, std::size_t characters) {
    std::size_t pos = 0;
    for (std::size_t i = 0; i < characters && pos < text.size(); ++i) pos += decodeAt(text, pos).length;
    return pos;
}

#ifdef _WIN32

namespace {
WORD characterType(char32_t c) {
    if (c > 0xFFFF) return 0;
    const wchar_t w = static_cast<wchar_t>(c);
    WORD type = 0;
    return GetStringTypeW(CT_CTYPE1, &w, 1, &type) ? type : 0;
}
char32_t mapCase(char32_t c, DWORD flags) {
    if (c > 0xFFFF) return c;
    const wchar_t in = static_cast<wchar_t>(c);
    wchar_t out = in;
    return LCMapStringEx(LOCALE_NAME_INVARIANT, flags, &in, 1, &out, 1, nullptr, nullptr, 0) == 1
               ? static_cast<char32_t>(out)
               : c;
}
} // namespace

bool isLetter(char32_t c) { return (characterType(c) & C1_ALPHA) != 0; }
bool isUpperCase(char32_t c) { return (characterType(c) & C1_UPPER) != 0; }
bool isDigit(char32_t c) { return (characterType(c) & C1_DIGIT) != 0; }
char32_t lowerCase(char32_t c) { return mapCase(c, LCMAP_LOWERCASE); }
char32_t upperCase(char32_t c) { return mapCase(c, LCMAP_UPPERCASE); }
char32_t baseLetter(char32_t c) {
    if (c < 0x80 || c > 0xFFFF) return c;
    const wchar_t in = static_cast<wchar_t>(c);
    wchar_t out[8] = {};
    return FoldStringW(MAP_COMPOSITE, &in, 1, out, 8) > 0 ? static_cast<char32_t>(out[0]) : c;
}

#else

namespace {
utf8proc_category_t categoryOf(char32_t c) {
    return c > 0x10FFFF ? UTF8PROC_CATEGORY_CN : utf8proc_category(static_cast<utf8proc_int32_t>(c));
}
} // namespace

bool isLetter(char32_t c) {
    switch (categoryOf(c)) {
    case UTF8PROC_CATEGORY_LU:
    case UTF8PROC_CATEGORY_LL:
    case UTF8PROC_CATEGORY_LT:
    case UTF8PROC_CATEGORY_LM:
    case UTF8PROC_CATEGORY_LO: return true;
    default: return false;
    }
}
bool isUpperCase(char32_t c) {
    const auto cat = categoryOf(c);
    return cat == UTF8PROC_CATEGORY_LU || cat == UTF8PROC_CATEGORY_LT;
}
bool isDigit(char32_t c) { return categoryOf(c) == UTF8PROC_CATEGORY_ND; }
char32_t lowerCase(char32_t c) {
    return c > 0x10FFFF ? c : static_cast<char32_t>(utf8proc_tolower(static_cast<utf8proc_int32_t>(c)));
}
char32_t upperCase(char32_t c) {
    return c > 0x10FFFF ? c : static_cast<char32_t>(utf8proc_toupper(static_cast<utf8proc_int32_t>(c)));
}

char32_t baseLetter(char32_t c) {
    if (c < 0x80 || c > 0x10FFFF) return c;
    utf8proc_int32_t parts[8];
    int last = 0;
    const utf8proc_ssize_t n =
        utf8proc_decompose_char(static_cast<utf8proc_int32_t>(c), parts, 8, UTF8PROC_DECOMPOSE, &last);
    return n > 0 && n <= 8 ? static_cast<char32_t>(parts[0]) : c;
}

#endif

bool isWordCharacter(char32_t c) { return isLetter(c) || isDigit(c); }

std::string toLower(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t pos = 0; pos < text.size();) {
        const auto c = static_cast<unsigned char>(text[pos]);
        if (c < 0x80) { // the common case, without a library call
            out += static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
            ++pos;
            continue;
        }
        const std::size_t n = sequenceLength(text, pos);
        if (n == 0) {
            out += text[pos++];
            continue;
        }
        appendUtf8(out, lowerCase(decodeAt(text, pos).value));
        pos += n;
    }
    return out;
}

} // namespace cadenzo::text
