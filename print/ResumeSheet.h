#pragma once

#include <QByteArray>
#include <QString>
#include <cstddef>
#include <vector>

#include "engine/ResumeRows.h"

class QPainter;
class QRectF;

// The 学歴 block as a sheet of paper: the rows ruled as the 学歴・職歴 block of the usual
// résumé form, under the header 年 | 月 | 学歴・職歴, in a Japanese Gothic font (IPAGothic where
// installed). Needs a QGuiApplication (the offscreen platform will do), no widgets.

// Ruled rows on one page; more rows continue on further pages under the header again.
inline constexpr std::size_t kResumeSheetRowsPerPage = 20;

// Pages the rows take: at least one, a blank ruled page for no rows.
int ResumeSheetPageCount(std::size_t rowCount);

// Paints the block into page (painter coordinates, the printable area). On a paged device
// (a printer, a PDF writer) every page after the first is begun with newPage(); on any other
// device only the first page is painted.
void PaintResumeSheet(QPainter& painter, const QRectF& page, const std::vector<ResumeRow>& rows,
                      ResumeCalendar calendar);

// The rows as an A4 PDF document; empty when it cannot be made.
QByteArray ResumePdfBytes(const std::vector<ResumeRow>& rows, ResumeCalendar calendar);

// Writes ResumePdfBytes to path through the whole-file writer (platform/WholeFile.h): an existing
// file is replaced only by a complete document, never through a planted link. False when the
// document could not be made or written.
bool WriteResumePdf(const QString& path, const std::vector<ResumeRow>& rows,
                    ResumeCalendar calendar);
