// What the window looks like: geometry, colours on the real pixels, fonts
// and captions that fit. The suite also runs at scale factors 1.5 and 2.
#include <QAbstractButton>
#include <QFontInfo>
#include <QGroupBox>
#include <QIcon>
#include <QImage>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTextDocument>

#include "app/game_window.h"
#include "layout/layout.h"
#include "layout/twips.h"
#include "window/client_area.h"
#include "window_fixture.h"

namespace {

using controls::Option1;
using enum controls::ControlId;
using testing_support::ShownWindow;

TEST(Twips, FifteenMakeOnePixel) {
  EXPECT_EQ(layout::TwipsToPixels(0), 0);
  EXPECT_EQ(layout::TwipsToPixels(15), 1);
  EXPECT_EQ(layout::TwipsToPixels(7110), 474);
  EXPECT_EQ(layout::TwipsToPixels(5310), 354);
  EXPECT_EQ(layout::TwipsToPixels(7), 0);
  EXPECT_EQ(layout::TwipsToPixels(8), 1);
  EXPECT_EQ(layout::TwipsToPixels(-15), -1);
}

using WindowLayout = ShownWindow;

TEST_F(WindowLayout, TheWindowHasAFixedClientAreaAndOnlyACloseBox) {
  EXPECT_EQ(window->size(), QSize(474, 354));
  EXPECT_EQ(window->minimumSize(), window->maximumSize());
  const Qt::WindowFlags flags = top_level->windowFlags();
  EXPECT_TRUE(flags.testFlag(Qt::WindowCloseButtonHint));
  EXPECT_FALSE(flags.testFlag(Qt::WindowMinimizeButtonHint));
  EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
}

// The program compiles its icon in rather than reading the file the icon
// theme and the packages take; the window, task bar and menus must still
// get that file's picture, at every size they ask for.
TEST_F(WindowLayout, TheIconIsItsSourcePictureAtEverySize) {
  const QIcon source(QStringLiteral(ZIMARELA_ICON_SOURCE));
  ASSERT_EQ(source.availableSizes(), QList<QSize>{QSize(32, 32)});
  const QIcon shown = top_level->windowIcon();
  EXPECT_EQ(shown.availableSizes(), source.availableSizes());
  for (const int size : {16, 22, 24, 32, 48, 64}) {
    EXPECT_EQ(shown.pixmap(size).toImage().convertToFormat(QImage::Format_ARGB32),
              source.pixmap(size).toImage().convertToFormat(QImage::Format_ARGB32))
        << size;
  }
}

// Pixels at 96 dpi, worked out from the design in twips by hand.
TEST_F(WindowLayout, EveryControlStandsWhereTheDesignPutsIt) {
  const std::pair<controls::ControlId, QRect> expected[] = {
      {Text2_1, {384, 192, 57, 27}},     {Text2_0, {216, 192, 57, 27}},
      {List1, {424, 32, 49, 99}},        {Command1_1, {304, 112, 121, 33}},
      {Command1_0, {160, 112, 121, 33}}, {Frame2, {184, 40, 217, 65}},
      {Option2_1, {8, 40, 201, 20}},     {Option2_0, {8, 20, 201, 20}},
      {Frame1, {16, 32, 129, 185}},      {Option1_7, {8, 160, 113, 20}},
      {Option1_0, {8, 20, 113, 20}},     {Option1_3, {8, 80, 113, 20}},
      {Text1_1, {40, 216, 449, 121}},    {Text1_0, {8, 224, 449, 121}},
      {Label1_4, {296, 192, 89, 25}},    {Label1_3, {152, 192, 65, 25}},
      {Label1_2, {448, 0, 25, 25}},      {Label1_1, {152, 152, 305, 33}},
      {Label1_0, {80, 0, 305, 25}},
  };
  for (const auto& [id, rect] : expected) {
    EXPECT_EQ(Widget(id)->geometry(), rect) << Widget(id)->objectName().toStdString();
  }
  EXPECT_EQ(Widget(Option1(4))->parentWidget(), Widget(Frame1));
  EXPECT_EQ(Widget(Option2_0)->parentWidget(), Widget(Frame2));
}

TEST_F(WindowLayout, TheFontIsTimesNewRomanOrItsMetricTwin) {
  for (const controls::ControlId id : {Label1_0, Option1_0, Command1_1, Text1_0, Label1_1}) {
    const QFontInfo info(Widget(id)->font());
    EXPECT_TRUE(info.family() == "Times New Roman" || info.family() == "Liberation Serif" ||
                info.family() == "Tinos")
        << Widget(id)->objectName().toStdString() << ": " << info.family().toStdString();
    EXPECT_FALSE(info.italic());
    EXPECT_EQ(info.weight(), QFont::Normal);
  }
  EXPECT_EQ(QFontInfo(Widget(Label1_0)->font()).pixelSize(), 16);
  EXPECT_EQ(QFontInfo(Widget(Label1_1)->font()).pixelSize(), 13);
}

TEST_F(WindowLayout, NoCaptionIsClipped) {
  for (const controls::ControlId id : controls::AllControls()) {
    const controls::ControlKind kind = controls::Info(id).kind;
    QWidget* widget = id == Timer1 ? nullptr : Widget(id);
    const QFontMetrics metrics(widget != nullptr ? widget->font() : QFont());
    if (kind == controls::ControlKind::OptionButton) {
      auto* button = static_cast<QRadioButton*>(widget);
      QStyleOptionButton option;
      option.initFrom(button);
      const int mark = button->style()->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, &option) +
                       button->style()->pixelMetric(QStyle::PM_RadioButtonLabelSpacing, &option);
      EXPECT_LE(mark + metrics.horizontalAdvance(button->text()), button->width())
          << button->text().toStdString();
      EXPECT_LE(metrics.height(), button->height());
    } else if (kind == controls::ControlKind::CommandButton) {
      auto* button = static_cast<QPushButton*>(widget);
      EXPECT_LT(metrics.horizontalAdvance(button->text()) + 8, button->width());
    } else if (kind == controls::ControlKind::Label && id != Label1_2) {
      auto* label = static_cast<QLabel*>(widget);
      const QRect needed = metrics.boundingRect(QRect(0, 0, label->width(), 1000),
                                                Qt::TextWordWrap | Qt::AlignHCenter, label->text());
      EXPECT_LE(needed.height(), label->height()) << label->text().toStdString();
    } else if (kind == controls::ControlKind::Frame) {
      auto* frame = static_cast<QGroupBox*>(widget);
      EXPECT_LT(metrics.horizontalAdvance(frame->title()) + 16, frame->width());
    }
  }
}

