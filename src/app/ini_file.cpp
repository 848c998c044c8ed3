#include "app/ini_file.h"

#include "base/text.h"

#include <optional>

namespace cadenzo {

namespace {

// The section name of a "[name]" line, or nothing.
std::optional<std::string_view> sectionName(std::string_view line) {
    line = Trimmed(line);
    if (line.size() < 2 || line.front() != '[' || line.back() != ']') return std::nullopt;
    return Trimmed(line.substr(1, line.size() - 2));
}

struct KeyLine {
    std::string_view key, value;
};

std::optional<KeyLine> keyLine(std::string_view line) {
    std::size_t eq = line.find('=');
    if (eq == std::string_view::npos) return std::nullopt;
    return KeyLine{Trimmed(line.substr(0, eq)), Trimmed(line.substr(eq + 1))};
}

// [first, end) of the section's lines after its header; first == npos when missing.
struct SectionRange {
    std::size_t header = std::string::npos, end = 0;
};

SectionRange findSection(const IniLines& lines, std::string_view section) {
    SectionRange range;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        auto name = sectionName(lines[i]);
        if (!name) continue;
        if (range.header != std::string::npos) {
            range.end = i;
            return range;
        }
        if (equalsIgnoringAsciiCase(*name, section)) range.header = i;
    }
    range.end = lines.size();
    return range;
}

} // namespace

int IniReadInteger(const IniLines& lines, std::string_view section, std::string_view key, int fallback) {
    SectionRange range = findSection(lines, section);
    if (range.header == std::string::npos) return fallback;
    for (std::size_t i = range.header + 1; i < range.end; ++i) {
        auto kv = keyLine(lines[i]);
        if (kv && equalsIgnoringAsciiCase(kv->key, key)) return StrToIntDef(kv->value, fallback);
    }
    return fallback;
}

void IniWriteInteger(IniLines& lines, std::string_view section, std::string_view key, int value) {
    std::string newLine(key);
    newLine += '=';
    newLine += std::to_string(value);
    SectionRange range = findSection(lines, section);
    if (range.header == std::string::npos) {
        lines.push_back("[" + std::string(section) + "]");
        lines.push_back(newLine);
        return;
    }
    std::size_t lastKey = range.header;
    for (std::size_t i = range.header + 1; i < range.end; ++i) {
        auto kv = keyLine(lines[i]);
        if (!kv) continue;
        if (equalsIgnoringAsciiCase(kv->key, key)) {
            lines[i] = newLine;
            return;
        }
        lastKey = i;
    }
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(lastKey + 1), newLine);
}

} // namespace cadenzo
