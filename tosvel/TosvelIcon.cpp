#include "tosvel/TosvelIcon.h"

#include <QString>

// The resources of a static library need registering once, from the global namespace.
static void InitTosvelResources() {
    Q_INIT_RESOURCE(tosvel);
}

QIcon TosvelIcon() {
    static const QIcon icon = [] {
        InitTosvelResources();
        QIcon sizes;
        for (int size : {16, 24, 32, 48, 64})
            sizes.addFile(QStringLiteral(":/icons/tosvel-%1.png").arg(size), QSize(size, size));
        return sizes;
    }();
    return icon;
}
