// Runs the window tests headless: offscreen unless told otherwise, with a
// private runtime directory so Qt has nothing to complain about.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>
#include <cstdlib>

#include "desktop/startup_diagnostics.h"
#include "window_fixture.h"

int main(int argc, char* argv[]) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  const QTemporaryDir runtime_dir;
  if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
    qputenv("XDG_RUNTIME_DIR", runtime_dir.path().toLocal8Bit());
  }
  ::testing::InitGoogleTest(&argc, argv);
  const auto application = desktop::StartApplication(argc, argv);
  if (!application) return 1;
  testing_support::DesktopPalette() = QApplication::palette();
  const int status = RUN_ALL_TESTS();
  testing_support::DesktopPalette().reset();
  return status;
}
