// Qt's own texts, such as those of a text box's context menu, in the game's
// language.
#pragma once

namespace window {

// Call once the QApplication exists. The context menus are the only place
// the window shows Qt's own words, so the translation is read just before
// the first one opens rather than at start-up, where reading it delayed the
// first frame.
void LoadToolkitTextsBeforeFirstMenu();

}  // namespace window
