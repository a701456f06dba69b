#pragma once

class QLineEdit;
class QWidget;

namespace kazutama {

// The field the ticket windows take their numbers in: one line, numbers between blanks or commas, in half-
// or full-width digits as the input method gives them.
QLineEdit* numbersLine(QWidget* parent);

} // namespace kazutama
