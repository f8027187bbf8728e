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

RecordOptionButton::RecordOptionButton(QWidget* parent) : KeptLookRadioButton(parent) {
  setAutoExclusive(false);
}

namespace {

class OptionButtonAccessible final : public QAccessibleWidget {
 public:
  explicit OptionButtonAccessible(QWidget* widget)
      : QAccessibleWidget(widget, QAccessible::RadioButton) {}

  QString text(QAccessible::Text kind) const override {
    if (kind == QAccessible::Name) return Button()->text();
    return QAccessibleWidget::text(kind);
  }

  QAccessible::State state() const override {
    QAccessible::State state = QAccessibleWidget::state();
    state.checkable = true;
    state.checked = Button()->isChecked();
    return state;
  }

  QStringList actionNames() const override {
    return Button()->isEnabled() ? QStringList{pressAction()} : QStringList{};
  }

  void doAction(const QString& action) override {
    if (action == pressAction() && Button()->isEnabled()) Button()->click();
  }

 private:
  QAbstractButton* Button() const { return static_cast<QAbstractButton*>(widget()); }
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
  QAccessible::installFactory(&OptionButtonFactory);
}

}  // namespace window
