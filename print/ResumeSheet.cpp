#include "print/ResumeSheet.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>
#include <array>

#include "platform/WholeFile.h"

namespace {

// The columns 年, 月 and 学歴・職歴 as shares of the block's width.
constexpr std::array<qreal, 3> kColumnShares = {0.13, 0.07, 0.80};
constexpr std::array<const char*, 3> kHeader = {"年", "月", "学歴・職歴"};
// A row is at most this share of the block's width high (about 9 mm on A4).
constexpr qreal kRowHeightShare = 0.05;
// The text's height, the cell padding and the lines, as shares of the row height.
constexpr qreal kTextShare = 0.42;
constexpr qreal kPaddingShare = 0.35;
constexpr qreal kOuterLineShare = 0.05;
constexpr qreal kInnerLineShare = 0.015;
// A text too wide for its cell is set smaller, down to this share, then cut with an ellipsis.
constexpr qreal kSmallestTextShare = 0.7;
constexpr double kPageMarginMillimetres = 15.0;

QFont SheetFont(qreal pixelSize) {
    QFont font;
    font.setFamilies({QStringLiteral("IPAGothic"), QStringLiteral("IPAexGothic"),
                      QStringLiteral("Noto Sans CJK JP"), QStringLiteral("MS Gothic"),
                      QStringLiteral("Yu Gothic")});
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(std::max(1, qRound(pixelSize)));
    return font;
}

// One cell's text: smaller where it is too wide, cut where even that is too wide.
void DrawCell(QPainter& painter, const QRectF& cell, const QString& text, Qt::Alignment align,
              qreal rowHeight) {
    if (text.isEmpty()) return;
    const QRectF inner =
        cell.adjusted(rowHeight * kPaddingShare / 2, 0, -rowHeight * kPaddingShare / 2, 0);
    QFont font = SheetFont(rowHeight * kTextShare);
    const qreal wide = QFontMetricsF(font).horizontalAdvance(text);
    if (wide > inner.width())
        font.setPixelSize(std::max(
            1, qRound(font.pixelSize() * std::max(kSmallestTextShare, inner.width() / wide))));
    painter.setFont(font);
    const QString shown = QFontMetricsF(font).elidedText(text, Qt::ElideRight, inner.width());
    painter.drawText(inner, static_cast<int>(align | Qt::AlignVCenter), shown);
}

// The header and rowCount ruled rows from top, with the given rows' texts.
void PaintPage(QPainter& painter, const QRectF& block, qreal rowHeight,
               const std::vector<const ResumeRow*>& rows, ResumeCalendar calendar) {
    std::array<qreal, 4> x{block.left()};
    for (std::size_t c = 0; c < kColumnShares.size(); ++c)
        x[c + 1] = x[c] + block.width() * kColumnShares[c];
    x.back() = block.right();
    const auto cell = [&](std::size_t column, std::size_t line) {
        return QRectF(
            QPointF(x[column], block.top() + rowHeight * static_cast<qreal>(line)),
            QPointF(x[column + 1], block.top() + rowHeight * static_cast<qreal>(line + 1)));
    };
    for (std::size_t c = 0; c < kHeader.size(); ++c)
        DrawCell(painter, cell(c, 0), QString::fromUtf8(kHeader[c]), Qt::AlignHCenter, rowHeight);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const std::array<std::string, 3> texts = ResumeCells(*rows[i], calendar);
        for (std::size_t c = 0; c < texts.size(); ++c) {
            const Qt::Alignment align =
                c < 2 || rows[i]->heading ? Qt::AlignHCenter : Qt::AlignLeft;
            DrawCell(painter, cell(c, i + 1), QString::fromStdString(texts[c]), align, rowHeight);
        }
    }
    painter.setPen(QPen(Qt::black, rowHeight * kInnerLineShare));
    for (std::size_t line = 1; line <= kResumeSheetRowsPerPage; ++line) {
        const qreal y = block.top() + rowHeight * static_cast<qreal>(line);
        painter.drawLine(QPointF(block.left(), y), QPointF(block.right(), y));
    }
    for (std::size_t c = 1; c + 1 < x.size(); ++c)
        painter.drawLine(QPointF(x[c], block.top()), QPointF(x[c], block.bottom()));
    painter.setPen(QPen(Qt::black, rowHeight * kOuterLineShare));
    painter.drawRect(block);
}

}  // namespace

int ResumeSheetPageCount(std::size_t rowCount) {
    return static_cast<int>(std::max<std::size_t>(
        1, (rowCount + kResumeSheetRowsPerPage - 1) / kResumeSheetRowsPerPage));
}

void PaintResumeSheet(QPainter& painter, const QRectF& page, const std::vector<ResumeRow>& rows,
                      ResumeCalendar calendar) {
    const qreal lines = static_cast<qreal>(kResumeSheetRowsPerPage + 1);
    const qreal rowHeight = std::min(page.height() / lines, page.width() * kRowHeightShare);
    const QRectF block(page.topLeft(), QSizeF(page.width(), rowHeight * lines));
    auto* paged = dynamic_cast<QPagedPaintDevice*>(painter.device());
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::black);
    const int pages = ResumeSheetPageCount(rows.size());
    for (int p = 0; p < pages; ++p) {
        if (p > 0 && (!paged || !paged->newPage())) break;
        std::vector<const ResumeRow*> onPage;
        for (std::size_t i = static_cast<std::size_t>(p) * kResumeSheetRowsPerPage;
             i < rows.size() && onPage.size() < kResumeSheetRowsPerPage; ++i)
            onPage.push_back(&rows[i]);
        PaintPage(painter, block, rowHeight, onPage, calendar);
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
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                         QMarginsF(kPageMarginMillimetres, kPageMarginMillimetres,
                                                   kPageMarginMillimetres, kPageMarginMillimetres),
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
