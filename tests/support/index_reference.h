// The word index's loading steps done the slow way, by inserting rows into
// the middle of a list: the reference the one-pass loader must agree with.
#pragma once

#include "base/unicode.h"

#include <string>
#include <vector>

namespace cadenzo::test {

inline std::vector<std::string> IndexRowsByInsertion(const std::vector<std::string>& fileLines) {
    std::vector<std::string> rows;
    for (const auto& l : fileLines)
        if (!l.empty()) rows.push_back(l);
    // A row's initial: its first character in lower case without accents; a
    // byte that is no UTF-8 stands for itself.
    auto initial = [](const std::string& row) {
        const text::CodePoint c = text::decodeAt(row, 0);
        if (c.value == 0xFFFD && c.length == 1) return row.substr(0, 1);
        std::string letter;
        text::appendUtf8(letter, text::lowerCase(text::baseLetter(c.value)));
        return letter;
    };
    std::string group = " ";
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (initial(rows[i]) != group) {
            group = initial(rows[i]);
            rows.insert(rows.begin() + static_cast<std::ptrdiff_t>(i), group);
            ++i;
        }
    }
    for (std::size_t j = 0; j < rows.size();) {
        std::string& r = rows[j];
        if (r.size() > 10 && r[r.size() - 10] == '|') {
            std::string cut = r.substr(r.size() - 10);
            r.resize(r.size() - 10);
            rows.insert(rows.begin() + static_cast<std::ptrdiff_t>(j + 1), cut);
        } else if (r.size() > 11 && r[r.size() - 11] == '|') {
            std::string cut = r.substr(r.size() - 11);
            r.resize(r.size() - 11);
            std::size_t k = j + 1;
            while (k + 1 < rows.size() && rows[k][0] == '|' && rows[k].size() < 11) ++k;
            rows.insert(rows.begin() + static_cast<std::ptrdiff_t>(k), cut);
        } else {
            ++j;
        }
    }
    return rows;
}

} // namespace cadenzo::test
