// Start-up probe: a bare Qt window of the same size, font and widgets as
// the game's (the same number of each kind), with no game, no record, no
// colours and no style sheets: what the toolkit itself costs.
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

#include "first_paint.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  QWidget window;
  window.setFixedSize(474, 354);
  QFont font(QStringLiteral("Times New Roman"));
  font.setPixelSize(16);
  window.setFont(font);

  const QString text = QStringLiteral("Врата");
  for (int i = 0; i < 2; ++i) new QLineEdit(text, &window);
  auto* list = new QListWidget(&window);
  for (int i = 0; i < 8; ++i) list->addItem(QStringLiteral("1"));
  list->hide();
  for (int i = 0; i < 2; ++i) new QPushButton(text, &window);
  auto* chooser = new QGroupBox(text, &window);
  for (int i = 0; i < 2; ++i) new QRadioButton(text, chooser);
  auto* doors = new QGroupBox(text, &window);
  for (int i = 0; i < 8; ++i) {
    (new QRadioButton(text, doors))->setGeometry(8, 20 + 20 * i, 113, 20);
  }
  for (int i = 0; i < 2; ++i)
    (new QPlainTextEdit(text.repeated(60), &window))->setGeometry(8, 224, 449, 121);
  for (int i = 0; i < 5; ++i) new QLabel(text, &window);

  const bench::FirstPaint probe(&window);
  window.show();
  return QApplication::exec();
}
