#include "print/ResumeSheet.h"

#include <QBuffer>
#include <QFont>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QTextLayout>
#include <algorithm>

#include "platform/QtText.h"
#include "platform/WholeFile.h"

namespace {

// The sheet is laid out and painted in hundredths of a millimetre on A4, then scaled to the
// page, so that a row breaks alike on every printer and in the PDF.
constexpr qreal kUnitsPerMm = 100.0;
constexpr qreal kA4WidthMm = 210.0;
constexpr qreal kBlockWidth = (kA4WidthMm - 2 * kResumeSheetMarginMm) * kUnitsPerMm;
constexpr qreal kLineHeight = kResumeSheetLineHeightMm * kUnitsPerMm;
constexpr qreal kBlockHeight = kLineHeight * static_cast<qreal>(kResumeSheetLinesPerPage + 1);
constexpr qreal kPadding = kResumeSheetPaddingMm * kUnitsPerMm;

QFont SheetFont() {
    QStringList families;
    for (std::string_view family : kResumeSheetFonts) families << Utf8(family);
    QFont font;
    font.setFamilies(families);
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(qRound(kResumeSheetTextHeightMm * kUnitsPerMm));
    return font;
}

// The left edges of the columns and the right edge of the block.
std::array<qreal, 4> ColumnEdges() {
    std::array<qreal, 4> edges{};
    for (std::size_t c = 0; c < kResumeSheetColumnShares.size(); ++c)
        edges[c + 1] = edges[c] + kBlockWidth * kResumeSheetColumnShares[c];
    edges.back() = kBlockWidth;
    return edges;
}

// The lines a text takes within width, broken by the usual line-breaking rules (between any two
// ideographs, at blanks, never before closing punctuation); together they hold every character.
QStringList BreakLines(const QString& text, const QFont& font, qreal width) {
    QStringList lines;
    if (text.isEmpty()) return lines;
    QTextLayout layout(text, font);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        lines << text.mid(line.textStart(), line.textLength());
    }
    layout.endLayout();
    return lines;
}

std::vector<ResumeSheetLine> RowLines(const ResumeRow& row, ResumeCalendar calendar,
                                      const QFont& font) {
    const std::array<std::string, 3> texts = ResumeCells(row, calendar);
    const std::array<qreal, 4> edges = ColumnEdges();
    std::array<QStringList, 3> broken;
    qsizetype count = 1;
    for (std::size_t c = 0; c < texts.size(); ++c) {
        broken[c] = BreakLines(QString::fromStdString(texts[c]), font,
                               edges[c + 1] - edges[c] - 2 * kPadding);
        count = std::max(count, broken[c].size());
    }
    std::vector<ResumeSheetLine> lines(static_cast<std::size_t>(count));
    for (std::size_t i = 0; i < lines.size(); ++i) {
        for (std::size_t c = 0; c < texts.size(); ++c)
            lines[i].cells[c] = broken[c].value(static_cast<qsizetype>(i));
        lines[i].align = ResumeTextAlignment(row);
    }
    return lines;
}

void DrawCell(QPainter& painter, qreal left, qreal right, std::size_t slot, const QString& text,
              Qt::Alignment align) {
    const QRectF inner(QPointF(left + kPadding, kLineHeight * static_cast<qreal>(slot)),
                       QPointF(right - kPadding, kLineHeight * static_cast<qreal>(slot + 1)));
    painter.drawText(inner, static_cast<int>(align | Qt::AlignVCenter | Qt::TextSingleLine), text);
}

// The header, the page's lines and the rules of every line.
void PaintPage(QPainter& painter, const ResumeSheetPage& lines) {
    const std::array<qreal, 4> x = ColumnEdges();
    for (std::size_t c = 0; c < kResumeSheetHeader.size(); ++c)
        DrawCell(painter, x[c], x[c + 1], 0, Utf8(kResumeSheetHeader[c]), Qt::AlignHCenter);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        for (std::size_t c = 0; c < lines[i].cells.size(); ++c) {
            DrawCell(painter, x[c], x[c + 1], i + 1, lines[i].cells[c],
                     c < 2 ? Qt::AlignHCenter : lines[i].align);
        }
    }
    painter.setPen(QPen(Qt::black, kResumeSheetInnerRuleMm * kUnitsPerMm));
    for (std::size_t line = 1; line <= kResumeSheetLinesPerPage; ++line) {
        const qreal y = kLineHeight * static_cast<qreal>(line);
        painter.drawLine(QPointF(0, y), QPointF(kBlockWidth, y));
    }
    for (std::size_t c = 1; c + 1 < x.size(); ++c)
        painter.drawLine(QPointF(x[c], 0), QPointF(x[c], kBlockHeight));
    painter.setPen(QPen(Qt::black, kResumeSheetOuterRuleMm * kUnitsPerMm));
    painter.drawRect(QRectF(0, 0, kBlockWidth, kBlockHeight));
}

}  // namespace

std::vector<ResumeSheetPage> LayOutResumeSheet(const std::vector<ResumeRow>& rows,
                                               ResumeCalendar calendar) {
    const QFont font = SheetFont();
    std::vector<ResumeSheetPage> pages(1);
    for (const ResumeRow& row : rows) {
        const std::vector<ResumeSheetLine> lines = RowLines(row, calendar, font);
        const std::size_t room = kResumeSheetLinesPerPage - pages.back().size();
        if (lines.size() > room && lines.size() <= kResumeSheetLinesPerPage) pages.emplace_back();
        for (const ResumeSheetLine& line : lines) {
            if (pages.back().size() == kResumeSheetLinesPerPage) pages.emplace_back();
            pages.back().push_back(line);
        }
    }
    return pages;
}

void PaintResumeSheet(QPainter& painter, const QRectF& page, const std::vector<ResumeRow>& rows,
                      ResumeCalendar calendar) {
    const std::vector<ResumeSheetPage> pages = LayOutResumeSheet(rows, calendar);
    auto* paged = dynamic_cast<QPagedPaintDevice*>(painter.device());
    painter.save();
    painter.translate(page.topLeft());
    const qreal scale = std::min(page.width() / kBlockWidth, page.height() / kBlockHeight);
    painter.scale(scale, scale);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setFont(SheetFont());
    for (std::size_t p = 0; p < pages.size(); ++p) {
        if (p > 0 && (!paged || !paged->newPage())) break;
        painter.setPen(Qt::black);
        PaintPage(painter, pages[p]);
    }
    painter.restore();
}

QByteArray ResumePdfBytes(const std::vector<ResumeRow>& rows, ResumeCalendar calendar) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setTitle(QStringLiteral("履歴書　学歴欄"));
        writer.setCreator(QStringLiteral("Vesmer"));
        writer.setResolution(300);
        const QMarginsF margins(kResumeSheetMarginMm, kResumeSheetMarginMm, kResumeSheetMarginMm,
                                kResumeSheetMarginMm);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, margins,
                                         QPageLayout::Millimeter));
        QPainter painter;
        if (!painter.begin(&writer)) return {};
        const QRect area = writer.pageLayout().paintRectPixels(writer.resolution());
        PaintResumeSheet(painter, QRectF(QPointF(0, 0), QSizeF(area.size())), rows, calendar);
        if (!painter.end()) return {};
    }
    return buffer.data();
}

bool WriteResumePdf(const QString& path, const std::vector<ResumeRow>& rows,
                    ResumeCalendar calendar) {
    const QByteArray bytes = ResumePdfBytes(rows, calendar);
    return !bytes.isEmpty() && WriteWholeFile(path, bytes);
}
