#include "app/GroupBox.h"

#include <QFontMetrics>
#include <QPainter>

CGroupBox::CGroupBox(const QString& title, QWidget* parent) : QGroupBox(title, parent) {
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

CGroupBox::~CGroupBox() = default;

void CGroupBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QFontMetrics metrics(font());
    // The frame's top edge runs through the middle of the title.
    const int top = metrics.height() / 2;
    const int right = width() - 2;
    const int bottom = height() - 2;
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(0, top, right, bottom - top);
    painter.setPen(palette().color(QPalette::Light));
    painter.drawRect(1, top + 1, right, bottom - top);
    const QString text = title();
    if (text.isEmpty()) return;
    const int gap = metrics.averageCharWidth() / 2;
    const QRect box(metrics.averageCharWidth(), 0, metrics.horizontalAdvance(text) + 2 * gap,
                    metrics.height());
    painter.fillRect(box, palette().color(QPalette::Window));
    painter.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
    painter.drawText(box, Qt::AlignCenter | Qt::TextSingleLine, text);
}
