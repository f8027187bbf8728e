#include "window/widgets.h"

#include <QAccessibleWidget>
#include <QMouseEvent>

namespace window {

void ClickableLabel::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) pressed_ = true;
  QLabel::mousePressEvent(event);
}

void ClickableLabel::mouseReleaseEvent(QMouseEvent* event) {
  const bool click =
      pressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
  pressed_ = false;
  QLabel::mouseReleaseEvent(event);
  if (click) emit clicked();
}

RecordOptionButton::RecordOptionButton(QWidget* parent) : QRadioButton(parent) {
  setAutoExclusive(false);
}

namespace {

class OptionButtonAccessible final : public QAccessibleWidget {
 public:
  explicit OptionButtonAccessible(QWidget* widget)
      : QAccessibleWidget(widget, QAccessible::RadioButton) {}

  // Qt keeps an interface until it learns that its widget is gone, and an
  // assistive tool may ask in between; a gone button has no name, no state
  // and no action.
  QString text(QAccessible::Text kind) const override {
    const QAbstractButton* button = Button();
    if (button == nullptr) return {};
    if (kind == QAccessible::Name) return button->text();
    return QAccessibleWidget::text(kind);
  }

  QAccessible::State state() const override {
    const QAbstractButton* button = Button();
    if (button == nullptr) return {};
    QAccessible::State state = QAccessibleWidget::state();
    state.checkable = true;
    state.checked = button->isChecked();
    return state;
  }

  QStringList actionNames() const override {
    const QAbstractButton* button = Button();
    return button != nullptr && button->isEnabled() ? QStringList{pressAction()} : QStringList{};
  }

  void doAction(const QString& action) override {
    QAbstractButton* button = Button();
    if (button != nullptr && action == pressAction() && button->isEnabled()) button->click();
  }

 private:
  QAbstractButton* Button() const { return qobject_cast<QAbstractButton*>(object()); }
};

QAccessibleInterface* OptionButtonFactory(const QString& class_name, QObject* object) {
  if (class_name == QLatin1String(RecordOptionButton::staticMetaObject.className()) &&
      object->isWidgetType()) {
    return new OptionButtonAccessible(static_cast<QWidget*>(object));
  }
  return nullptr;
}

}  // namespace

void RecordOptionButton::InstallAccessibility() {
  static const bool installed = [] {
    QAccessible::installFactory(&OptionButtonFactory);
    return true;
  }();
  (void)installed;
}

}  // namespace window
