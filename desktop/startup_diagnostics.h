// Starting the application where a display may be missing or refuse: one
// plain sentence and the cause instead of Qt's own abort.
#pragma once

#include <QApplication>
#include <memory>

namespace desktop {

// Creates the application. Where no display is named it prints one
// sentence and returns nothing, and the caller ends the program with
// status 1. Where Qt cannot start on the display or platform named, it
// prints the same sentence and the one line of Qt's own report that names
// the cause, and exits with status 1 at once, since Qt cannot go on; Qt on
// its own prints six lines and aborts.
std::unique_ptr<QApplication> StartApplication(int& argc, char** argv);

}  // namespace desktop