// The web page lays the result out in the same width, from the same
// figures; if the style's frame or scroll bar changed, lines would break
// differently there.
TEST_F(WindowLayout, TheResultWrapsInsideTheInsetsEveryFrontEndUses) {
  const auto* box = static_cast<QPlainTextEdit*>(Widget(Text1_0));
  const int margin = static_cast<int>(box->document()->documentMargin());
  const QRect text = box->viewport()->geometry().adjusted(margin, margin, -margin, 0);
  EXPECT_EQ(text.left(), layout::kTextInsetPixels);
  EXPECT_EQ(text.top(), layout::kTextInsetPixels);
  EXPECT_EQ(box->width() - 1 - text.right(), layout::kTextRightInsetPixels);
}

// The result box's scroll bar must know how tall its text is before the
// box is first painted, when the window opens and when a pick writes the
// lesson; learnt only while painting, it would be painted again in a frame
// of its own, after the rest of the window.
TEST_F(WindowLayout, TheResultBoxKnowsItsScrollRangeBeforeItIsPainted) {
  const auto range = [](QWidget* box) {
    return static_cast<QPlainTextEdit*>(box)->verticalScrollBar()->maximum();
  };
  const auto settled = [](QWidget* shown) {
    EXPECT_TRUE(QTest::qWaitForWindowExposed(shown));
    QCoreApplication::processEvents();
  };

  auto script = std::make_unique<testing_support::ScriptedRandom>();
  script->Doors({kJackpot});
  game::Session opening(std::move(script));
  app::GameWindow shown = app::BuildGameWindow(opening);
  QWidget* intro_box = shown.client_area->WidgetOf(Text1_0);
  const testing_support::ShownTopLevel top = testing_support::Shown(std::move(shown.top_level));
  const int intro_range = range(intro_box);
  settled(top.get());
  EXPECT_EQ(intro_range, range(intro_box)) << "the introduction";

  ClickOption(Option2_0);
  ClickOption(Option1(kJackpot == 0 ? 1 : 0));
  ASSERT_NE(Record().State(Text1_0).text.find("1/3"), std::string::npos) << "a loss";
  const int lesson_range = range(Widget(Text1_0));
  EXPECT_GT(lesson_range, 0);
  settled(top_level.get());
  EXPECT_EQ(lesson_range, range(Widget(Text1_0))) << "the lesson";
}

