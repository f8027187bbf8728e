// What the page does first, as soon as it has read the window it is
// written with: the window is drawn once its font is in, and the game
// compiles after that.

// A multi-line box lays its text out exactly as wide as the desktop
// window's does, whatever border and scroll bar this browser draws. This
// runs before anything has asked for the window's layout, so measuring one
// small box costs the first layout, which the window needs anyway, and the
// values set here arrive before the window is painted with them.
export function fitTextBoxes() {
  const root = document.documentElement;
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
}

// Runs `start` once the window is drawn, in a task of its own, so that
// compiling the game neither holds back the window nor waits on it. The
// page's modules run once it is read, so only the font is awaited; a face
// that failed to load leaves the browser's own serif, drawn all the same.
export function afterDrawn(start) {
  document.fonts.load(@WINDOW_FONT@).catch(() => {}).then(() => {
    document.documentElement.dataset.drawn = "";
    performance.mark("drawn");
    setTimeout(start);
  });
}
