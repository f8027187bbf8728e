// A shown window with a scripted game, and the real input events a player
// would send it.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTest>
#include <memory>

#include "scripted_game.h"
#include "window/main_window.h"

namespace testing_support {

class ShownWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    auto scripted = std::make_unique<ScriptedRandom>();
    random = scripted.get();
    random->Doors({kJackpot});
    window = std::make_unique<window::MainWindow>(std::move(scripted));
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
  }

  void TearDown() override { window.reset(); }

  QWidget* Widget(controls::ControlId id) const { return window->WidgetOf(id); }
  const controls::ControlRecord& Record() const { return window->Record(); }

  // A radio button takes clicks only on its mark and caption, not across
  // its whole rectangle, so aim at the mark.
  void ClickOption(controls::ControlId id) const {
    QWidget* button = Widget(id);
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, button->height() / 2));
  }

  void Click(controls::ControlId id) const { QTest::mouseClick(Widget(id), Qt::LeftButton); }

  void AskHost(int door) const {
    random->Doors({door});
    ClickOption(controls::ControlId::Option2_1);
    Click(controls::ControlId::Command1_0);
  }

  bool Checked(controls::ControlId id) const {
    return static_cast<QRadioButton*>(Widget(id))->isChecked();
  }

  QString ResultOnScreen() const {
    return static_cast<QPlainTextEdit*>(Widget(controls::ControlId::Text1_0))->toPlainText();
  }

  static constexpr int kJackpot = 5;
  ScriptedRandom* random = nullptr;
  std::unique_ptr<window::MainWindow> window;
};

}  // namespace testing_support