TEST_F(WindowLayout, TheSponsorNoticeWrapsOntoTwoLines) {
  auto* notice = static_cast<QLabel*>(Widget(Label1_1));
  const QFontMetrics metrics(notice->font());
  const QRect needed = metrics.boundingRect(QRect(0, 0, notice->width(), 1000),
                                            Qt::TextWordWrap | Qt::AlignHCenter, notice->text());
  EXPECT_EQ(qRound(needed.height() / static_cast<double>(metrics.lineSpacing())), 2);
  EXPECT_LE(needed.height(), notice->height());
}

class WindowPixels : public ShownWindow {
 protected:
  void Grab() {
    image = window->grab().toImage();
    ratio = image.devicePixelRatio();
    ASSERT_EQ(image.width(), qRound(474 * ratio));
  }

  // The colour at a point given in the window's device-independent pixels.
  QRgb At(QPoint point) const {
    return image.pixel(qFloor(point.x() * ratio), qFloor(point.y() * ratio)) & 0xFFFFFFU;
  }

  QPoint InWindow(controls::ControlId id, QPoint local) const {
    return Widget(id)->mapTo(window, local);
  }

  QImage image;
  qreal ratio = 1.0;
};

TEST_F(WindowPixels, ThePeekSpotCannotBeToldFromTheWindow) {
  Grab();
  const QRect spot = Widget(Label1_2)->geometry();
  for (int y = spot.top(); y <= spot.bottom(); ++y) {
    for (int x = spot.left(); x <= spot.right(); ++x) {
      ASSERT_EQ(At({x, y}), 0xC0C0FFU) << x << "," << y;
    }
  }
  EXPECT_EQ(At({spot.left() - 2, spot.bottom() + 2}), 0xC0C0FFU);
}

TEST_F(WindowPixels, EachControlShowsItsOwnColour) {
  Grab();
  // Points inside each control but clear of its caption and border.
  EXPECT_EQ(At(InWindow(Option1(0), {108, 10})), 0xC0FFFFU);
  EXPECT_EQ(At(InWindow(Option1(7), {108, 10})), 0xC0FFFFU);
  EXPECT_EQ(At(InWindow(Option2_1, {196, 10})), 0xFFC0FFU);
  EXPECT_EQ(At(InWindow(Command1_0, {5, 5})), 0x80FF80U);
  EXPECT_EQ(At(InWindow(Command1_1, {5, 5})), 0xFF8080U);
  EXPECT_EQ(At(InWindow(Label1_0, {3, 12})), 0xFFC080U);
  EXPECT_EQ(At(InWindow(Label1_3, {3, 20})), 0xFFE0C0U);
  EXPECT_EQ(At(InWindow(Label1_4, {3, 20})), 0xFFE0C0U);
  EXPECT_EQ(At({3, 100}), 0xC0C0FFU);
  EXPECT_EQ(At(InWindow(Frame1, {124, 100})), 0xC0C0FFU);
}

// "Игри:" reaches one pixel into the games box; the box's border stays.
TEST_F(WindowPixels, LabelsLieBeneathTheControlsTheyTouch) {
  Grab();
  const QRect label = Widget(Label1_3)->geometry();
  const QRect box = Widget(Text2_0)->geometry();
  ASSERT_TRUE(label.intersects(box));
  EXPECT_NE(At({box.left(), box.center().y()}), 0xFFE0C0U);
  EXPECT_EQ(At({box.left() - 1, box.center().y()}), 0xFFE0C0U);
}

TEST_F(WindowPixels, TheSponsorNoticeShowsOrangeOnPaleYellow) {
  for (const int door : {0, 1, 2, 3, 4}) AskHost(door);
  Grab();
  const QRect notice = Widget(Label1_1)->geometry();
  EXPECT_EQ(At(notice.topLeft() + QPoint(1, 1)), 0xFFFFC0U);
  EXPECT_EQ(At(notice.bottomRight() - QPoint(1, 1)), 0xFFFFC0U);
  int orange = 0;
  for (int y = notice.top(); y <= notice.bottom(); ++y) {
    for (int x = notice.left(); x <= notice.right(); ++x) {
      if (At({x, y}) == 0xFF8000U) ++orange;
    }
  }
  EXPECT_GT(orange, 20) << "the notice's text should be drawn in #FF8000";
}

// Where two pictures of the same size first differ, as "x,y", or "" when
// every pixel is the same.
std::string FirstDifference(const QImage& a, const QImage& b) {
  if (a.size() != b.size()) return "sizes differ";
  for (int y = 0; y < a.height(); ++y) {
    for (int x = 0; x < a.width(); ++x) {
      if (a.pixel(x, y) != b.pixel(x, y)) return std::to_string(x) + "," + std::to_string(y);
    }
  }
  return "";
}

