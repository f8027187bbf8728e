// Forwards the player's clicks, selections and keys, and the peek timer's
// ticks, to the record's entry points, and redraws after each. No element
// keeps a change of its own: what an option button shows after a click is
// what the record says, not what the browser did. Which entry point a
// control's activation reaches is the record's to say.
import { drawRecord } from "./draw.js";

export function connectInput(view, session) {
  const { design, elements } = view;

  // The record's timer flag rules; enabling a running timer keeps its beat.
  let timer = null;
  function followTimer(enabled) {
    if (!enabled && timer !== null) {
      clearInterval(timer);
      timer = null;
    } else if (enabled && timer === null) {
      timer = setInterval(() => forward(() => session.tickTimer1()), design.timerInterval);
    }
  }

  function forward(entryPoint) {
    entryPoint();
    const states = session.states();
    drawRecord(view, states);
    followTimer(states[design.timerPosition].enabled);
  }

  // A command button or a label is activated by a click on it, an option
  // button through its mark (below); the other kinds never are.
  const kClicked = new Set(["commandButton", "label"]);
  for (const control of design.controls) {
    const activate = () => forward(() => session.activate(control.position));
    if (kClicked.has(control.kind)) {
      elements[control.position].addEventListener("click", activate);
      continue;
    }
    if (control.kind !== "optionButton") continue;
    const mark = elements[control.position].querySelector("input");
    // A click anywhere on the strip reaches the mark, as a label's click
    // does, and so does Space on the focused mark. The browser has already
    // marked it by then; the redraw puts back whatever the record says.
    mark.addEventListener("click", activate);
    // Arrows select nothing, as on the desktop.
    mark.addEventListener("keydown", (key) => {
      if (key.key.startsWith("Arrow")) key.preventDefault();
    });
  }
  forward(() => session.load());
}
