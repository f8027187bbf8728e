// Forwards the player's clicks, selections and keys, and the peek timer's
// ticks, to the record's entry points, and redraws after each. No element
// keeps a change of its own: what an option button shows after a click is
// what the record says, not what the browser did. Which entry point a
// control's activation reaches is the record's to say.
import { drawRecord } from "./draw.js";
import { kKinds } from "./kinds.mjs";

// Listens to every control the player activates, loads the game, and
// returns how a control, by its element name, is activated: early.js hands
// on that way what the player did before the game was live.
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
  return (element) => activations.get(element)?.();
}
