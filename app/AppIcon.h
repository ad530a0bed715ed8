#pragma once

#include <QIcon>

// The application icon in every size the resources carry.
QIcon AppIcon();
