#include "platform/NativePath.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

#include "platform/Cp932.h"
#include "platform/FileSystem.h"

#ifdef Q_OS_LINUX
#include <unistd.h>
#endif

namespace {

#ifdef Q_OS_UNIX
constexpr char16_t kEscapeBase = 0xDC00;
#endif

// Length of the valid UTF-8 sequence at position, or 0 when the bytes there are not one
// (overlong forms, encoded surrogates and code points beyond U+10FFFF are not valid).
int ValidSequence(const QByteArray& bytes, qsizetype position) {
    const auto at = [&](qsizetype i) { return static_cast<unsigned char>(bytes[position + i]); };
    const unsigned char lead = at(0);
    if (lead < 0x80) return 1;
    int length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) low = 0xA0;
        if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;
    } else {
        return 0;
    }
    if (position + length > bytes.size() || at(1) < low || at(1) > high) return 0;
    for (int i = 2; i < length; ++i) {
        if (at(i) < 0x80 || at(i) > 0xBF) return 0;
    }
    return length;
}

}  // namespace

QString DecodeNativePath(const QByteArray& bytes) {
#ifdef Q_OS_UNIX
    QString path;
    path.reserve(bytes.size());
    for (qsizetype i = 0; i < bytes.size();) {
        const int length = ValidSequence(bytes, i);
        if (length == 0) {
            path += QChar(kEscapeBase + static_cast<unsigned char>(bytes[i]));
            ++i;
        } else {
            path += QString::fromUtf8(bytes.constData() + i, length);
            i += length;
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
        const int length = ValidSequence(bytes, i);
        if (length == 0) return FromCp932(bytes);
        i += length;
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

QByteArray SystemEnvironment(const char* name) {
    return qgetenv(name);
}

QString UserConfigFolder(const QString& appName, const EnvironmentReader& getEnv) {
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    const auto beneath = [](QByteArray folder, const QString& tail) {
        while (folder.endsWith('/')) folder.chop(1);
        return DecodeNativePath(folder) + u'/' + tail;
    };
    const QByteArray config = getEnv("XDG_CONFIG_HOME");
    if (config.startsWith('/')) return beneath(config, appName);
    const QByteArray home = getEnv("HOME");
    if (!home.startsWith('/') || !IsFolder(DecodeNativePath(home))) return QString();
    return beneath(home, QStringLiteral(".config/") + appName);
#else
    (void)getEnv;
    // The same folder as QStandardPaths::AppConfigLocation while no organisation is named.
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return base.isEmpty() ? base : QDir::cleanPath(base + u'/' + appName);
#endif
}