// An option button shows each look it has drawn once again from memory; in
// every state it must still show what Qt draws for a plain radio button
// with the same colours, font, caption and state.
TEST_F(WindowPixels, AnOptionButtonLooksAsQtDrawsItInEveryState) {
  auto* door = static_cast<QRadioButton*>(Widget(Option1(0)));
  QRadioButton twin(door->parentWidget());
  twin.setAutoExclusive(false);
  twin.setGeometry(door->geometry());
  twin.setPalette(door->palette());
  twin.setAutoFillBackground(door->autoFillBackground());
  twin.setFont(door->font());
  twin.show();

  struct Look {
    const char* caption;
    bool checked;
    bool enabled;
    bool focused;
  };
  // Back to the first look at the end, which is then shown from memory.
  const Look looks[] = {{"Врата 1", false, true, false},  {"Врата 1", true, true, false},
                        {"Врата 1", true, true, true},    {"Врата 1", true, false, false},
                        {"Врата 1", false, false, false}, {"Зелка!", false, false, false},
                        {"Врата 1", false, true, true},   {"Врата 1", false, true, false}};
  for (const Look& look : looks) {
    SCOPED_TRACE(testing::Message() << look.caption << " checked " << look.checked << " enabled "
                                    << look.enabled << " focused " << look.focused);
    for (QRadioButton* button : {door, &twin}) {
      button->setText(QString::fromUtf8(look.caption));
      button->setChecked(look.checked);
      button->setEnabled(look.enabled);
    }
    const auto shown = [&](QWidget* button) {
      if (look.focused) {
        button->setFocus(Qt::TabFocusReason);
      } else {
        Widget(Command1_1)->setFocus(Qt::TabFocusReason);
      }
      return button->grab().toImage();
    };
    const QImage drawn = shown(door);
    EXPECT_EQ(FirstDifference(drawn, shown(&twin)), "");
    EXPECT_EQ(FirstDifference(shown(door), drawn), "") << "shown again from memory";
  }
}

int Luminance(QRgb colour) {
  return (299 * qRed(colour) + 587 * qGreen(colour) + 114 * qBlue(colour)) / 1000;
}

// The game's own title bar, as it draws it where the compositor leaves the
// title bar to the program.
class OwnTitleBar : public ::testing::Test {
 protected:
  struct Look {
    QRgb back;
    int darkest = 255;
    int brightest = 0;
  };

  // The title bar is what holds the one button outside the client area.
  QWidget* Title() const {
    const auto* client = frame->findChild<window::ClientArea*>();
    for (QAbstractButton* button : frame->findChildren<QAbstractButton*>()) {
      if (!client->isAncestorOf(button)) return button->parentWidget();
    }
    return nullptr;
  }

  // The bar's colour beside the close box, and the range of the caption.
  Look Photograph() const {
    QWidget* title = Title();
    const QImage image = title->grab().toImage();
    const qreal ratio = image.devicePixelRatio();
    Look look{image.pixel(qFloor((title->width() - 40) * ratio), qFloor(2 * ratio)) & 0xFFFFFFU};
    for (int y = 4; y < title->height() - 4; ++y) {
      for (int x = 30; x < 110; ++x) {
        const int luminance = Luminance(image.pixel(qFloor(x * ratio), qFloor(y * ratio)));
        look.darkest = std::min(look.darkest, luminance);
        look.brightest = std::max(look.brightest, luminance);
      }
    }
    return look;
  }

  game::Session session;
  std::unique_ptr<QWidget> frame = app::BuildGameWindow(session, /*own_title_bar=*/true).top_level;
};

// A compositor without a keyboard activates nothing; ctest runs this on
// X11 and offscreen.
TEST_F(OwnTitleBar, FadesWhileTheWindowIsInactiveAndStaysReadable) {
  ASSERT_NE(Title(), nullptr);
  frame->show();
  frame->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get()));
  const Look active = Photograph();

  QWidget other;
  other.resize(60, 40);
  other.show();
  other.activateWindow();
  ASSERT_TRUE(QTest::qWaitFor([&] { return !frame->isActiveWindow(); }, 30000));
  const Look inactive = Photograph();

  EXPECT_NE(active.back, inactive.back);
  EXPECT_GT(Luminance(inactive.back), Luminance(active.back)) << "an inactive bar fades";
  for (const Look& look : {active, inactive}) {
    EXPECT_GT(look.brightest - look.darkest, 120) << "the caption must stay readable";
  }
}

}  // namespace
