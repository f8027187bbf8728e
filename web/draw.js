// Takes over the window the page was written with (frame.mjs), one element
// for every control of the game's layout table, and from then on draws
// the record's state into them. It knows how to draw each kind of
// control (kinds.mjs), and nothing about what any control means.
import { kKinds, update } from "./kinds.mjs";

// The window's controls, by position, found by their element names.
export function adoptWindow(root, design) {
  const elements = [];
  for (const control of design.controls) {
    elements[control.position] = document.getElementById(control.element);
  }
  return { design, elements, root, drawn: false };
}

// The elements that may ever take the focus, in tab order.
function focusCandidates(view) {
  return [...view.root.querySelectorAll("input, textarea, select, button")];
}

// Puts the focus on the control at `position`: on the button inside an
// option button's strip, on the element itself for the others.
export function focusControl(view, position) {
  const element = view.elements[position];
  (element.querySelector("input") ?? element).focus({ preventScroll: true });
}

function canTakeFocus(element) {
  return !element.disabled && !element.closest("[hidden]") && !element.closest("fieldset:disabled");
}

// Draws the whole record. Runs after every entry point, and only there.
export function drawRecord(view, states) {
  const hadFocus = document.activeElement;
  for (const control of view.design.controls) {
    const element = view.elements[control.position];
    const state = states[control.position];
    kKinds[control.kind].draw(element, state, !view.drawn);
    update(element, "hidden", !state.visible);
  }
  view.drawn = true;
  keepFocus(view, hadFocus);
}

// A browser drops the focus when its control is locked or hidden, and the
// next Tab would start from the top. Pass it on as Tab would instead.
function keepFocus(view, hadFocus) {
  if (!view.root.contains(hadFocus) || canTakeFocus(hadFocus)) return;
  const candidates = focusCandidates(view);
  const from = candidates.indexOf(hadFocus) + 1;
  const inTabOrder = candidates.slice(from).concat(candidates.slice(0, from));
  const next = inTabOrder.find(canTakeFocus);
  if (next) next.focus();
}
