#pragma once

#include "export/ExportCommands.h"

// Starts the program as a process of its own on QProcess::startDetached: no arguments, the
// current working folder, never waited for. A failure to start is not reported.
class CDetachedProcessStarter : public IProcessStarter {
  public:
    void StartDetached(const QString& program) override;
};
