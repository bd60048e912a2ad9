// Which setting is being edited, and the bytes of an edit not yet made (a picker being
// dragged), which the picture and the list show meanwhile.

import { redraw } from "./refresh.js";

const state = { key: null, fromKeyboard: false, preview: null, listeners: [] };

export const selectedKey = () => state.key;
export const preview = () => state.preview;
export const setPreview = bytes => { state.preview = bytes; };

// `listener(fromKeyboard)`: after a setting is opened.
export function onSelect(listener) {
  state.listeners.push(listener);
}

export function select(key, fromKeyboard = false) {
  state.key = key;
  redraw();
  for (const listener of state.listeners) listener(fromKeyboard);
}
