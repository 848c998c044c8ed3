// Build step: turns the shipped book's stored lines (one book line per text
// line) into C++ source holding them as chunks of string literals.
//   gen_book_chunks BOOK.lit CHUNK_LINES OUTPUT.cpp
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::string literal(const std::string& line) {
    std::string out = "\"";
    for (unsigned char c : line) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20 || c >= 0x7F || c == '?') {
            char octal[8];
            std::snprintf(octal, sizeof octal, "\\%03o", c);
            out += octal;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out + "\"";
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::cerr << "usage: gen_book_chunks BOOK.lit CHUNK_LINES OUTPUT.cpp\n";
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) {
        std::cerr << "gen_book_chunks: cannot read " << argv[1] << '\n';
        return 1;
    }
    const long chunkLines = std::strtol(argv[2], nullptr, 10);
    if (chunkLines <= 0) {
        std::cerr << "gen_book_chunks: bad chunk size " << argv[2] << '\n';
        return 2;
    }
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }

    std::ostringstream out;
    out << "// Generated from the shipped book's stored lines; do not edit.\n"
        << "#include \"book/shipped_book.h\"\n\nnamespace cadenzo {\n\nnamespace {\n\n";
    std::vector<std::size_t> sizes;
    for (std::size_t first = 0; first < lines.size(); first += static_cast<std::size_t>(chunkLines)) {
        const std::size_t last = std::min(lines.size(), first + static_cast<std::size_t>(chunkLines));
        // One array of text per chunk, each line ended by a line feed: an
        // array of pointers, one per line, would cost the program a
        // relocation per line at every start.
        out << "const char kChunk" << sizes.size() + 1 << "[] =\n";
        for (std::size_t i = first; i < last; ++i) out << "    " << literal(lines[i]) << " \"\\n\"\n";
        out << "    ;\n\n";
        sizes.push_back(last - first);
    }
    out << "} // namespace\n\nconst std::vector<BookChunk>& ShippedBookChunks() {\n"
        << "    static const std::vector<BookChunk> chunks = {\n";
    for (std::size_t c = 0; c < sizes.size(); ++c)
        out << "        {{kChunk" << c + 1 << ", sizeof kChunk" << c + 1 << " - 1}, " << sizes[c] << "},\n";
    out << "    };\n    return chunks;\n}\n\n} // namespace cadenzo\n";

    // Written only when changed, so an unchanged book does not rebuild.
    std::ifstream old(argv[3], std::ios::binary);
    std::ostringstream oldText;
    oldText << old.rdbuf();
    if (old && oldText.str() == out.str()) return 0;
    std::ofstream file(argv[3], std::ios::binary | std::ios::trunc);
    file << out.str();
    return file ? 0 : 1;
}
