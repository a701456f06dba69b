#pragma once

#include "analyses/ViewEntry.h"

#include <QWidget>
#include <span>

namespace kazutama {

// A row of colour marks with their captions ("●：本数字" and so on) beside a view's description.
class LegendWidget : public QWidget {
    Q_OBJECT
public:
    LegendWidget(std::span<const LegendEntry> entries, QWidget* parent = nullptr);
};

} // namespace kazutama
