#include <QCoreApplication>

#include "platform/NativePath.h"
#include "platform/WholeFile.h"

int main(int argc, char* argv[]) {
    const QCoreApplication app(argc, argv);
    if (argc < 2) return 2;
    return WriteWholeFile(QString::fromUtf8(argv[1]), EncodeNativePath(ProgramFolder())) ? 0 : 1;
}
