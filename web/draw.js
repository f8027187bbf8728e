// Builds one element for every control of the game's layout table and draws
// the record's state into them. It knows how to draw each kind of control,
// and nothing about what any control means: captions, texts, positions,
// colours, flags, the tab order and the first focus all come from the game.

const kElementBuilders = {
  label(control) {
    const element = document.createElement("div");
    element.className = "control label";
    return element;
  },
  textBox(control) {
    const element = document.createElement(control.multiLine ? "textarea" : "input");
    element.className = `control text-box ${control.multiLine ? "multi-line" : "single-line"}`;
    element.readOnly = true;
    if (control.accessibleName) element.setAttribute("aria-label", control.accessibleName);
    return element;
  },
  listBox(control) {
    const element = document.createElement("select");
    element.className = "control list-box";
    element.size = 2;  // anything above one makes it a list box, not a drop-down
    return element;
  },
  commandButton(control) {
    const element = document.createElement("button");
    element.type = "button";
    element.className = "control command-button";
    return element;
  },
  frame(control) {
    const element = document.createElement("fieldset");
    element.className = "control frame";
    element.append(document.createElement("legend"));
    return element;
  },
  // The real option button covers its whole strip, unseen, so that the
  // target a finger, a mouse or an audit finds is the strip the player
  // sees; beside it a second, inert one only draws the mark. Each has a
  // name of its own: an engine that groups unnamed radio buttons would let
  // Tab reach only one door, and would clear one button as another is set.
  optionButton(control) {
    const element = document.createElement("label");
    element.className = "control option-button";
    const id = control.element;
    const button = document.createElement("input");
    button.type = "radio";
    button.name = id;
    const mark = document.createElement("input");
    mark.type = "radio";
    mark.name = `${id}-mark`;
    mark.className = "mark";
    mark.tabIndex = -1;
    mark.inert = true;
    mark.setAttribute("aria-hidden", "true");
    element.append(button, mark, document.createElement("span"));
    return element;
  },
};

// The window's shared looks become custom properties for page.css.
function applyWindowLook(root, design) {
  const properties = {
    "--window-back": design.back,
    "--dimmed-text": design.dimmedText,
    "--frame-border": design.frameBorder,
    "--button-border": design.buttonBorder,
    "--focus-ring": design.focusRing,
    "--frame-border-top": `${design.frameBorderTop}px`,
    "--frame-caption-left": `${design.frameCaptionLeft}px`,
    "--font-families": design.fontFamilies.map((family) => `"${family}"`).join(", "),
    "--font-size": `${design.fontPixels}px`,
  };
  for (const [name, value] of Object.entries(properties)) root.style.setProperty(name, value);
  root.classList.add("window");
  root.style.width = `${design.width}px`;
  root.style.height = `${design.height}px`;
  root.setAttribute("aria-label", design.caption);
}

function applyControlLook(element, control) {
  Object.assign(element.style, {
    left: `${control.left}px`,
    top: `${control.top}px`,
    width: `${control.width}px`,
    height: `${control.height}px`,
    fontSize: `${control.fontPixels}px`,
  });
  if (control.back) element.style.backgroundColor = control.back;
  if (control.pressed) element.style.setProperty("--pressed", control.pressed);
  if (control.fore) element.style.color = control.fore;
  element.id = control.element;
}

// A multi-line box lays its text out exactly as wide as the desktop
// window's does, whatever border and scroll bar this browser draws. A
// small box measured before the window is built costs one cheap layout;
// measuring the window's own would lay out the whole window twice.
function textInsets(root, design) {
  const probe = kElementBuilders.textBox({ multiLine: true });
  root.append(probe);
  const style = getComputedStyle(probe);
  const border = parseFloat(style.borderLeftWidth);
  const scrollBar = probe.offsetWidth - probe.clientWidth - border -
      parseFloat(style.borderRightWidth);
  probe.remove();
  return {
    paddingLeft: `${design.textInset - border}px`,
    paddingTop: `${design.textInset - border}px`,
    paddingRight: `${design.textRightInset - border - scrollBar}px`,
  };
}

// Builds every control inside `root`. The document order is the tab order,
// so screen readers and the Tab key meet the controls as on the desktop.
export function buildWindow(root, design) {
  applyWindowLook(root, design);
  const insets = textInsets(root, design);
  const elements = [];
  const controls = [];
  for (const control of design.controls) {
    const element = kElementBuilders[control.kind](control);
    applyControlLook(element, control);
    if (control.multiLine) Object.assign(element.style, insets);
    elements[control.position] = element;
    controls[control.position] = control;
  }
  for (const position of design.tabOrder) {
    const container = controls[position].container;
    (container === null ? root : elements[container]).append(elements[position]);
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
    const [button, mark, caption] = element.children;
    update(caption, "textContent", state.text);
    for (const input of [button, mark]) {
      update(input, "checked", state.selected);
      update(input, "disabled", !state.enabled);
    }
  },
};

// The elements that may ever take the focus, in tab order.
function focusCandidates(view) {
  return [...view.root.querySelectorAll("input:not([inert]), textarea, select, button")];
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
