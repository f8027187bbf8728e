// Each kind of control, in one place: the element the window is written
// with (`markup`, run at build time under Node.js), how the record's state
// is drawn into it (`draw`), and how the player activates it (`listen`);
// page.css draws each kind in a section of the same name. Nothing here
// knows what any control means.

export function escaped(text) {
  return text.replaceAll("&", "&amp;").replaceAll("<", "&lt;").replaceAll(">", "&gt;")
      .replaceAll('"', "&quot;");
}

// Attributes from [name, value] pairs; `true` stands alone, a false or
// null value leaves its attribute out.
export function attributes(pairs) {
  return pairs.filter(([, value]) => value !== false && value !== null && value !== undefined)
      .map(([name, value]) => (value === true ? ` ${name}`
                                             : ` ${name}="${escaped(String(value))}"`))
      .join("");
}

// Changes a property only when it differs: a redraw that touched nothing
// else must not disturb a scroll position, a selection or an observer.
export function update(element, property, value) {
  if (element[property] !== value) element[property] = value;
}

function onClick(element, activate) {
  element.addEventListener("click", activate);
}

// `markup` gives [tag, its own attributes, its content]; the record's flags
// become the attributes a browser starts the element from.
export const kKinds = {
  label: {
    markup: (control, state) => ["div", [["class", "control label"]], escaped(state.text)],
    draw(element, state) {
      update(element, "textContent", state.text);
    },
    listen: onClick,
  },

  textBox: {
    // A text area drops one line break right after its start tag, so one
    // is always written there: a text that starts with its own keeps it.
    markup(control, state) {
      const look = [["readonly", true], ["aria-label", control.accessibleName || null]];
      const text = state.text.replaceAll("\r\n", "\n");
      if (control.multiLine) {
        const own = [["class", "control text-box multi-line"], ...look];
        return ["textarea", own, `\n${escaped(text)}`];
      }
      return ["input", [["class", "control text-box single-line"], ...look, ["value", text]], null];
    },
    draw(element, state, firstDraw) {
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
  },

  listBox: {
    // Anything above one row makes a list box of it, not a drop-down.
    markup: (control, state) => [
      "select",
      [["class", "control list-box"], ["size", Math.max(2, state.items.length)]],
      state.items.map((item) => `<option>${escaped(item)}</option>`).join(""),
    ],
    draw(element, state) {
      const shown = [...element.options].map((option) => option.text);
      if (shown.join("\n") === state.items.join("\n")) return;
      element.replaceChildren(...state.items.map((item) => new Option(item)));
      update(element, "size", Math.max(2, state.items.length));
    },
  },

  commandButton: {
    markup: (control, state) => [
      "button",
      [["type", "button"], ["class", "control command-button"], ["disabled", !state.enabled]],
      escaped(state.text),
    ],
    draw(element, state) {
      update(element, "textContent", state.text);
      update(element, "disabled", !state.enabled);
    },
    listen: onClick,
  },

  frame: {
    markup: (control, state, inside) => [
      "fieldset",
      [["class", "control frame"], ["disabled", !state.enabled]],
      `<legend>${escaped(state.text)}</legend>${inside}`,
    ],
    draw(element, state) {
      update(element.firstElementChild, "textContent", state.text);
      update(element, "disabled", !state.enabled);
    },
  },

  optionButton: {
    // The option button covers its whole strip, so that the target a
    // finger, a mouse, an audit or Tab finds is the strip the player sees;
    // page.css draws its mark on the strip itself. Each has a name of its
    // own: an engine that groups unnamed radio buttons would let Tab reach
    // only one door, and would clear one button as another is set.
    markup(control, state) {
      const flags = [["checked", state.selected], ["disabled", !state.enabled]];
      return ["label", [["class", "control option-button"]],
        `<input${attributes([["type", "radio"], ["name", control.element], ...flags])}>` +
        `<span>${escaped(state.text)}</span>`];
    },
    draw(element, state) {
      const [button, caption] = element.children;
      update(caption, "textContent", state.text);
      update(button, "checked", state.selected);
      update(button, "disabled", !state.enabled);
    },
    // A click anywhere on the strip reaches the button, and so does Space
    // on the focused button. The browser has already marked it by then;
    // the redraw puts back whatever the record says. Arrows, which select
    // nothing, are held back from the first frame on (early.js).
    listen(element, activate) {
      element.querySelector("input").addEventListener("click", activate);
    },
  },
};
