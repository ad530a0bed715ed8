#include "app/AppIcon.h"

#include <QString>

// The icons live in this static library's resources, which need registering once. The
// registration must be made from the global namespace.
static void InitVesmerResources() {
    Q_INIT_RESOURCE(vesmer);
}

QIcon AppIcon() {
    // Built once; a window decodes each size when it first shows it. The larger sizes are
    // installed for the desktop's menus and are not needed by a window.
    static const QIcon icon = [] {
        InitVesmerResources();
        QIcon sizes;
        for (int size : {16, 24, 32, 48, 64})
            sizes.addFile(QStringLiteral(":/icons/vesmer-%1.png").arg(size), QSize(size, size));
        return sizes;
    }();
    return icon;
}
