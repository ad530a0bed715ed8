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

// Converts the side that was typed and writes the other side's fields; when the date is refused
// the other side is emptied, so that no wrong date stays on show. The answer is the sentence to
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

// The last inputs in folder's "Tosvel.ini". Loading keeps inputs as they are when there is no
// such file; saving creates the folder (owner only) and writes the file for the owner only.
void LoadTosvelInputs(const QString& folder, TosvelInputs& inputs);
bool SaveTosvelInputs(const QString& folder, const TosvelInputs& inputs);

// Tosvel's per-user folder; needs the application object.
QString TosvelStateFolder();

inline constexpr const char* kTosvelStateFileName = "Tosvel.ini";
