#pragma once

#include <QByteArray>
#include <QString>
#include <string_view>

#include "platform/WholeFile.h"

// The bytes of an exported history: the text in code page 932, exactly as shown, nothing added.
QByteArray HistoryFileBytes(std::string_view historyText);

// WriteWholeFile with the history's file bytes.
bool WriteHistoryFile(const QString& path, std::string_view historyText);
