// Takes over the window the page was written with (frame.mjs), one element
// for every control of the game's layout table, and from then on draws
// the record's state into them. It knows how to draw each kind of
// control, and nothing about what any control means.

// The window's controls, by position, found by their element names.
export function adoptWindow(root, design) {
  const elements = [];
  for (const control of design.controls) {
    elements[control.position] = document.getElementById(control.element);
  }
  return { design, elements, root, drawn: false };
}

// Changes a property only when it differs: a redraw that touched nothing
// else must not disturb a scroll position, a selection or an observer.
function update(element, property, value) {
  if (element[property] !== value) element[property] = value;
}

const kStateDrawers = {
  label(element, state) {
    update(element, "textContent", state.text);
  },
  textBox(element, state, firstDraw) {
    // Only a new text starts again from its top; setting the text a box
    // already shows would lose the player's scroll position.
    const text = state.text.replaceAll("\r\n", "\n");
    if (element.value === text) return;
    element.value = text;
    element.setSelectionRange(0, 0);
    // Scrolling lays the page out at once; the first draw has nothing to
    // scroll back, so it leaves that to the browser's own first layout.
    if (!firstDraw) element.scrollTop = 0;
  },
  listBox(element, state) {
    const shown = [...element.options].map((option) => option.text);
    if (shown.join("\n") === state.items.join("\n")) return;
    element.replaceChildren(...state.items.map((item) => new Option(item)));
    update(element, "size", Math.max(2, state.items.length));
  },
  commandButton(element, state) {
    update(element, "textContent", state.text);
    update(element, "disabled", !state.enabled);
  },
  frame(element, state) {
    update(element.firstElementChild, "textContent", state.text);
    update(element, "disabled", !state.enabled);
  },
  optionButton(element, state) {
    const [button, caption] = element.children;
    update(caption, "textContent", state.text);
    update(button, "checked", state.selected);
    update(button, "disabled", !state.enabled);
  },
};

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
    kStateDrawers[control.kind](element, state, !view.drawn);
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
