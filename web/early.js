// Runs before the window is read: the window the page is written with
// is drawn as soon as it is parsed and its font is in, and the game
// compiles after that. Until the game answers, a click on the window is
// held, not lost, and reaches the game, in order, once it is live. The
// browser's own answer is held back with it: a door must not show itself
// chosen before the game says so.
const earlyPage = (() => {
  const root = document.documentElement;
  // A multi-line box lays its text out exactly as wide as the desktop
  // window's does, whatever border and scroll bar this browser draws.
  // Measured on one small box before the window is read, it costs one
  // cheap layout; measured on the window's own, a second whole one.
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

  const held = [];
  function hold(event) {
    if (!(event.target instanceof Element) || !event.target.closest("#window")) return;
    event.preventDefault();
    event.stopImmediatePropagation();
    held.push(event.target);
  }
  addEventListener("click", hold, true);

  // A face that failed to load leaves the browser's own serif, drawn all
  // the same.
  const fontIn = document.fonts.load(@WINDOW_FONT@).catch(() => {});
  const parsed = new Promise((resolve) => {
    document.addEventListener("readystatechange", resolve, { once: true });
  });
  const drawn = Promise.all([fontIn, parsed]).then(() => {
    root.dataset.drawn = "";
    performance.mark("drawn");
  });

  return {
    // Runs `start` once the window is drawn, in a task of its own, so that
    // compiling the game neither holds back the window nor waits on it.
    afterDrawn(start) {
      drawn.then(() => setTimeout(start));
    },
    // The game answers from here on; what was clicked before reaches it.
    live() {
      removeEventListener("click", hold, true);
      for (const target of held.splice(0)) target.click();
      root.dataset.live = "";
    },
  };
})();
