#include "window/control_widgets.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QTextBlock>
#include <algorithm>

#include "layout/layout.h"
#include "window/game_font.h"
#include "window/qt_color.h"
#include "window/qt_text.h"
#include "window/widgets.h"

namespace window {
namespace {

using controls::ControlId;
using controls::ControlKind;

QString ColorName(std::uint32_t rgb) { return ToColor(rgb).name(); }

// Qt breaks lines at LF; the record keeps CR LF.
QString ToDisplay(const std::string& text) {
  return ToQString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

// An ampersand would otherwise turn into a keyboard shortcut, which the
// window must not have.
QString Caption(const std::string& text) {
  return ToQString(text).replace(QLatin1Char('&'), QStringLiteral("&&"));
}

// A control without colours of its own keeps the toolkit's.
void PaintBackground(QWidget* widget, const layout::ControlLook& look) {
  if (!look.back && !look.fore) return;
  QPalette palette = widget->palette();
  if (look.back) palette.setColor(widget->backgroundRole(), ToColor(*look.back));
  if (look.fore) palette.setColor(widget->foregroundRole(), ToColor(*look.fore));
  widget->setPalette(palette);
  widget->setAutoFillBackground(look.back.has_value());
}

// A multi-line box that lays its text out within the table's insets,
// whatever frame and scroll bar the style draws, so that the result breaks
// its lines where the page breaks them.
class InsetTextBox final : public QPlainTextEdit {
 public:
  using QPlainTextEdit::QPlainTextEdit;

  // Call once the scroll bar policy is set. The document's margin keeps
  // the text off the frame on the left and at the top; whatever the right
  // inset leaves beyond the frame, the scroll bar and that margin becomes
  // a margin of the viewport.
  void KeepInsets() {
    const int frame = frameWidth();
    const int margin = layout::kTextInsetPixels - frame;
    document()->setDocumentMargin(margin);
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, verticalScrollBar());
    setViewportMargins(0, 0, std::max(0, layout::kTextRightInsetPixels - frame - bar - margin), 0);
  }

 protected:
  // A text set before the box had its size is laid out only as the box is
  // first painted, and only then does the scroll bar learn the text's
  // height: it would be painted again, in a frame of its own that waits for
  // the display server to take the first (a tenth of the start-up). Laid
  // out as the box is shown, with its size, text and scroll bar reach the
  // screen together. A text set later is laid out as it is set.
  void showEvent(QShowEvent* event) override {
    QPlainTextEdit::showEvent(event);
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
      (void)blockBoundingRect(block);
    }
  }
};

QWidget* CreateTextBox(ControlId id, QWidget* parent) {
  if (!layout::IsMultiLine(id)) {
    auto* line = new QLineEdit(parent);
    line->setReadOnly(true);
    line->setAlignment(Qt::AlignCenter);
    line->setAccessibleName(ToQString(layout::AccessibleName(id)));
    return line;
  }
  auto* box = new InsetTextBox(parent);
  box->setReadOnly(true);
  // Read-only still lets the player select, copy and scroll with the keys.
  box->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  box->setFocusPolicy(Qt::StrongFocus);
  box->setTabChangesFocus(true);
  box->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  box->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  box->setAccessibleName(ToQString(layout::AccessibleName(id)));
  box->KeepInsets();
  return box;
}

QWidget* CreateCommandButton(const layout::ControlLook& look, QWidget* parent) {
  auto* button = new QPushButton(parent);
  button->setAutoDefault(false);
  // A style sheet is the one way every Qt style paints a button in exactly
  // its own colour rather than the theme's.
  const std::uint32_t back = look.back.value_or(layout::kButtonFace);
  button->setStyleSheet(QStringLiteral("QPushButton { background-color: %1; border: 1px solid "
                                       "%2; border-radius: 2px; }"
                                       "QPushButton:pressed { background-color: %3; }"
                                       "QPushButton:focus { border: 2px solid %4; }"
                                       "QPushButton:disabled { color: %5; }")
                            .arg(ColorName(back), ColorName(layout::kButtonBorder),
                                 ColorName(layout::Pressed(back)), ColorName(layout::kFocusRing),
                                 ColorName(layout::kDimmedText)));
  return button;
}

QWidget* CreateFrame(const layout::ControlLook& look, QWidget* parent) {
  auto* frame = new QGroupBox(parent);
  // Fusion shades a group box's inside; a frame here is exactly the
  // window's colour, with its caption set into the top edge.
  const QString back = ColorName(look.back.value_or(layout::kWindowBack));
  frame->setStyleSheet(QStringLiteral("QGroupBox { background-color: %1; border: 1px solid %2; "
                                      "border-radius: 2px; margin-top: %3px; }"
                                      "QGroupBox::title { subcontrol-origin: margin; left: %4px; "
                                      "padding: 0px 2px; background-color: %1; }"
                                      "QGroupBox:disabled, QRadioButton:disabled { color: %5; }")
                           .arg(back, ColorName(layout::kFrameBorder))
                           .arg(layout::kFrameBorderTopPixels)
                           .arg(layout::kFrameCaptionLeftPixels)
                           .arg(ColorName(layout::kDimmedText)));
  return frame;
}

QWidget* CreateLabel(QWidget* parent) {
  auto* label = new ClickableLabel(parent);
  label->setTextFormat(Qt::PlainText);
  label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  label->setWordWrap(true);
  // A label belongs to the window's own surface: any control it touches,
  // such as the counter box beside "Игри:", draws over it.
  label->lower();
  return label;
}

QWidget* CreateByKind(ControlId id, const layout::ControlLook& look, QWidget* parent) {
  switch (controls::Info(id).kind) {
    case ControlKind::TextBox:
      return CreateTextBox(id, parent);
    case ControlKind::ListBox: {
      auto* list = new QListWidget(parent);
      list->setSortingEnabled(false);
      list->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
      return list;
    }
    case ControlKind::CommandButton:
      return CreateCommandButton(look, parent);
    case ControlKind::Frame:
      return CreateFrame(look, parent);
    case ControlKind::OptionButton:
      return new RecordOptionButton(parent);
    case ControlKind::Label:
      return CreateLabel(parent);
    case ControlKind::Timer:
      break;
  }
  return nullptr;
}

// Sets a text only when it differs, so that a redraw keeps scroll
// positions, selections and the layout Qt has already done.
template <typename Widget>
void Update(QWidget* widget, QString (Widget::*get)() const, void (Widget::*set)(const QString&),
            const QString& wanted) {
  auto* typed = static_cast<Widget*>(widget);
  if ((typed->*get)() != wanted) (typed->*set)(wanted);
}

}  // namespace

