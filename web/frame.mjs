// The window's first frame as markup: one element for every control of
// the game's layout table, in tab order, with the record's state on load
// drawn into it, and the style sheet that puts each where the layout says.
// The build writes both into the page, so that the browser draws the
// window while it parses, before any script has run. Like the rest of the
// page it knows how to draw each kind of control, and nothing about what
// any control means.
import { attributes, kKinds } from "./kinds.mjs";

// One rule of the window's style sheet. The page carries no style
// attribute: its policy allows each style element by its hash, and an
// attribute could only be allowed by allowing every attribute.
function rule(selector, declarations) {
  const body = declarations.filter(([, value]) => value)
      .map(([name, value]) => `${name}: ${value};`).join(" ");
  return `${selector} { ${body} }\n`;
}

// An element's name as a selector. The layout's names need no escaping; a
// name that did stops the build, rather than leave its control unplaced.
function byId(element) {
  if (!/^[A-Za-z][\w-]*$/.test(element)) throw new Error(`${element} cannot stand in a selector`);
  return `#${element}`;
}

// The window's shared looks become custom properties for page.css.
function windowDeclarations(design) {
  return [
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
  ];
}

// Where a control stands, its size, font and colours, for `selector`: its
// own element, or one that takes its place (first_frame.mjs).
export function controlRule(selector, control) {
  return rule(selector, [
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

// The window's style sheet: its own looks, and every control's rule by the
// control's element name.
export function windowStyleSheet(design) {
  return rule(byId("window"), windowDeclarations(design)) +
      design.controls.map((control) => controlRule(byId(control.element), control)).join("");
}

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
    const [tag, own, content] = kKinds[control.kind].markup(control, state, inside);
    const start = `<${tag}${attributes([...own, ["id", control.element],
      ["hidden", !state.visible]])}>`;
    return content === null ? start : `${start}${content}</${tag}>`;
  };
  return `<main${attributes([["id", "window"], ["class", "window"],
    ["aria-label", design.caption]])}>` +
      `${within.get(null).map(markup).join("")}</main>`;
}
