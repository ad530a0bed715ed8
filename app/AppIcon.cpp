#include "app/AppIcon.h"

#include <QImageReader>
#include <QPixmap>
#include <QString>

// The icons live in this static library's resources, which need registering once. The
// registration must be made from the global namespace.
static void InitVesmerResources() {
    Q_INIT_RESOURCE(vesmer);
}

QIcon AppIcon() {
    // Built once; the larger sizes are installed for the desktop's menus and are not needed by a
    // window. The images are read as PNG outright: a reader left to find out the format itself
    // loads every image plug-in to ask it first.
    static const QIcon icon = [] {
        InitVesmerResources();
        QIcon sizes;
        for (int size : {16, 24, 32, 48, 64}) {
            QImageReader reader(QStringLiteral(":/icons/vesmer-%1.png").arg(size), "png");
            reader.setAutoDetectImageFormat(false);
            sizes.addPixmap(QPixmap::fromImage(reader.read()));
        }
        return sizes;
    }();
    return icon;
}
