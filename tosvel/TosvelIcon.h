#pragma once

#include <QIcon>

// Tosvel's icon in every size its resources carry.
QIcon TosvelIcon();
