#pragma once

#include <QByteArray>
#include <QString>
#include <Qt>
#include <array>
#include <cstddef>
#include <string_view>
#include <vector>

#include "engine/ResumeRows.h"

class QPainter;
class QRectF;

// The 学歴 block as a sheet of paper: the rows ruled as the 学歴・職歴 block of the usual
// résumé form, under the header 年 | 月 | 学歴・職歴, in a Japanese Gothic font. Needs a
// QGuiApplication (the offscreen platform will do), no widgets.

// The sheet's facts, in millimetres on A4, for a print style to copy: the margin around the
// block, the height of a ruled line, the height of the text, the room left and right of a
// cell's text and the width of the outer and inner rules; the columns' shares of the block's
// width; the font families, the first installed one taken.
inline constexpr double kResumeSheetMarginMm = 15.0;
inline constexpr double kResumeSheetLineHeightMm = 9.0;
inline constexpr double kResumeSheetTextHeightMm = 3.8;
inline constexpr double kResumeSheetPaddingMm = 1.6;
inline constexpr double kResumeSheetOuterRuleMm = 0.45;
inline constexpr double kResumeSheetInnerRuleMm = 0.15;
inline constexpr std::array<double, 3> kResumeSheetColumnShares = {0.13, 0.07, 0.80};
inline constexpr std::array<std::string_view, 3> kResumeSheetHeader = {"年", "月", "学歴・職歴"};
inline constexpr std::array<std::string_view, 5> kResumeSheetFonts = {
    "IPAGothic", "IPAexGothic", "Noto Sans CJK JP", "MS Gothic", "Yu Gothic"};
// Ruled lines under the header on one page; more continue on further pages under the header.
inline constexpr std::size_t kResumeSheetLinesPerPage = 20;

// Where a row's text stands in the 学歴・職歴 column, as on the usual forms: the heading 「学歴」
// centred, the closing 「以上」 at the right end, every other row from the left.
inline Qt::Alignment ResumeTextAlignment(const ResumeRow& row) {
    if (row.heading) return Qt::AlignHCenter;
    return row.closing ? Qt::AlignRight : Qt::AlignLeft;
}

// One ruled line: the texts of 年, 月 and 学歴・職歴, and where the last stands. A row too long for
// its column goes on over the lines after its first, which leave 年 and 月 empty.
struct ResumeSheetLine {
    std::array<QString, 3> cells;
    Qt::Alignment align = Qt::AlignLeft;

    friend bool operator==(const ResumeSheetLine&, const ResumeSheetLine&) = default;
};
using ResumeSheetPage = std::vector<ResumeSheetLine>;

// The rows on pages: each row's text broken where its column ends, as Japanese text breaks
// (between characters, not before a closing bracket or 、。), every character kept; a row kept on
// one page where it fits. At least one page, which a sheet without rows leaves blank.
std::vector<ResumeSheetPage> LayOutResumeSheet(const std::vector<ResumeRow>& rows,
                                               ResumeCalendar calendar);

// Paints the sheet into page (painter coordinates, the printable area), scaled to its width. On
// a paged device (a printer, a PDF writer) every page after the first is begun with newPage();
// on any other device only the first page is painted.
void PaintResumeSheet(QPainter& painter, const QRectF& page, const std::vector<ResumeRow>& rows,
                      ResumeCalendar calendar);

// The rows as an A4 PDF document; empty when it cannot be made.
QByteArray ResumePdfBytes(const std::vector<ResumeRow>& rows, ResumeCalendar calendar);

// Writes ResumePdfBytes to path through the whole-file writer (platform/WholeFile.h): an existing
// file is replaced only by a complete document, never through a planted link. False when the
// document could not be made or written.
bool WriteResumePdf(const QString& path, const std::vector<ResumeRow>& rows,
                    ResumeCalendar calendar);
