#include "platform/Cp932.h"

#include <QString>
#include <QStringDecoder>
#include <QStringEncoder>

namespace {
constexpr const char* kCodePage = "windows-31j";
}

bool Cp932Available() {
    return QStringEncoder(kCodePage).isValid();
}

QByteArray ToCp932(std::string_view utf8) {
    QStringEncoder encoder(kCodePage);
    const QString text = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
    if (!encoder.isValid()) return text.toLatin1();
    return encoder.encode(text);
}

std::string FromCp932(const QByteArray& bytes) {
    QStringDecoder decoder(kCodePage);
    if (!decoder.isValid()) return bytes.toStdString();
    const QString text = decoder.decode(bytes);
    return text.toStdString();
}
