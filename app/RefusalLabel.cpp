#include "app/RefusalLabel.h"

#include <QApplication>
#include <QColor>
#include <QLabel>
#include <QPalette>

void ShowAsRefusal(QLabel& label, bool refused) {
    static const QColor kRefusalColour(192, 0, 0);
    QPalette palette = label.palette();
    palette.setColor(
        QPalette::WindowText,
        refused ? kRefusalColour : QApplication::palette().color(QPalette::WindowText));
    label.setPalette(palette);
}
