#include "AppIcon.h"

#include <QString>

// The icons live in this static library's resources, which need registering once. The
// registration must be made from the global namespace.
static void InitVesmerResources() {
    Q_INIT_RESOURCE(vesmer);
}

QIcon AppIcon() {
    static const bool registered = (InitVesmerResources(), true);
    (void)registered;
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/vesmer-%1.png").arg(size), QSize(size, size));
    return icon;
}
