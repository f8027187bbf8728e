// Makes the game the first way that works in this browser and hands it on,
// with that way, once its runtime is up; or says that no way does.
//
// Each way is a function that gives, or promises, an emscripten factory.
// A way fails if it throws or rejects, and so does its factory if it
// throws, aborts, or returns a promise (or a module whose `ready` promise)
// that rejects, whichever of those comes first: every failure moves on to
// the next way, once, and the same sentence ends the last. A game that has
// gone live stays, whatever its module does later.
export async function startFirst(ways, started, cannotRun) {
  for (const way of ways) {
    let module;
    try {
      module = await made(way);
    } catch (fault) {
      // Not the player's concern once another way plays; kept for whoever
      // opens the console.
      console.warn(fault);
      continue;
    }
    started(module, way);
    return;
  }
  cannotRun();
}

async function made(way) {
  const factory = await way();
  return new Promise((resolve, reject) => {
    const result = factory({
      onRuntimeInitialized() {
        resolve(this);
      },
      onAbort: reject,
    });
    // Success comes only from the runtime itself: a module handed back may
    // not be running yet.
    Promise.resolve(result?.ready ?? result).catch(reject);
  });
}
