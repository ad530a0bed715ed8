#include "export/HistoryExport.h"

#include "platform/Cp932.h"

QByteArray HistoryFileBytes(std::string_view historyText) {
    return ToCp932(historyText);
}
