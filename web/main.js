// Starts the game in the window the page was written with, once that is
// drawn (early.js). The module is compiled at once rather than in the
// background: the window is live within the task that starts it, and
// clicks held until then reach it in order.
import { adoptWindow, focusControl } from "./draw.js";
import { connectInput } from "./input.js";

// The module's calls, by what they do; the two readers hand over JSON text.
function sessionOf(module) {
  const read = (reader) => JSON.parse(module.UTF8ToString(reader()));
  return {
    design: () => read(module._describeWindow),
    states: () => read(module._states),
    load: module._load,
    activate: module._activate,
    tickTimer1: module._tickTimer1,
  };
}

function start(module) {
  const session = sessionOf(module);
  const design = session.design();
  const view = adoptWindow(document.getElementById("window"), design);
  connectInput(view, session);
  focusControl(view, design.firstFocus);
  earlyPage.live();
}

// The compiled game's one name on the page: its script, which comes
// before this one, defines the factory that makes the module.
earlyPage.afterDrawn(() => {
  globalThis.Zimarela({
    onRuntimeInitialized() {
      start(this);
    },
  });
});
