#include "app/DialogUnits.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QString>
#include <algorithm>

int MulDivRounded(int value, int numerator, int denominator) {
    const long long product = static_cast<long long>(value) * numerator;
    const long long half = denominator / 2;
    const long long rounded =
        product >= 0 ? (product + half) / denominator : -((-product + half) / denominator);
    return static_cast<int>(rounded);
}

DialogBaseUnits BaseUnitsFromMetrics(int letterRunWidth, int fontHeight) {
    // The average over the 52 letters, rounded to whole pixels.
    return DialogBaseUnits{(letterRunWidth + 26) / 52, fontHeight};
}

DialogBaseUnits BaseUnitsOf(const QFont& font) {
    static const QString kLetters =
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    const QFontMetrics metrics(font);
    return BaseUnitsFromMetrics(metrics.horizontalAdvance(kLetters), metrics.height());
}

int DluToPixelsX(const DialogBaseUnits& base, int x) {
    return MulDivRounded(x, base.x, 4);
}

int DluToPixelsY(const DialogBaseUnits& base, int y) {
    return MulDivRounded(y, base.y, 8);
}

QRect DluRect(const DialogBaseUnits& base, int x, int y, int width, int height) {
    // Position and size are converted one by one, as the dialog manager converts a template.
    return QRect(DluToPixelsX(base, x), DluToPixelsY(base, y), DluToPixelsX(base, width),
                 DluToPixelsY(base, height));
}

QSize DluSize(const DialogBaseUnits& base, int width, int height) {
    return QSize(DluToPixelsX(base, width), DluToPixelsY(base, height));
}

QFont DialogFont(const QStringList& families, int pointSize) {
    QFont font;
    // Naming only the installed family spares the font matching a search for the missing ones.
    const auto installed =
        std::find_if(families.begin(), families.end(),
                     [](const QString& family) { return QFontDatabase::hasFamily(family); });
    if (installed != families.end())
        font.setFamily(*installed);
    else
        font.setFamilies(families);
    font.setPointSize(pointSize);
    font.setStyleHint(QFont::TypeWriter, QFont::PreferNoShaping);
    return font;
}

QFont MainDialogFont() {
    return DialogFont(
        {QStringLiteral("ＭＳ ゴシック"), QStringLiteral("MS Gothic"), QStringLiteral("IPAGothic")},
        10);
}

QFont AboutDialogFont() {
    QFont font = DialogFont({QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("MS PGothic"),
                             QStringLiteral("IPAPGothic")},
                            9);
    font.setStyleHint(QFont::SansSerif);
    return font;
}
