// The client area of the one window, Form1. It builds the controls, draws
// the control record in the window's own back colour and hands the
// player's clicks and the peek timer to the record's entry points; it keeps
// no game state of its own. What belongs to the window around it (caption,
// flags, size, place on the screen) is desktop::TopLevelFor's.
#pragma once

#include <QTimer>
#include <QWidget>
#include <array>

#include "controls/control_record.h"
#include "game/session.h"

namespace window {

class ClientArea final : public QWidget {
  Q_OBJECT

 public:
  // Builds every control, then loads the session's record, so the first
  // paint already shows the first game. The session must outlive the area.
  explicit ClientArea(game::Session& session);
  ~ClientArea() override;

  ClientArea(const ClientArea&) = delete;
  ClientArea& operator=(const ClientArea&) = delete;

  // The widget that draws a control; the timer has none.
  QWidget* WidgetOf(controls::ControlId id) const { return widgets_.at(controls::ToIndex(id)); }
  const QTimer& PeekTimer() const { return timer_; }

  // The client area's size from the layout table.
  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void BuildControls();
  QWidget* BuildControl(controls::ControlId id, QWidget* parent);
  void SetTabOrder();
  void Activate(controls::ControlId id);
  void OnTick();
  // Draws the whole record. Runs after every entry point, and only here.
  void Sync();

  controls::ControlRecord& record_;
  std::array<QWidget*, controls::kControlCount> widgets_{};
  QTimer timer_;
  bool shown_ = false;
};

}  // namespace window
