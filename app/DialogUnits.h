#pragma once

#include <QFont>
#include <QRect>
#include <QSize>
#include <QStringList>

// Dialog units are a quarter of the dialog font's average character width and an eighth of its
// character height; positions in dialog units keep their proportions whatever font is found.
struct DialogBaseUnits {
    int x = 0;  // average width of "A".."Z" and "a".."z" in pixels, rounded
    int y = 0;  // height of the font in pixels

    friend bool operator==(const DialogBaseUnits&, const DialogBaseUnits&) = default;
};

// value * numerator / denominator rounded half away from zero (denominator > 0).
int MulDivRounded(int value, int numerator, int denominator);

// Base units from the summed advance of the 52 letters and the font height.
DialogBaseUnits BaseUnitsFromMetrics(int letterRunWidth, int fontHeight);
DialogBaseUnits BaseUnitsOf(const QFont& font);

int DluToPixelsX(const DialogBaseUnits& base, int x);
int DluToPixelsY(const DialogBaseUnits& base, int y);
QRect DluRect(const DialogBaseUnits& base, int x, int y, int width, int height);
QSize DluSize(const DialogBaseUnits& base, int width, int height);

// A font of the first installed family of the list (the metric-compatible substitutes follow
// the preferred family), at the given point size.
QFont DialogFont(const QStringList& families, int pointSize);

// The main dialog's font: "ＭＳ ゴシック", then "MS Gothic", then "IPAGothic", 10 pt.
QFont MainDialogFont();
// The version dialog's font: "ＭＳ Ｐゴシック", then "MS PGothic", then "IPAPGothic", 9 pt.
QFont AboutDialogFont();
