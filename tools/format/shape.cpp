#include "shape.h"

#include "manuscript.h"

#include <charconv>
#include <set>
#include <string>

namespace cadenzo::format {

namespace {

// Large enough for any book the reader can page through; keeps arithmetic far from overflow.
constexpr int kMaxValue = 10'000'000;
constexpr int kMaxLinesBetweenMarkers = 1000;
constexpr int kMaxRange = 100'000;

std::string atLine(int line) { return "shape line " + std::to_string(line) + ": "; }

int number(std::string_view text, int line) {
    int value = 0;
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (ec != std::errc() || ptr != end || value < 0 || value > kMaxValue)
        throw FormatError(atLine(line) + "'" + std::string(text) + "' is not a number from 0 to " +
                          std::to_string(kMaxValue));
    return value;
}

// "12" or "10-12".
void addRange(std::string_view text, int line, std::vector<int>& out) {
    const std::size_t dash = text.find('-');
    const int first = number(text.substr(0, dash), line);
    const int last = dash == std::string_view::npos ? first : number(text.substr(dash + 1), line);
    if (last < first) throw FormatError(atLine(line) + "range '" + std::string(text) + "' runs backwards");
    if (last - first >= kMaxRange) throw FormatError(atLine(line) + "range '" + std::string(text) + "' is too long");
    for (int v = first; v <= last; ++v) out.push_back(v);
}

} // namespace

Shape parseShape(std::string_view text) {
    Shape shape;
    std::set<std::string> seen;
    std::set<Colour> colours;
    int lineNumber = 0;
    std::size_t pos = 0;
    while (pos <= text.size()) {
        std::size_t end = text.find('\n', pos);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(pos, end - pos);
        pos = end + 1;
        ++lineNumber;
        if (const std::size_t hash = line.find('#'); hash != std::string_view::npos) line = line.substr(0, hash);
        const auto f = splitFields(line);
        if (f.empty()) continue;
        const std::string key(f[0]);
        const auto values = std::vector<std::string_view>(f.begin() + 1, f.end());
        auto single = [&]() {
            if (values.size() != 1) throw FormatError(atLine(lineNumber) + "'" + key + "' takes one number");
            return number(values[0], lineNumber);
        };
        auto list = [&]() {
            if (values.empty()) throw FormatError(atLine(lineNumber) + "'" + key + "' needs numbers");
            std::vector<int> out;
            for (std::string_view v : values) out.push_back(number(v, lineNumber));
            return out;
        };
        if (key != "highlights" && key != "marker-at" && key != "no-marker-at" && !seen.insert(key).second)
            throw FormatError(atLine(lineNumber) + "'" + key + "' is given twice");

        if (key == "lines") {
            shape.lines = single();
        } else if (key == "anchors") {
            shape.anchors = list();
        } else if (key == "first-paragraph-markers") {
            shape.firstParagraphMarkers = list();
        } else if (key == "sentence-markers") {
            shape.sentenceMarkers = single();
        } else if (key == "phrase-lines") {
            shape.phraseLines = single();
        } else if (key == "max-lines-between-markers") {
            // Breaking a sentence costs the square of this bound in memory, so a
            // page's worth of lines is the most it may be.
            shape.maxLinesBetweenMarkers = single();
            if (shape.maxLinesBetweenMarkers < 1 || shape.maxLinesBetweenMarkers > kMaxLinesBetweenMarkers)
                throw FormatError(atLine(lineNumber) + "'" + key + "' must be between 1 and " +
                                  std::to_string(kMaxLinesBetweenMarkers));
        } else if (key == "highlights") {
            if (values.size() != 2)
                throw FormatError(atLine(lineNumber) + "'highlights' takes a colour tag and a count");
            const std::string tag(values[0]);
            Colour colour{};
            bool known = false;
            for (Colour c : kColours)
                if (tag == std::string("|") + colourCode(c) + ">") {
                    colour = c;
                    known = true;
                }
            if (!known)
                throw FormatError(atLine(lineNumber) + "'" + tag + "' is not a highlight colour (|6> |7> |8> |9>)");
            if (!colours.insert(colour).second)
                throw FormatError(atLine(lineNumber) + "highlights " + tag + " given twice");
            shape.highlights.byColour[static_cast<std::size_t>(colourSlot(colour))] = number(values[1], lineNumber);
        } else if (key == "two-word-highlights") {
            shape.highlights.twoWord = single();
        } else if (key == "three-word-highlights") {
            shape.highlights.threeWord = single();
        } else if (key == "sentence-opening-highlights") {
            shape.highlights.initial = single();
        } else if (key == "marker-at" || key == "no-marker-at") {
            if (values.empty()) throw FormatError(atLine(lineNumber) + "'" + key + "' needs line indexes");
            for (std::string_view v : values)
                addRange(v, lineNumber, key == "marker-at" ? shape.markerAt : shape.noMarkerAt);
        } else {
            throw FormatError(atLine(lineNumber) + "unknown setting '" + key + "'");
        }
    }

    if (shape.lines == 0) throw FormatError("the shape gives no 'lines'");
    if (shape.anchors.empty()) throw FormatError("the shape gives no 'anchors'");
    if (colours.size() != kColours.size())
        throw FormatError("the shape must give 'highlights' for each of |6> |7> |8> |9>");
    for (std::size_t i = 1; i < shape.anchors.size(); ++i)
        if (shape.anchors[i] <= shape.anchors[i - 1])
            throw FormatError("the shape's anchors must rise from chapter to chapter");
    if (shape.anchors.back() >= shape.lines) throw FormatError("the shape's last anchor lies beyond its 'lines'");
    if (!shape.firstParagraphMarkers.empty() && shape.firstParagraphMarkers.size() != shape.anchors.size())
        throw FormatError("the shape gives " + std::to_string(shape.anchors.size()) + " anchors but " +
                          std::to_string(shape.firstParagraphMarkers.size()) + " first paragraph markers");
    const std::set<int> wanted(shape.markerAt.begin(), shape.markerAt.end());
    for (int index : shape.noMarkerAt)
        if (wanted.count(index) != 0)
            throw FormatError("the shape asks for a marker and for none at reader line " + std::to_string(index));
    return shape;
}

} // namespace cadenzo::format
