// Encoding detection and the character walk on arbitrary file bytes: what
// comes out is always UTF-8, a Windows-1252 file converts back byte for byte,
// decoding by lines agrees with decoding the whole file, and removing tags or
// walking characters never splits a character or leaves the text.
#include "base/unicode.h"
#include "display/page_text.h"
#include "support/fuzz_rig.h"

using namespace cadenzo;
using namespace cadenzo::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const std::string_view body = text::withoutBom(bytes);

    text::Encoding encoding{};
    const std::string decoded = text::decodeFileText(bytes, &encoding);
    Expect(text::isValidUtf8(decoded));
    if (encoding == text::Encoding::Utf8) {
        Expect(text::isValidUtf8(body) && decoded == body);
    } else {
        Expect(!text::isValidUtf8(body));
        Expect(text::utf8ToWindows1252(decoded) == std::string(body));
    }

    // The reader decodes files already split into lines.
    std::vector<std::string> lines = SplitLines(bytes);
    Expect(text::decodeFileLines(lines) == encoding);
    if (!body.empty()) Expect(lines == SplitLines(decoded));

    // Walking characters: every byte belongs to exactly one character.
    const std::size_t count = text::characterCount(bytes);
    Expect(count <= bytes.size());
    Expect(text::bytesOfCharacters(bytes, count) == bytes.size());
    std::size_t walked = 0;
    for (std::size_t pos = 0; pos < bytes.size();) {
        const text::CodePoint c = text::decodeAt(bytes, pos);
        Expect(c.length >= 1 && c.length <= 4 && pos + c.length <= bytes.size());
        for (std::size_t inside = pos; inside < pos + c.length; ++inside)
            Expect(text::characterStart(bytes, inside) == pos);
        pos += c.length;
        ++walked;
    }
    Expect(walked == count);

    // On UTF-8 text, lower-casing and taking tags out keep it UTF-8.
    Expect(text::isValidUtf8(text::toLower(decoded)));
    Expect(text::isValidUtf8(RemoveTagsAsThreeChars(decoded)));
    Expect(text::isValidUtf8(WithoutMarkup(decoded)));
    for (std::size_t cut = 0; cut <= count && cut < 64; ++cut)
        Expect(text::isValidUtf8(std::string_view(decoded).substr(0, text::bytesOfCharacters(decoded, cut))));
    return 0;
}
