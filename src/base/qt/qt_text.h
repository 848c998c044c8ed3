// The reader's text is UTF-8 throughout (book, catalogue, index and bookmark
// files are decoded when read); these carry it to and from the toolkit.
#pragma once

#include <QString>

#include <string>
#include <string_view>

namespace cadenzo {

inline QString toQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Names typed or chosen by the user, as the reader's text.
inline std::string toBytes(const QString& text) { return text.toUtf8().toStdString(); }

} // namespace cadenzo
