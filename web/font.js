// The window's font, embedded in the page, starts decoding before the game
// compiles; the game names it once it knows its font.
export const embeddedFont = new FontFace("embedded", "url(data:font/woff2;base64,@FONT@)");
embeddedFont.load();
