#pragma once

class QLabel;

// A refusal stands out in one colour wherever it is shown; a label that is no longer a refusal
// takes the application's text colour again.
void ShowAsRefusal(QLabel& label, bool refused = true);
