// Forwards the player's clicks, selections and keys, and the peek timer's
// ticks, to the record's entry points, and redraws after each. No element
// keeps a change of its own: what an option button shows after a click is
// what the record says, not what the browser did. Which entry point a
// control's activation reaches is the record's to say.
import { drawRecord } from "./draw.js";

// A command button or a label is activated by a click on it, an option
// button by a click anywhere on its strip; the other kinds never are.
const kActivated = new Set(["commandButton", "label", "optionButton"]);

// Until the game is live, the window lies under the cover the page is
// written with, so that no element answers a click the game has not seen:
// a door must not show itself chosen before the game says so. The cover
// holds each click, in order, as the control under it, found as the
// browser finds a click's target, disabled controls included: the window
// as written has the doors locked, yet a click on the direct choice and
// then on a door must reach the game as both.
export function holdClicks() {
  const cover = document.getElementById("cover");
  const held = [];
  cover.addEventListener("click", (event) => {
    const control = document.elementsFromPoint(event.clientX, event.clientY)
        .map((element) => element.closest("#window .control")).find(Boolean);
    if (control) held.push(control.id);
  });
  return { cover, held };
}

export function connectInput(view, session, holding) {
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

  const activations = new Map();
  for (const control of design.controls) {
    if (!kActivated.has(control.kind)) continue;
    const activate = () => forward(() => session.activate(control.position));
    activations.set(control.element, activate);
    if (control.kind !== "optionButton") {
      elements[control.position].addEventListener("click", activate);
      continue;
    }
    const button = elements[control.position].querySelector("input");
    // A click anywhere on the strip reaches the button, as a label's click
    // does, and so does Space on the focused button. The browser has
    // already marked it by then; the redraw puts back whatever the record
    // says.
    button.addEventListener("click", activate);
    // Arrows select nothing, as on the desktop.
    button.addEventListener("keydown", (key) => {
      if (key.key.startsWith("Arrow")) key.preventDefault();
    });
  }
  forward(() => session.load());
  // What was clicked before reaches the game now, in order, and within
  // this task, so no later click can come between.
  for (const element of holding.held.splice(0)) activations.get(element)?.();
  holding.cover.remove();
}
