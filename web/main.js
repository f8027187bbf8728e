// Starts the game in the window the page was written with, once that is
// drawn. The module is compiled at once rather than in the background: the
// window is live within the task that starts it, and what the player did
// until then reaches it in order. What early.js has kept reaches it through
// the cover's one handle.
import { adoptWindow, focusControl } from "./draw.js";
import { connectInput } from "./input.js";
import { startFirst } from "./start.mjs";
import { default as makeGame } from "./zimarela_module.mjs";

const early = document.getElementById("cover").early;

// The module's calls, by what they do; the two readers hand over JSON text.
function sessionOf(module) {
  const read = (reader) => JSON.parse(module.UTF8ToString(reader()));
  return {
    design: () => read(module._describeWindow),
    states: () => read(module._states),
    load: module._load,
    activate: module._activate,
    tickTimer1: module._tickTimer1,
  };
}

function start(module, way) {
  const session = sessionOf(module);
  const design = session.design();
  const view = adoptWindow(document.getElementById("window"), design);
  const activate = connectInput(view, session);
  // A player who has already put the focus on a control keeps it there.
  if (!view.root.contains(document.activeElement)) focusControl(view, design.firstFocus);
  early.take(activate);
  // Which build plays, for whoever looks.
  document.documentElement.dataset.live = way === webAssembly ? "webassembly" : "javascript";
}

// The WebAssembly build, compiled at once from this module's own bytes.
function webAssembly() {
  if (typeof WebAssembly !== "object") throw new Error("This browser has no WebAssembly");
  return makeGame;
}

// The same game built to JavaScript alone, for a browser without
// WebAssembly (a hardened mode may take it away) or one that refuses it.
// The page carries it packed in an element that never runs, after this
// module, so that no other browser waits for its bytes, parses or compiles
// it; and beside it, as plain text, the inflater that unpacks it where the
// browser has no DecompressionStream (Safari before 16.4).
async function javaScript() {
  if (document.readyState === "loading") {
    await new Promise((read) => document.addEventListener("DOMContentLoaded", read, { once: true }));
  }
  const packed = Uint8Array.from(atob(document.getElementById("fallback").text),
                                 (character) => character.charCodeAt(0));
  return run(await unpacked(packed), "game");
}

// zlib data as text, by the browser's own means where it has them.
function unpacked(packed) {
  if (typeof DecompressionStream !== "function") {
    const inflate = run(document.getElementById("inflater").text, "inflate");
    return new TextDecoder().decode(inflate(packed));
  }
  return new Response(new Response(packed).body.pipeThrough(new DecompressionStream("deflate")))
      .text();
}

// Runs text the page was built with as a script element, which the page's
// policy lets run by its hash, and takes the function it hands back
// through that element.
function run(text, name) {
  const script = document.createElement("script");
  script.text = text;
  document.head.append(script);
  script.remove();
  if (typeof script[name] !== "function") throw new Error(`The page's ${name} script did not run`);
  return script[name];
}

// A browser that can run neither says so instead of leaving the player
// clicking on a window that never answers.
function startGame() {
  startFirst([webAssembly, javaScript], start, () => early.cannotRun());
}

// Compiling the game runs in a task of its own once the window is drawn, so
// that it neither holds the window back nor waits on it.
function afterDrawn(then) {
  early.drawn.then(() => setTimeout(then));
}

afterDrawn(startGame);
