#include "window/main_window.h"

#include <QAbstractButton>
#include <QSignalBlocker>
#include <algorithm>
#include <vector>

#include "controls/layout.h"
#include "controls/twips.h"
#include "window/control_widgets.h"
#include "window/kept_focus.h"
#include "window/widgets.h"

namespace window {

using controls::ControlId;

MainWindow::MainWindow(game::Session& session) : record_(session.Record()) {
  setFont(GameFont(layout::kFontPixels));
  BuildControls();
  SetTabOrder();

  timer_.setInterval(controls::kTimer1IntervalMs);
  // A coarse timer may fire 5 % early; the reveal lasts three full seconds.
  timer_.setTimerType(Qt::PreciseTimer);
  connect(&timer_, &QTimer::timeout, this, &MainWindow::OnTick);

  record_.Load();
  Sync();
}

MainWindow::~MainWindow() = default;

QSize MainWindow::sizeHint() const {
  return {layout::TwipsToPixels(layout::kClientWidthTwips),
          layout::TwipsToPixels(layout::kClientHeightTwips)};
}

void MainWindow::BuildControls() {
  for (const layout::ControlLook& look : layout::Looks()) {
    const controls::Container container = controls::Info(look.id).container;
    QWidget* parent = this;
    if (container == controls::Container::Frame1) parent = WidgetOf(ControlId::Frame1);
    if (container == controls::Container::Frame2) parent = WidgetOf(ControlId::Frame2);
    widgets_.at(controls::ToIndex(look.id)) = BuildControl(look.id, parent);
  }
}

// Every click the player makes is one activation; the record decides what
// it means for that control.
QWidget* MainWindow::BuildControl(ControlId id, QWidget* parent) {
  QWidget* widget = CreateControlWidget(id, parent);
  const auto activate = [this, id] { Activate(id); };
  if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
    connect(button, &QAbstractButton::clicked, this, activate);
  } else if (auto* label = qobject_cast<ClickableLabel*>(widget)) {
    connect(label, &ClickableLabel::clicked, this, activate);
  }
  return widget;
}

void MainWindow::SetTabOrder() {
  std::vector<layout::ControlLook> order(layout::Looks().begin(), layout::Looks().end());
  std::sort(order.begin(), order.end(),
            [](const layout::ControlLook& a, const layout::ControlLook& b) {
              return a.tab_index < b.tab_index;
            });
  QWidget* previous = nullptr;
  for (const layout::ControlLook& look : order) {
    QWidget* widget = WidgetOf(look.id);
    if (widget->focusPolicy() == Qt::NoFocus) continue;
    if (previous != nullptr) QWidget::setTabOrder(previous, widget);
    previous = widget;
  }
}

void MainWindow::Activate(ControlId id) {
  record_.Activate(id);
  Sync();
}

void MainWindow::OnTick() {
  record_.TickTimer1();
  Sync();
}

void MainWindow::Sync() {
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

void MainWindow::showEvent(QShowEvent* event) {
  if (!shown_) {
    shown_ = true;
    WidgetOf(ControlId::Text1_0)->setFocus(Qt::OtherFocusReason);
  }
  QWidget::showEvent(event);
}

}  // namespace window
