#pragma once

#include <QString>
#include <optional>

#include "engine/CivilDate.h"

// What the window's fields hold, as typed. The side typed last decides the other one.
struct TosvelInputs {
    QString seirekiYear, seirekiMonth, seirekiDay;
    int era = 0;  // index into kEras
    QString warekiYear, warekiMonth, warekiDay;
    QString birthYear;
    bool fromWareki = false;

    friend bool operator==(const TosvelInputs&, const TosvelInputs&) = default;
};

// Today's date on the 西暦 side, converted.
TosvelInputs DefaultTosvelInputs(const CivilDate& today);

// Converts the side that was typed and writes the other side's fields as the converter's rule
// (ConvertOneSide) gives them: emptied for a refused date. The answer is the sentence to
// show: the date in both calendars, or why there is none.
struct ConversionView {
    bool ok = false;
    QString text;
};
ConversionView UpdateOtherSide(TosvelInputs& inputs);

// The birth year of the age column: none while the field is empty; a refusal gives the reason.
struct AgeColumn {
    std::optional<int> birthYear;
    QString reason;
};
AgeColumn ReadAgeColumn(const QString& birthYearText);

// The most characters each field takes: the years, then the month and the day.
inline constexpr int kTosvelYearLength = 4;
inline constexpr int kTosvelMonthDayLength = 2;

// The last inputs in folder's "Tosvel.ini". Nothing is read or written without a folder that
// may hold them (IsUsableUserFolder: none at all, or one of another user). Loading keeps inputs
// as they are when there is no usable file (a pipe, a device, a planted link, a file larger
// than kTosvelStateMaxBytes) and cuts each stored text to its field's length. Saving creates
// the folder for the owner only and the file readable and writable by the owner only; false
// when there was a folder and the file could not be written in it.
void LoadTosvelInputs(const QString& folder, TosvelInputs& inputs);
bool SaveTosvelInputs(const QString& folder, const TosvelInputs& inputs);

// Tosvel's per-user folder (UserConfigFolder), or an empty text when there is none.
QString TosvelStateFolder();
// The file in folder.
QString TosvelStatePath(const QString& folder);

inline constexpr const char* kTosvelStateFileName = "Tosvel.ini";
inline constexpr qint64 kTosvelStateMaxBytes = 64 * 1024;
