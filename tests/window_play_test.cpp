// The game played in its window with real mouse and keyboard events; each
// test checks the record and what the screen shows.
#include <QAccessible>
#include <QContextMenuEvent>
#include <QElapsedTimer>
#include <QFile>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>

#include "controls/texts.h"
#include "window/qt_text.h"
#include "window_fixture.h"

namespace {

using controls::Option1;
using enum controls::ControlId;
using testing_support::ShownWindow;

QString Q(std::string_view text) { return window::ToQString(text); }

using WindowPlay = ShownWindow;

TEST_F(WindowPlay, OpensOnTheFirstGameWithTheIntroduction) {
  EXPECT_EQ(top_level->windowTitle(), "Зимарела");
  EXPECT_EQ(ResultOnScreen(), Q(texts::kIntroduction).replace("\r\n", "\n"));
  EXPECT_EQ(static_cast<QLineEdit*>(Widget(Text2_0))->text(), "1");
  EXPECT_EQ(static_cast<QLineEdit*>(Widget(Text2_1))->text(), "0");
  EXPECT_FALSE(Widget(Frame1)->isEnabled());
  EXPECT_FALSE(Widget(Command1_0)->isEnabled());
  EXPECT_TRUE(Widget(Command1_1)->isEnabled());
  EXPECT_FALSE(Widget(List1)->isVisible());
  EXPECT_FALSE(Widget(Label1_1)->isVisible());
  EXPECT_FALSE(Widget(Text1_1)->isVisible());
  for (int door = 0; door < 8; ++door) EXPECT_FALSE(Checked(Option1(door)));
}

TEST_F(WindowPlay, AWholeGameByClicks) {
  int opened = 0;
  for (const int door : {0, 1, 2, 3, 4}) {
    AskHost(door);
    ++opened;
    EXPECT_EQ(session->Game().HostOpenCount(), opened);
    EXPECT_EQ(static_cast<QRadioButton*>(Widget(Option1(door)))->text(), "Зелка!");
    EXPECT_FALSE(Widget(Option1(door))->isEnabled());
  }
  // The fifth opening forced the direct choice.
  EXPECT_TRUE(Checked(Option2_0));
  EXPECT_FALSE(Checked(Option2_1));
  EXPECT_FALSE(Widget(Option2_1)->isEnabled());
  EXPECT_FALSE(Widget(Command1_0)->isEnabled());
  EXPECT_TRUE(Widget(Label1_1)->isVisible());
  EXPECT_TRUE(Widget(Frame1)->isEnabled());

  ClickOption(Option1(kJackpot));
  EXPECT_TRUE(Checked(Option1(kJackpot)));
  EXPECT_EQ(ResultOnScreen(), "Резултат след окончателния избор:\nДжакпот!");
  EXPECT_EQ(static_cast<QLineEdit*>(Widget(Text2_1))->text(), "1");
  EXPECT_FALSE(Widget(Frame1)->isEnabled());
  EXPECT_FALSE(Widget(Frame2)->isEnabled());

  random->Doors({1});
  Click(Command1_1);
  EXPECT_EQ(ResultOnScreen(), "");
  EXPECT_EQ(static_cast<QLineEdit*>(Widget(Text2_0))->text(), "2");
  EXPECT_FALSE(Widget(Label1_1)->isVisible());
  EXPECT_TRUE(Widget(Option2_1)->isEnabled());
  EXPECT_FALSE(Checked(Option1(kJackpot)));
  EXPECT_EQ(static_cast<QRadioButton*>(Widget(Option1(0)))->text(), "Врата 1");
}

// An option button paints its whole strip, so a click anywhere on it counts,
// through the same event rules as a click on its mark.
TEST_F(WindowPlay, AClickNearTheFarEndOfAStripSelectsIt) {
  const auto far_end = [this](controls::ControlId id) {
    QWidget* strip = Widget(id);
    QTest::mouseClick(strip, Qt::LeftButton, {}, QPoint(strip->width() - 3, strip->height() / 2));
  };
  far_end(Option1(0));  // locked: the doors frame is disabled
  EXPECT_FALSE(Checked(Option1(0)));
  far_end(Option2_1);
  EXPECT_TRUE(Checked(Option2_1));
  EXPECT_TRUE(Widget(Command1_0)->isEnabled());
  far_end(Option2_0);
  far_end(Option1(kJackpot));
  EXPECT_TRUE(Checked(Option1(kJackpot)));
  EXPECT_EQ(session->Game().WinsCount(), 1);
}

TEST_F(WindowPlay, ALosingPickShowsTheLesson) {
  ClickOption(Option2_0);
  ClickOption(Option1(0));
  EXPECT_TRUE(ResultOnScreen().startsWith("Резултат след окончателния избор:\nЗелка!\nЗагубихте"));
  EXPECT_TRUE(ResultOnScreen().endsWith("било. \n"));
}

TEST_F(WindowPlay, AClickOnALockedDoorChangesNeitherRecordNorScreen) {
  const controls::ControlRecord before = Record();
  ClickOption(Option1(2));
  EXPECT_EQ(Record(), before);
  EXPECT_FALSE(Checked(Option1(2)));

  AskHost(3);
  ClickOption(Option2_0);
  const controls::ControlRecord unlocked = Record();
  ClickOption(Option1(3));  // the host's open door
  EXPECT_EQ(Record(), unlocked);
  EXPECT_FALSE(Checked(Option1(3)));
}

TEST_F(WindowPlay, ThePeekSpotShowsTheTableAndThreeTicksHideIt) {
  QWidget* spot = Widget(Label1_2);
  QTest::mouseClick(spot, Qt::LeftButton, {}, QPoint(spot->width() - 1, spot->height() - 1));
  auto* list = static_cast<QListWidget*>(Widget(List1));
  ASSERT_TRUE(list->isVisible());
  ASSERT_EQ(list->count(), 8);
  EXPECT_GT(list->verticalScrollBar()->maximum(), 0) << "only the first doors fit in view";
  EXPECT_EQ(list->item(kJackpot)->text(), "2");
  EXPECT_EQ(list->item(0)->text(), "1");
  EXPECT_TRUE(window->PeekTimer().isActive());
  EXPECT_EQ(window->PeekTimer().interval(), 1000);

  // Counted in ticks, not in time: a loaded machine may deliver them late,
  // never early. The long bound only keeps a broken build from hanging.
  const QSignalSpy ticks(&window->PeekTimer(), &QTimer::timeout);
  QElapsedTimer clock;
  clock.start();
  ASSERT_TRUE(QTest::qWaitFor([&] { return !list->isVisible(); }, 60000));
  EXPECT_EQ(ticks.count(), 3);
  EXPECT_GE(clock.elapsed(), 2900) << "a tick came early";
  EXPECT_FALSE(window->PeekTimer().isActive());
  EXPECT_FALSE(Record().Enabled(Timer1));
}

TEST_F(WindowPlay, ThePeekSpotTakesClicksAcrossItsWholeSquare) {
  QWidget* spot = Widget(Label1_2);
  QTest::mouseClick(spot, Qt::LeftButton, {}, QPoint(0, 0));
  EXPECT_TRUE(Widget(List1)->isVisible());
}

TEST_F(WindowPlay, TypingIntoTheTextBoxesChangesNothing) {
  const controls::ControlRecord before = Record();
  for (const controls::ControlId box : {Text1_0, Text2_0, Text2_1}) {
    QWidget* widget = Widget(box);
    widget->setFocus();
    const QString shown =
        box == Text1_0 ? ResultOnScreen() : static_cast<QLineEdit*>(widget)->text();
    QTest::keyClicks(widget, "42 abc");
    QTest::keyClick(widget, Qt::Key_Backspace);
    QTest::keyClick(widget, Qt::Key_Delete);
    QTest::keyClick(widget, Qt::Key_V, Qt::ControlModifier);
    const QString after =
        box == Text1_0 ? ResultOnScreen() : static_cast<QLineEdit*>(widget)->text();
    EXPECT_EQ(after, shown);
  }
  EXPECT_EQ(Record(), before);
}

TEST_F(WindowPlay, TheResultBoxScrollsToItsLastLine) {
  auto* box = static_cast<QPlainTextEdit*>(Widget(Text1_0));
  QScrollBar* bar = box->verticalScrollBar();
  ASSERT_GT(bar->maximum(), 0) << "the introduction should be longer than the box";
  box->setFocus();
  QTest::keyClick(box, Qt::Key_End, Qt::ControlModifier);
  EXPECT_GT(bar->value(), 0);
  EXPECT_TRUE(box->viewport()->rect().contains(box->cursorRect()))
      << "the end of the text should be in view";
}

TEST_F(WindowPlay, FocusStartsOnTheResultBoxAndTabsInTabIndexOrder) {
  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window));
  EXPECT_EQ(QApplication::focusWidget(), Widget(Text1_0));
  // Hidden controls, labels, frames and the locked doors are skipped.
  for (const controls::ControlId next :
       {Option2_0, Option2_1, Command1_1, Text2_0, Text2_1, Text1_0}) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), Widget(next))
        << Widget(next)->objectName().toStdString();
  }
}

