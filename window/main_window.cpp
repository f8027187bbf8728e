#include "window/main_window.h"

#include <QPushButton>
#include <QRadioButton>
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
using controls::ControlKind;
using controls::ControlRecord;

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

QWidget* MainWindow::BuildControl(ControlId id, QWidget* parent) {
  QWidget* widget = CreateControlWidget(id, parent);
  const controls::ControlInfo& info = controls::Info(id);
  const auto index = info.index;
  switch (info.kind) {
    case ControlKind::CommandButton:
      connect(static_cast<QPushButton*>(widget), &QPushButton::clicked, this,
              [this, index] { Forward(&ControlRecord::ClickCommand1, index); });
      break;
    case ControlKind::OptionButton: {
      const EntryPoint entry = info.container == controls::Container::Frame1
                                   ? &ControlRecord::SelectOption1
                                   : &ControlRecord::SelectOption2;
      connect(static_cast<QRadioButton*>(widget), &QRadioButton::clicked, this,
              [this, entry, index] { Forward(entry, index); });
      break;
    }
    case ControlKind::Label:
      connect(static_cast<ClickableLabel*>(widget), &ClickableLabel::clicked, this,
              [this, index] { Forward(&ControlRecord::ClickLabel1, index); });
      break;
    default:
      break;
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

void MainWindow::Forward(EntryPoint entry, std::int16_t index) {
  (record_.*entry)(index);
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
