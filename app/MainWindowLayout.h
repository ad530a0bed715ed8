#pragma once

#include <QString>
#include <array>
#include <utility>
#include <vector>

#include "input/InputSchema.h"

struct DialogBaseUnits;
class QWidget;

// The object name of a control of the main window ("finalSchool", "calculate").
QString ControlName(Control control);

// The main window's controls as its layout table places them: the inputs of the input schema
// and the buttons, groups, link and particle around them, all children of the window.
struct MainWindowControls {
    std::array<QWidget*, kInputCount> inputs{};  // in the order of the input schema
    std::vector<std::pair<Control, QWidget*>> others;

    // The control of an input or of another item; nullptr for none.
    QWidget* Widget(Control control) const;
};

// Creates every control on window at its place in dialog units, in tab order: the items that
// follow an input come right after it. A number edit takes digits only, and "元" where its field
// allows it.
MainWindowControls CreateMainWindowControls(QWidget& window, const DialogBaseUnits& base);