TEST_F(WindowPlay, TheKeyboardAloneCanPlayAGame) {
  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window));
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  ASSERT_EQ(QApplication::focusWidget(), Widget(Option2_1));
  random->Doors({7});
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
  EXPECT_TRUE(Checked(Option2_1));
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  ASSERT_EQ(QApplication::focusWidget(), Widget(Command1_0));
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
  EXPECT_EQ(Record().Item(7), "0");

  Widget(Option2_0)->setFocus();
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
  EXPECT_TRUE(Widget(Option1(0))->isEnabled());
  Widget(Option1(kJackpot))->setFocus();
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
  EXPECT_EQ(session->Game().WinsCount(), 1);

  // The pick locked the door that had the focus, and the whole chooser:
  // the focus moves on to the next control that can take it.
  EXPECT_EQ(QApplication::focusWidget(), Widget(Command1_1));
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  EXPECT_EQ(QApplication::focusWidget(), Widget(Text2_0));
}

// A screen reader names what a door can do with Qt's words, which must be
// Bulgarian from its first word, before any menu has opened.
TEST_F(WindowPlay, AScreenReaderHearsQtsOwnWordsInBulgarian) {
  const QString press = QAccessibleActionInterface::pressAction();
  if (QCoreApplication::translate("QAccessibleActionInterface", qPrintable(press)) != press) {
    GTEST_SKIP() << "an earlier test in this process has loaded Qt's texts already";
  }
#ifndef ZIMARELA_REQUIRE_TEST_TOOLS
  if (!QFile::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath) +
                     QStringLiteral("/qtbase_bg.qm"))) {
    GTEST_SKIP() << "Qt's Bulgarian translations are not installed";
  }
