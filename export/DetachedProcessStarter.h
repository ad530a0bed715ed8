#pragma once

#include "export/ExportCommands.h"

// Starts the program as a process of its own: no arguments, the current working folder, never
// waited for. On Unix the path may hold the escaped bytes of platform/NativePath.h and is run
// through a double fork, so that the tool belongs to no one once started; elsewhere through
// QProcess::startDetached. A failure to start is not reported.
class CDetachedProcessStarter : public IProcessStarter {
  public:
    void StartDetached(const QString& program) override;
};
