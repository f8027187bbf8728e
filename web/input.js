// Forwards the player's clicks, selections and keys, and the peek timer's
// ticks, to the record's entry points, and redraws after each. No element
// keeps a change of its own: what an option button shows after a click is
// what the record says, not what the browser did. Which entry point a
// control's activation reaches is the record's to say.
import { drawRecord } from "./draw.js";
import { kKinds } from "./kinds.mjs";

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

  // Each kind that the player activates says how (kinds.mjs).
  const activations = new Map();
  for (const control of design.controls) {
    const { listen } = kKinds[control.kind];
    if (!listen) continue;
    const activate = () => forward(() => session.activate(control.position));
    activations.set(control.element, activate);
    listen(elements[control.position], activate);
  }
  forward(() => session.load());
  // What was clicked before reaches the game now, in order, and within
  // this task, so no later click can come between.
  for (const element of holding.held.splice(0)) activations.get(element)?.();
  holding.cover.remove();
}
