// Builds the Qt widget for one control of the record, in its place, colours
// and style, and writes a control's state into its widget.
#pragma once

#include <QWidget>

#include "controls/control_record.h"

namespace window {

QWidget* CreateControlWidget(controls::ControlId id, QWidget* parent);

// Brings the widget in line with the record's state, changing only what
// differs so that scroll positions and list selections survive a redraw.
// The caller blocks the widget's signals.
void ApplyState(controls::ControlId id, const controls::ControlState& state, QWidget* widget);

}  // namespace window
