#pragma once

#include <QByteArray>
#include <string_view>

// The bytes of an exported history: the text in code page 932, exactly as shown, nothing added.
QByteArray HistoryFileBytes(std::string_view historyText);
