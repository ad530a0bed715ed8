#pragma once

#include <QString>
#include <string_view>

// UTF-8 text of the engine and the input layer as Qt's text.
inline QString Utf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}
