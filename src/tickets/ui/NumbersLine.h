#pragma once

class QLineEdit;
class QWidget;

namespace kazutama {

// The field the ticket windows take their numbers in: one line, numbers between blanks or commas, in half-
// or full-width digits as the input method gives them. `example` shows in it while it is empty.
QLineEdit* numbersLine(const char* example, QWidget* parent);

} // namespace kazutama