#endif
  QAccessibleInterface* door = QAccessible::queryAccessibleInterface(Widget(Option1(0)));
  ASSERT_NE(door, nullptr);
  ASSERT_NE(door->actionInterface(), nullptr);
  // What the platform does when assistive tools come up.
  QAccessible::setActive(true);
  const QString heard = door->actionInterface()->localizedActionName(press);
  QAccessible::setActive(false);
  EXPECT_FALSE(heard.isEmpty());
  EXPECT_NE(heard.toStdString(), press.toStdString());
}

// Stands in for the box's own menu: on the context menu event, after the
// application has seen it, builds the menu the box would show and keeps its
// "Copy" text, then swallows the event so that no menu waits for a click.
class MenuAtContextEvent final : public QObject {
 public:
  explicit MenuAtContextEvent(QPlainTextEdit* box) : box_(box) {
    box->viewport()->installEventFilter(this);
  }

  QString copy_text;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::ContextMenu) return QObject::eventFilter(watched, event);
    const std::unique_ptr<QMenu> menu(box_->createStandardContextMenu());
    if (const QAction* copy = menu->findChild<QAction*>(QStringLiteral("edit-copy"))) {
      // The action's text carries its shortcut after a tab.
      copy_text = copy->text().section(QLatin1Char('\t'), 0, 0);
    }
    return true;
  }

 private:
  QPlainTextEdit* box_;
};

TEST_F(WindowPlay, TheResultBoxMenuSpeaksBulgarian) {
#ifndef ZIMARELA_REQUIRE_TEST_TOOLS
  // Qt's Bulgarian texts come with its translations, which the game needs
  // at run time but a build need not have.
  if (!QFile::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath) +
                     QStringLiteral("/qtbase_bg.qm"))) {
    GTEST_SKIP() << "Qt's Bulgarian translations are not installed";
  }
#endif
  auto* box = static_cast<QPlainTextEdit*>(Widget(Text1_0));
  const MenuAtContextEvent menu(box);
  const QPoint at = box->viewport()->rect().center();
  QContextMenuEvent event(QContextMenuEvent::Mouse, at, box->viewport()->mapToGlobal(at));
  QApplication::sendEvent(box->viewport(), &event);
  ASSERT_FALSE(menu.copy_text.isEmpty());
  EXPECT_NE(menu.copy_text, "&Copy");
  EXPECT_EQ(menu.copy_text, QCoreApplication::translate("QWidgetTextControl", "&Copy"));
}

TEST_F(WindowPlay, EveryControlButThePeekSpotHasAnAccessibleName) {
  for (const controls::ControlId id : controls::AllControls()) {
    if (id == Timer1 || id == List1) continue;
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(Widget(id));
    ASSERT_NE(accessible, nullptr);
    const QString name = accessible->text(QAccessible::Name);
    if (id == Label1_2) {
      EXPECT_TRUE(name.isEmpty());
    } else {
      EXPECT_FALSE(name.isEmpty()) << Widget(id)->objectName().toStdString();
    }
  }
  EXPECT_EQ(QAccessible::queryAccessibleInterface(Widget(Option1(0)))->role(),
            QAccessible::RadioButton);
  EXPECT_EQ(QAccessible::queryAccessibleInterface(Widget(Command1_1))->role(), QAccessible::Button);
}

}  // namespace
