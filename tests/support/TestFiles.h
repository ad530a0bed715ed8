#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <initializer_list>
#include <string_view>

#include "platform/Cp932.h"

// The bytes of a file written as the program writes text: code page 932, CR LF after each line.
inline QByteArray Cp932Lines(std::initializer_list<std::string_view> lines) {
    QByteArray bytes;
    for (std::string_view line : lines) bytes += ToCp932(line) + "\r\n";
    return bytes;
}

// A file's whole content; empty when it cannot be read.
inline QByteArray ReadBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll();
}

inline bool WriteBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}

// Both settings files after a Calculate with every input at its default, into empty folders.
inline QByteArray HistoryFileExample() {
    return Cp932Lines({"[Vesmerデータ]", "INIファイルバージョン=100", "誕生日=1980 1 1 0 0",
                       "小=1986 1992 72 0 0 2 0 0 4 3", "中=1992 1995 36 0 0 3 0 0 4 3",
                       "高=1995 1998 36 0 0 6 0 0 4 3", "短=0 0 24 0 0 0 0 0 4 3",
                       "専=0 0 24 0 0 0 0 0 4 3", "大=1998 2002 48 0 0 0 0 0 4 3",
                       "修=0 0 24 0 0 8 0 0 4 3", "博=0 0 36 0 0 0 0 0 4 3"});
}

inline QByteArray DialogStateFileExample() {
    return Cp932Lines({"[VesmerDLGデータ]",
                       "INIファイルバージョン=100",
                       "歴=0",
                       "最終学歴=5",
                       "最終学歴をどうした=1",
                       "高校は=0",
                       "専門学校は=1",
                       "大学は=0",
                       "進学・編入=0",
                       "高校最終学年を飛び越えて大学へ=0",
                       "大学最終学年を飛び越えて大学院へ=0",
                       "大学は9月卒業または半年留年した=0",
                       "大学院がいきなり博士課程で4年制=0",
                       "修士課程1年短縮=0",
                       "博士課程1年短縮=0",
                       "小学校で上級学年に編入した=0",
                       "中学校で上級学年に編入した=0",
                       "大学は秋季入学した=0",
                       "大学院は秋季入学した=0",
                       "年齢を表示する=0"});
}
