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

// The settings of a shape file, read a line at a time.
class ShapeReader {
  public:
    void readLine(std::string_view line, int lineNumber) {
        if (const std::size_t hash = line.find('#'); hash != std::string_view::npos) line = line.substr(0, hash);
        const auto f = splitFields(line);
        if (f.empty()) return;
        line_ = lineNumber;
        key_ = std::string(f[0]);
        values_.assign(f.begin() + 1, f.end());
        if (key_ != "highlights" && key_ != "marker-at" && key_ != "no-marker-at" && !seen_.insert(key_).second)
            throw FormatError(atLine(line_) + "'" + key_ + "' is given twice");
        setting();
    }

    // The shape read, once its settings agree with one another.
    Shape finish() {
        if (shape_.lines == 0) throw FormatError("the shape gives no 'lines'");
        if (shape_.anchors.empty()) throw FormatError("the shape gives no 'anchors'");
        if (colours_.size() != kColours.size())
            throw FormatError("the shape must give 'highlights' for each of |6> |7> |8> |9>");
        for (std::size_t i = 1; i < shape_.anchors.size(); ++i)
            if (shape_.anchors[i] <= shape_.anchors[i - 1])
                throw FormatError("the shape's anchors must rise from chapter to chapter");
        if (shape_.anchors.back() >= shape_.lines) throw FormatError("the shape's last anchor lies beyond its 'lines'");
        if (!shape_.firstParagraphMarkers.empty() && shape_.firstParagraphMarkers.size() != shape_.anchors.size())
            throw FormatError("the shape gives " + std::to_string(shape_.anchors.size()) + " anchors but " +
                              std::to_string(shape_.firstParagraphMarkers.size()) + " first paragraph markers");
        const std::set<int> wanted(shape_.markerAt.begin(), shape_.markerAt.end());
        for (int index : shape_.noMarkerAt)
            if (wanted.count(index) != 0)
                throw FormatError("the shape asks for a marker and for none at reader line " + std::to_string(index));
        return std::move(shape_);
    }

  private:
    int single() const {
        if (values_.size() != 1) throw FormatError(atLine(line_) + "'" + key_ + "' takes one number");
        return number(values_[0], line_);
    }

    std::vector<int> list() const {
        if (values_.empty()) throw FormatError(atLine(line_) + "'" + key_ + "' needs numbers");
        std::vector<int> out;
        for (std::string_view v : values_) out.push_back(number(v, line_));
        return out;
    }

    void setting() {
        if (key_ == "lines") {
            shape_.lines = single();
        } else if (key_ == "anchors") {
            shape_.anchors = list();
        } else if (key_ == "first-paragraph-markers") {
            shape_.firstParagraphMarkers = list();
        } else if (key_ == "sentence-markers") {
            shape_.sentenceMarkers = single();
        } else if (key_ == "phrase-lines") {
            shape_.phraseLines = single();
        } else if (key_ == "max-lines-between-markers") {
            maxLinesBetweenMarkers();
        } else if (key_ == "highlights") {
            highlights();
        } else if (key_ == "two-word-highlights") {
            shape_.highlights.twoWord = single();
        } else if (key_ == "three-word-highlights") {
            shape_.highlights.threeWord = single();
        } else if (key_ == "sentence-opening-highlights") {
            shape_.highlights.initial = single();
        } else if (key_ == "marker-at" || key_ == "no-marker-at") {
            if (values_.empty()) throw FormatError(atLine(line_) + "'" + key_ + "' needs line indexes");
            for (std::string_view v : values_)
                addRange(v, line_, key_ == "marker-at" ? shape_.markerAt : shape_.noMarkerAt);
        } else {
            throw FormatError(atLine(line_) + "unknown setting '" + key_ + "'");
        }
    }

    // Breaking a sentence costs the square of this bound in memory, so a
    // page's worth of lines is the most it may be.
    void maxLinesBetweenMarkers() {
        shape_.maxLinesBetweenMarkers = single();
        if (shape_.maxLinesBetweenMarkers < 1 || shape_.maxLinesBetweenMarkers > kMaxLinesBetweenMarkers)
            throw FormatError(atLine(line_) + "'" + key_ + "' must be between 1 and " +
                              std::to_string(kMaxLinesBetweenMarkers));
    }

    // "highlights |6> 12": a colour's count, once for each colour.
    void highlights() {
        if (values_.size() != 2) throw FormatError(atLine(line_) + "'highlights' takes a colour tag and a count");
        const std::string tag(values_[0]);
        Colour colour{};
        bool known = false;
        for (Colour c : kColours)
            if (tag == std::string("|") + colourCode(c) + ">") {
                colour = c;
                known = true;
            }
        if (!known) throw FormatError(atLine(line_) + "'" + tag + "' is not a highlight colour (|6> |7> |8> |9>)");
        if (!colours_.insert(colour).second) throw FormatError(atLine(line_) + "highlights " + tag + " given twice");
        shape_.highlights.byColour[static_cast<std::size_t>(colourSlot(colour))] = number(values_[1], line_);
    }

    Shape shape_;
    std::set<std::string> seen_;
    std::set<Colour> colours_;
    int line_ = 0;
    std::string key_;
    std::vector<std::string_view> values_;
};

} // namespace

Shape parseShape(std::string_view text) {
    ShapeReader reader;
    int lineNumber = 0;
    std::size_t pos = 0;
    while (pos <= text.size()) {
        std::size_t end = text.find('\n', pos);
        if (end == std::string_view::npos) end = text.size();
        reader.readLine(text.substr(pos, end - pos), ++lineNumber);
        pos = end + 1;
    }
    return reader.finish();
}

} // namespace cadenzo::format
