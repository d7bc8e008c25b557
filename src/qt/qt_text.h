#pragma once
// Shown texts (one code point per character) as Qt strings and back, and the
// positions inside them: Qt counts UTF-16 units, a shown text code points.

#include <QString>

#include "front/shown_text.h"

namespace modsetup::qt {

inline QString toQString(const front::ShownText& text) {
    return QString::fromUcs4(text.data(), static_cast<qsizetype>(text.size()));
}

inline front::ShownText toShownText(const QString& text) { return text.toStdU32String(); }

// The number of code points in the first units UTF-16 units of text.
inline std::size_t codePointsBefore(const QString& text, qsizetype units) {
    return text.left(units).toStdU32String().size();
}

// The UTF-16 position of the code point at index points.
inline qsizetype unitsBefore(const front::ShownText& text, std::size_t points) {
    return toQString(text.substr(0, std::min(points, text.size()))).size();
}

// Qt's letter case folding, for the lists' typing completion.
inline char32_t qtCaseFold(char32_t c) { return QChar::toCaseFolded(c); }

}  // namespace modsetup::qt
