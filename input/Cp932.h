#pragma once

#include <QByteArray>
#include <string>
#include <string_view>

// Code page 932 (Shift-JIS as Windows writes it), the encoding of every file the program writes.
// A character that the code page cannot hold becomes '?'.
QByteArray ToCp932(std::string_view utf8);
// Invalid byte sequences become a substitution character; decoding never fails.
std::string FromCp932(const QByteArray& bytes);
