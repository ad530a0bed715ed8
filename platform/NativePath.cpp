#include "platform/NativePath.h"

#include <QCoreApplication>
#include <QDir>

#include "engine/Utf8.h"
#include "platform/Cp932.h"

#ifdef Q_OS_LINUX
#include <unistd.h>
#endif

namespace {

#ifdef Q_OS_UNIX
constexpr char16_t kEscapeBase = 0xDC00;
#endif

// The character at position; length 0 when the bytes there are no well-formed UTF-8.
Utf8Char CharacterAt(const QByteArray& bytes, qsizetype position) {
    return DecodeUtf8(std::string_view(bytes.constData() + position,
                                       static_cast<std::size_t>(bytes.size() - position)));
}

}  // namespace

QString DecodeNativePath(const QByteArray& bytes) {
#ifdef Q_OS_UNIX
    QString path;
    path.reserve(bytes.size());
    for (qsizetype i = 0; i < bytes.size();) {
        const Utf8Char character = CharacterAt(bytes, i);
        if (character.length == 0) {
            path += QChar(kEscapeBase + static_cast<unsigned char>(bytes[i]));
            ++i;
        } else {
            path += QString::fromUcs4(&character.code, 1);
            i += static_cast<qsizetype>(character.length);
        }
    }
    return path;
#else
    return QString::fromUtf8(bytes);
#endif
}

QByteArray EncodeNativePath(const QString& path) {
#ifdef Q_OS_UNIX
    QByteArray bytes;
    bytes.reserve(path.size());
    qsizetype plainFrom = 0;
    const auto flushPlain = [&](qsizetype end) {
        bytes += path.sliced(plainFrom, end - plainFrom).toUtf8();
    };
    for (qsizetype i = 0; i < path.size(); ++i) {
        const char16_t unit = path[i].unicode();
        const bool escaped = unit >= kEscapeBase + 0x80 && unit <= kEscapeBase + 0xFF &&
                             (i == 0 || !path[i - 1].isHighSurrogate());
        if (!escaped) continue;
        flushPlain(i);
        bytes += static_cast<char>(unit - kEscapeBase);
        plainFrom = i + 1;
    }
    flushPlain(path.size());
    return bytes;
#else
    return path.toUtf8();
#endif
}

std::string DisplayPath(const QString& path) {
    const QByteArray bytes = EncodeNativePath(QDir::toNativeSeparators(path));
    for (qsizetype i = 0; i < bytes.size();) {
        const std::size_t length = CharacterAt(bytes, i).length;
        if (length == 0) return FromCp932(bytes);
        i += static_cast<qsizetype>(length);
    }
    return bytes.toStdString();
}

QString ProgramFolder() {
#ifdef Q_OS_LINUX
    QByteArray target(4096, '\0');
    const ssize_t length = readlink("/proc/self/exe", target.data(), target.size());
    if (length > 0 && length < target.size()) {
        target.truncate(length);
        const qsizetype slash = target.lastIndexOf('/');
        if (slash == 0) return QStringLiteral("/");
        if (slash > 0) return DecodeNativePath(target.first(slash));
    }
#endif
    return QCoreApplication::applicationDirPath();
}
