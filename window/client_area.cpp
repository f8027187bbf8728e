#include "window/client_area.h"

#include <QAbstractButton>
#include <QPaintEvent>
#include <QPainter>
#include <QSignalBlocker>
#include <optional>

#include "layout/layout.h"
#include "window/control_widgets.h"
#include "window/game_font.h"
#include "window/kept_focus.h"
#include "window/widgets.h"
#include "window/window_back.h"

namespace window {

using controls::ControlId;

ClientArea::ClientArea(game::Session& session) : record_(session.Record()) {
  // Qt keeps the first accessibility interface it makes for a widget, so
  // the option buttons' own must be there before any button is.
  RecordOptionButton::InstallAccessibility();
  setFont(GameFont(layout::kFontPixels));
  BuildControls();
  SetTabOrder();

  timer_.setInterval(controls::kTimer1IntervalMs);
  // A coarse timer may fire 5 % early; the reveal lasts three full seconds.
  timer_.setTimerType(Qt::PreciseTimer);
  connect(&timer_, &QTimer::timeout, this, &ClientArea::OnTick);

  record_.Load();
  Sync();
}

// The controls' clicks reach the area through connections that Qt would
// cut only once the area is a bare QObject, after QWidget has deleted the
// controls; a signal sent while they are torn down must find nothing, not
// an area whose controls are half gone.
ClientArea::~ClientArea() {
  for (QWidget* widget : widgets_) {
    if (widget != nullptr) widget->disconnect(this);
  }
}

QSize ClientArea::sizeHint() const {
  const layout::PixelSize size = layout::ClientSize();
  return {size.width, size.height};
}

// The layout lists the controls in creation order, where every frame
// comes before the controls inside it, so a control's frame is always
// built by the time the control is; the compiler holds both tables to it.
void ClientArea::BuildControls() {
  for (const layout::ControlLook& look : layout::Looks()) {
    const std::optional<ControlId> frame = controls::FrameAround(look.id);
    QWidget* parent = frame ? WidgetOf(*frame) : this;
    widgets_.at(controls::ToIndex(look.id)) = BuildControl(look.id, parent);
  }
}

// Every click the player makes is one activation; the record decides what
// it means for that control.
QWidget* ClientArea::BuildControl(ControlId id, QWidget* parent) {
  QWidget* widget = CreateControlWidget(id, parent);
  const auto activate = [this, id] { Activate(id); };
  if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
    connect(button, &QAbstractButton::clicked, this, activate);
  } else if (auto* label = qobject_cast<ClickableLabel*>(widget)) {
    connect(label, &ClickableLabel::clicked, this, activate);
  }
  return widget;
}

void ClientArea::SetTabOrder() {
  QWidget* previous = nullptr;
  for (const ControlId id : layout::TabOrder()) {
    if (!layout::TakesFocus(id)) continue;
    QWidget* widget = WidgetOf(id);
    if (previous != nullptr) QWidget::setTabOrder(previous, widget);
    previous = widget;
  }
}

void ClientArea::Activate(ControlId id) {
  record_.Activate(id);
  Sync();
}

void ClientArea::OnTick() {
  record_.TickTimer1();
  Sync();
}

void ClientArea::Sync() {
  {
    const KeptFocus focus(*this);
    for (const layout::ControlLook& look : layout::Looks()) {
      QWidget* widget = WidgetOf(look.id);
      const QSignalBlocker blocker(widget);
      ApplyState(look.id, record_.State(look.id), widget);
    }
  }
  // The record's timer flag rules; enabling a running timer keeps its beat.
  if (!record_.Enabled(ControlId::Timer1)) {
    timer_.stop();
  } else if (!timer_.isActive()) {
    timer_.start();
  }
}

// Painted rather than set in the palette, which every control would
// inherit: the text boxes, the list and their scroll bars keep the
// toolkit's colours without having to put them back.
void ClientArea::paintEvent(QPaintEvent* event) {
  QPainter(this).fillRect(event->rect(), WindowBack());
}

void ClientArea::showEvent(QShowEvent* event) {
  if (!shown_) {
    shown_ = true;
    WidgetOf(layout::FirstFocus())->setFocus(Qt::OtherFocusReason);
  }
  QWidget::showEvent(event);
}

}  // namespace window