QWidget* CreateControlWidget(ControlId id, QWidget* parent) {
  const layout::ControlLook& look = layout::LookOf(id);
  QWidget* widget = CreateByKind(id, look, parent);
  // Set on every control: a style sheet on a frame would otherwise hand
  // the controls inside it the application's font instead of the window's.
  widget->setFont(GameFont(layout::FontPixelsOf(id)));
  const layout::PixelRect rect = layout::RectOf(id);
  widget->setGeometry(rect.left, rect.top, rect.width, rect.height);
  if (controls::Info(id).kind != ControlKind::CommandButton) PaintBackground(widget, look);
  widget->setObjectName(QString::fromStdString(layout::ElementName(id)));
  return widget;
}

void ApplyState(ControlId id, const controls::ControlState& state, QWidget* widget) {
  switch (controls::Info(id).kind) {
    case ControlKind::TextBox:
      if (qobject_cast<QLineEdit*>(widget) != nullptr) {
        Update(widget, &QLineEdit::text, &QLineEdit::setText, ToQString(state.text));
      } else {
        Update(widget, &QPlainTextEdit::toPlainText, &QPlainTextEdit::setPlainText,
               ToDisplay(state.text));
      }
      break;
    case ControlKind::ListBox: {
      auto* list = static_cast<QListWidget*>(widget);
      bool same = list->count() == static_cast<int>(state.items.size());
      for (int i = 0; same && i < list->count(); ++i) {
        same = list->item(i)->text() == ToQString(state.items[static_cast<std::size_t>(i)]);
      }
      if (!same) {
        list->clear();
        for (const std::string& item : state.items) list->addItem(ToQString(item));
      }
      break;
    }
    case ControlKind::CommandButton:
      Update(widget, &QPushButton::text, &QPushButton::setText, Caption(state.text));
      break;
    case ControlKind::Frame:
      Update(widget, &QGroupBox::title, &QGroupBox::setTitle, Caption(state.text));
      break;
    case ControlKind::OptionButton:
      Update(widget, &QRadioButton::text, &QRadioButton::setText, Caption(state.text));
      static_cast<QRadioButton*>(widget)->setChecked(state.selected);
      break;
    case ControlKind::Label:
      Update(widget, &QLabel::text, &QLabel::setText, ToQString(state.text));
      break;
    case ControlKind::Timer:
      return;
  }
  widget->setEnabled(state.enabled);
  widget->setVisible(state.visible);
}

}  // namespace window
