#pragma once

#include <QLabel>

namespace kazutama {

// A description that keeps to one line where the window is wide enough and wraps onto more lines where it
// is not, so a narrow window shows all of it instead of cutting its end.
class WrappingLabel : public QLabel {
    Q_OBJECT
public:
    explicit WrappingLabel(const QString& text, QWidget* parent = nullptr);

    // The text on one line. (A plain word-wrapping label asks for a narrow, several-line shape even where
    // there is room for one line.)
    QSize sizeHint() const override;
};

} // namespace kazutama
