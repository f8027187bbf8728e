// The window's first frame as markup: one element for every control of
// the game's layout table, in tab order, with the record's state on load
// drawn into it. The build writes it into the page, so that the browser
// draws the window while it parses, before any script has run. Like the
// rest of the page it knows how to draw each kind of control, and nothing
// about what any control means.

function escaped(text) {
  return text.replaceAll("&", "&amp;").replaceAll("<", "&lt;").replaceAll(">", "&gt;")
      .replaceAll('"', "&quot;");
}

// Attributes from [name, value] pairs; `true` stands alone, a false or
// null value leaves its attribute out.
function attributes(pairs) {
  return pairs.filter(([, value]) => value !== false && value !== null && value !== undefined)
      .map(([name, value]) => (value === true ? ` ${name}`
                                             : ` ${name}="${escaped(String(value))}"`))
      .join("");
}

function styleOf(declarations) {
  return declarations.filter(([, value]) => value).map(([name, value]) => `${name}: ${value};`)
      .join(" ");
}

// The window's shared looks become custom properties for page.css.
function windowStyle(design) {
  return styleOf([
    ["--window-back", design.back],
    ["--dimmed-text", design.dimmedText],
    ["--frame-border", design.frameBorder],
    ["--button-border", design.buttonBorder],
    ["--focus-ring", design.focusRing],
    ["--frame-border-top", `${design.frameBorderTop}px`],
    ["--frame-caption-left", `${design.frameCaptionLeft}px`],
    ["--font-families", design.fontFamilies.map((family) => `"${family}"`).join(", ")],
    ["--font-size", `${design.fontPixels}px`],
    ["--text-inset", `${design.textInset}px`],
    ["--text-right-inset", `${design.textRightInset}px`],
    ["width", `${design.width}px`],
    ["height", `${design.height}px`],
  ]);
}

function controlStyle(control) {
  return styleOf([
    ["left", `${control.left}px`],
    ["top", `${control.top}px`],
    ["width", `${control.width}px`],
    ["height", `${control.height}px`],
    ["font-size", `${control.fontPixels}px`],
    ["background-color", control.back],
    ["--pressed", control.pressed],
    ["color", control.fore],
  ]);
}

// Each kind's element as [tag, its own attributes, its content]. The
// record's flags become the attributes a browser starts the element from.
const kElements = {
  label: (control, state) => ["div", [["class", "control label"]], escaped(state.text)],
  // A text area drops one line break right after its start tag, so one
  // is always written there: a text that starts with its own keeps it.
  textBox(control, state) {
    const look = [["readonly", true], ["aria-label", control.accessibleName || null]];
    const text = state.text.replaceAll("\r\n", "\n");
    if (control.multiLine) {
      const own = [["class", "control text-box multi-line"], ...look];
      return ["textarea", own, `\n${escaped(text)}`];
    }
    return ["input", [["class", "control text-box single-line"], ...look, ["value", text]], null];
  },
  // Anything above one row makes a list box of it, not a drop-down.
  listBox: (control, state) => [
    "select",
    [["class", "control list-box"], ["size", Math.max(2, state.items.length)]],
    state.items.map((item) => `<option>${escaped(item)}</option>`).join(""),
  ],
  commandButton: (control, state) => [
    "button",
    [["type", "button"], ["class", "control command-button"], ["disabled", !state.enabled]],
    escaped(state.text),
  ],
  frame: (control, state, inside) => [
    "fieldset",
    [["class", "control frame"], ["disabled", !state.enabled]],
    `<legend>${escaped(state.text)}</legend>${inside}`,
  ],
  // The option button covers its whole strip, so that the target a
  // finger, a mouse, an audit or Tab finds is the strip the player sees;
  // page.css draws its mark on the strip itself. Each has a name of its
  // own: an engine that groups unnamed radio buttons would let Tab reach
  // only one door, and would clear one button as another is set.
  optionButton(control, state) {
    const flags = [["checked", state.selected], ["disabled", !state.enabled]];
    return ["label", [["class", "control option-button"]],
      `<input${attributes([["type", "radio"], ["name", control.element], ...flags])}>` +
      `<span>${escaped(state.text)}</span>`];
  },
};

// The hidden door table's contents are dealt afresh on every load: the
// page is written with the table empty, and the game fills it when live.
function shownOnLoad(state) {
  return state.visible ? state : { ...state, items: [] };
}

// The whole window, `design` and `states` as the game reports them. The
// document order is the tab order, so screen readers and the Tab key meet
// the controls as on the desktop.
export function windowMarkup(design, states) {
  const controls = [];
  const within = new Map([[null, []]]);
  for (const control of design.controls) {
    controls[control.position] = control;
    within.set(control.position, []);
  }
  for (const position of design.tabOrder) within.get(controls[position].container).push(position);
  const markup = (position) => {
    const control = controls[position];
    const state = shownOnLoad(states[position]);
    const inside = within.get(position).map(markup).join("");
    const [tag, own, content] = kElements[control.kind](control, state, inside);
    const start = `<${tag}${attributes([...own, ["style", controlStyle(control)],
      ["id", control.element], ["hidden", !state.visible]])}>`;
    return content === null ? start : `${start}${content}</${tag}>`;
  };
  return `<main${attributes([["id", "window"], ["class", "window"],
    ["style", windowStyle(design)], ["aria-label", design.caption]])}>` +
      `${within.get(null).map(markup).join("")}</main>`;
}
