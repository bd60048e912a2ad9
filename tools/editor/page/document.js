// The open document and its history. A document is the file's bytes and the file they
// belong to (its name, where it is saved, what was last saved there); every change,
// however many lines it touches, and every New or Open is one step of Undo. Whoever
// shows the document hears of every change.

import { settingsFileName } from "./facts.js";
import { t } from "./i18n.js";
import { announce } from "./notices.js";
import { reportOf } from "./report.js";

const state = {
  doc: { bytes: new Uint8Array(0), file: { name: settingsFileName, handle: null, saved: null } },
  undo: [],
  redo: [],
  listeners: [],
};

export const current = () => state.doc;
export const currentReport = () => reportOf(state.doc.bytes, state.doc.file.name);
export const isDirty = () => state.doc.bytes !== state.doc.file.saved;
export const history = () => ({ undo: state.undo.length, redo: state.redo.length });

// `listener(what)`: after every change; `what` says which (for a notice that spoke of
// the state before it).
export function onChange(listener) {
  state.listeners.push(listener);
}

function changed(what) {
  for (const listener of state.listeners) listener(what);
  announce(what);
}

// The first document, with no history.
export function start(bytes, file) {
  state.doc = { bytes, file };
  changed("");
}

function step(next, what) {
  state.undo.push(state.doc);
  state.redo = [];
  state.doc = { ...state.doc, ...next };
  changed(what);
}

// One undoable edit of the open file; bytes that are the same are no edit.
export function change(bytes, what) {
  const now = state.doc.bytes;
  if (bytes.length === now.length && bytes.every((b, i) => b === now[i])) return;
  step({ bytes }, what);
}

// Another file in its place (New, Open): undoable too.
export function replaceDocument(bytes, file, what) {
  step({ bytes, file }, what);
}

function travel(from, to, what) {
  if (!from.length) return;
  to.push(state.doc);
  state.doc = from.pop();
  changed(what);
}

export const undo = () => travel(state.undo, state.redo, t("Undone"));
export const redo = () => travel(state.redo, state.undo, t("Redone"));

// The file as it is now is what is saved; a name or a place to save to, when it got one.
export function markSaved(name, handle) {
  const file = state.doc.file;
  file.saved = state.doc.bytes;
  if (name) file.name = name;
  if (handle !== undefined) file.handle = handle;
  changed("");
}
