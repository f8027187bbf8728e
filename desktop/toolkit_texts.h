// Qt's own texts, such as those of a text box's context menu or the names
// a screen reader gives a control's actions, in the game's language.
#pragma once

namespace desktop {

// Call once the QApplication exists. Qt's own words appear only in context
// menus and to assistive tools, so the translation is read when either
// first needs it rather than at start-up, where reading it delayed the
// first frame.
void LoadToolkitTextsOnDemand();

}  // namespace desktop
