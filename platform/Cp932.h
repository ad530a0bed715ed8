#pragma once

#include <QByteArray>
#include <string>
#include <string_view>

// Code page 932 (Shift-JIS as Windows writes it), the encoding of every file the program writes.
// A character that the code page cannot hold becomes '?'.
QByteArray ToCp932(std::string_view utf8);
// Whether this Qt can encode code page 932; without it every Japanese character would be
// written as '?', so the programs check it once at start-up and stop.
bool Cp932Available();
inline constexpr const char* kCp932MissingMessage =
    "この Qt は Shift-JIS (コードページ 932) を扱えないため、設定ファイルと出力ファイルを"
    "正しく書けません。ICU 対応の Qt を入れてください。";

// Invalid byte sequences become a substitution character; decoding never fails.
std::string FromCp932(const QByteArray& bytes);
