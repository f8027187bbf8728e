// The page's one classic script, written into its body before the window.
// Every other script is an ES module, and a module runs only once its whole
// text is read; on a slow network the browser draws the window long before
// the game's script has arrived, and from that first frame on nothing the
// player does may be lost, done twice, or shown before the game says so.
//
// The page's module reaches what this script keeps through one handle, the
// `early` property of the cover element over the window:
//   early.drawn           settles once the window is read and its font in;
//   early.take(activate)  the game is live: each control activated so far
//                         goes to `activate` by its element name, in order
//                         and once, and so does every later click on the
//                         cover, which goes away once no press is down;
//   early.cannotRun()     the game cannot start in this browser: the result
//                         box says so, and the rest of the window is inert.
(() => {
  const root = document.documentElement;
  const cover = document.getElementById("cover");

  // The page's policy has the browser refuse anything the page does not
  // declare. What it refused, if anything ever is, stands on the root by
  // the directive that refused it, where a test or anyone inspecting the
  // page reads it in every browser: not every browser's driver can listen
  // from before the page's own scripts run.
  addEventListener("securitypolicyviolation", (event) => {
    root.dataset.refused = `${root.dataset.refused ?? ""} ${event.effectiveDirective}`.trim();
  });

  // A multi-line box lays its text out exactly as wide as the desktop
  // window's does, whatever border and scroll bar this browser draws.
  // Measured on one small box before the window is read, it costs one
  // cheap layout, and the window's first frame is already its last.
  const probe = document.createElement("textarea");
  probe.className = "control text-box multi-line";
  document.body.append(probe);
  const style = getComputedStyle(probe);
  const border = parseFloat(style.borderLeftWidth);
  const scrollBar = probe.offsetWidth - probe.clientWidth - border -
      parseFloat(style.borderRightWidth);
  probe.remove();
  root.style.setProperty("--field-border", `${border}px`);
  root.style.setProperty("--scroll-bar", `${scrollBar}px`);

  // The window is read once the browser has put anything after it, and at
  // the latest when the whole file is. A face that failed to load leaves
  // the browser's own serif, drawn all the same.
  const windowRead = new Promise((resolve) => {
    const read = () => {
      watch.disconnect();
      resolve();
    };
    const watch = new MutationObserver(() => {
      if (document.getElementById("window")?.nextSibling) read();
    });
    watch.observe(document.body, { childList: true });
    document.addEventListener("DOMContentLoaded", read, { once: true });
  });
  const drawn = Promise.all([windowRead, document.fonts.load(@WINDOW_FONT@).catch(() => {})])
      .then(() => {
        root.dataset.drawn = "";
        performance.mark("drawn");
      });

  let activate = null;
  let refused = false;
  let pressed = false;
  const held = [];
  function reach(control) {
    if (!control || refused) return;
    if (activate) {
      activate(control.id);
    } else {
      held.push(control.id);
    }
  }

  // Until the game is live, the cover takes every click and tap on the
  // window, as the control under it, found as the browser finds a click's
  // target, disabled controls included: the window as written has the
  // doors locked, yet a click on the direct choice and then on a door must
  // reach the game as both. A press on the cover does not move the focus.
  // A press made before the game is live and released after it would lose
  // its click if the cover went in between, so the cover stays until the
  // press is over, and its click then goes straight to the game.
  function uncover() {
    if (activate && !pressed) cover.remove();
  }
  cover.addEventListener("mousedown", (event) => event.preventDefault());
  cover.addEventListener("pointerdown", (event) => {
    if (event.button === 0) pressed = true;
  });
  // A press that never becomes a click must not keep the cover: it is over
  // once its pointer is up or cancelled, wherever that lands, and a press
  // whose end never came (released outside the browser's window, or lost
  // to another window) once the pointer shows no button down or the page
  // loses the focus. A click comes right after its pointer up, in the same
  // task, so the cover goes only once that click has had its turn.
  function pressOver(event) {
    if (!pressed || (event.type === "pointermove" && event.buttons & 1)) return;
    pressed = false;
    setTimeout(uncover);
  }
  for (const type of ["pointerup", "pointercancel", "pointermove"]) {
    addEventListener(type, pressOver, true);
  }
  addEventListener("blur", pressOver);
  cover.addEventListener("click", (event) => {
    pressed = false;
    reach(document.elementsFromPoint(event.clientX, event.clientY)
        .map((element) => element.closest("#window .control")).find(Boolean));
    uncover();
  });

  // A key that activates a control, Space on an option button or a button
  // or Enter on a button, and a screen reader's activation reach it as a
  // click the browser makes itself. Until the game is live that click is
  // held and the browser's own answer cancelled: an option button is not
  // shown selected until the game has selected it.
  function holdKeyClick(event) {
    const control = event.target instanceof Element && event.target.closest("#window .control");
    if (!control) return;
    event.preventDefault();
    event.stopImmediatePropagation();
    reach(control);
  }
  addEventListener("click", holdKeyClick, true);

  // Arrows select nothing on an option button, as on the desktop.
  addEventListener("keydown", (event) => {
    if (event.key.startsWith("Arrow") && event.target instanceof Element &&
        event.target.matches("#window input[type=radio]")) {
      event.preventDefault();
    }
  }, true);

  cover.early = {
    drawn,
    take(gameActivate) {
      if (refused || activate) return;
      removeEventListener("click", holdKeyClick, true);
      activate = gameActivate;
      for (const element of held.splice(0)) activate(element);
      uncover();
    },
    // The sentence stands in the result box, the control that takes the
    // first focus, with nothing over it, so that it can be selected and
    // copied. Every other control is taken out of reach, and every other
    // box emptied, the counters among them: nothing on the window pretends
    // to work or to count.
    cannotRun() {
      if (activate) return;
      refused = true;
      held.length = 0;
      removeEventListener("click", holdKeyClick, true);
      cover.remove();
      const box = document.getElementById(@NOTICE_BOX@);
      for (const control of document.querySelectorAll("#window .control")) {
        if (control === box) continue;
        control.inert = true;
        if (control.matches("input, textarea")) control.value = "";
      }
      box.value = @CANNOT_RUN@;
      box.focus({ preventScroll: true });
    },
  };
})();
