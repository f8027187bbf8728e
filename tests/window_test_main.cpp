// Runs the window tests headless: offscreen unless told otherwise, with a
// private runtime directory so Qt has nothing to complain about.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>
#include <cstdio>
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
  int status = RUN_ALL_TESTS();
  testing_support::DesktopPalette().reset();
  // A filter that matches nothing, a test renamed say, would otherwise
  // pass a route that has tested nothing.
  if (!GTEST_FLAG_GET(list_tests) && ::testing::UnitTest::GetInstance()->test_to_run_count() == 0) {
    std::fputs("No window test matches the filter: nothing was tested.\n", stderr);
    status = 1;
  }
  return status;
}
