// The core: the plugin's own reader, the checker and the edits of the file, compiled to
// WebAssembly (TessivarCore). The page parses nothing itself. Every file goes in through
// memory taken from the core's heap, which grows as the file needs; texts go in as UTF-8,
// as the checker takes its command line.

import { encodingNames } from "./facts.js";
import { languageCode } from "./i18n.js";

const loaded = { core: null, folders: 0 };

export async function loadCore() {
  loaded.core = await TessivarCore();
}

const utf8 = new TextEncoder();
const asciiz = text => {
  const bytes = utf8.encode(text);
  const out = new Uint8Array(bytes.length + 1);
  out.set(bytes);
  return out;
};

// Calls `editor_<name>(bytes, size, more...)`: texts and bytes copied onto the heap,
// numbers passed as they are.
function callCore(name, bytes, ...more) {
  const core = loaded.core;
  const taken = [];
  const place = data => {
    const at = core._malloc(Math.max(1, data.length));
    if (!at) throw new Error(`not enough memory for ${data.length} bytes`);
    taken.push(at);
    core.HEAPU8.set(data, at);
    return at;
  };
  try {
    const args = [place(bytes), bytes.length, ...more.map(value =>
      typeof value === "number" ? value : place(typeof value === "string" ? asciiz(value) : value))];
    return core["_editor_" + name](...args);
  } finally {
    for (const at of taken) core._free(at);
  }
}

// The core's answer; -1 tells that it failed (memory ran out, a code it cannot read),
// with the reason.
function resultBytes(length) {
  const core = loaded.core;
  const at = core._editor_result();
  if (length < 0)
    throw new Error(new TextDecoder().decode(core.HEAPU8.subarray(at, at + 400)).split("\0")[0]);
  return core.HEAPU8.slice(at, at + length);
}

const resultText = length => new TextDecoder().decode(resultBytes(length));
const json = length => JSON.parse(resultText(length));

// The checker's report of a file of this name, as --format=json gives it, with each
// setting's text as the plugin stores it, the elements' names and the picture, in the
// page's language.
export const checkFile = (bytes, name) => json(callCore("check", bytes, name, languageCode()));
// The file with fixes of its report applied: one finding's (its index), or allFixes or
// fixesOfErrors.
export const fixFile = (bytes, name, which) => resultBytes(callCore("fix", bytes, name, which));
export const setValue = (bytes, key, value) => resultBytes(callCore("set", bytes, key, value));
export const resetAll = bytes => resultBytes(callCore("reset_all", bytes));
export const templateBytes = () => resultBytes(loaded.core._editor_new_file());
export const readableForm = bytes => resultBytes(callCore("readable", bytes));
export const encodingOf = bytes => encodingNames[callCore("encoding", bytes)];
export const palettes = () => json(loaded.core._editor_palettes());
export const applyPalette = (bytes, file) => resultBytes(callCore("apply_palette", bytes, file));
export const shareCode = bytes => resultText(callCore("code", bytes));
export const pasteCode = (bytes, code) =>
  resultBytes(callCore("paste_code", bytes, code, languageCode()));
export const contrastOf = (bytes, backdrops) =>
  json(callCore("contrast", bytes, backdrops, languageCode()));
// The checker's report on a game folder and its repairs (their backups named by `stamp`),
// in the page's language. `entries`: each file and folder as [path parts, folder?,
// bytes], copied into the core's file system for the call and removed after it.
// Made a few thousand at a time, so the page stays responsive while a big folder goes in.
export async function diagnoseFolder(entries, stamp) {
  const { FS } = loaded.core;
  const root = "/game-" + ++loaded.folders;
  const made = [root];
  FS.mkdir(root);
  try {
    for (const [parts, folder, bytes] of entries) {
      const path = root + "/" + parts.join("/");
      if (folder) FS.mkdir(path);
      else FS.writeFile(path, bytes);
      made.push(path);
      if (made.length % 2000 === 0) await new Promise(resume => setTimeout(resume, 0));
    }
    const at = [asciiz(root), asciiz(languageCode()), asciiz(stamp)].map(data => {
      const place = loaded.core._malloc(data.length);
      loaded.core.HEAPU8.set(data, place);
      return place;
    });
    try {
      return json(loaded.core._editor_diagnose(...at));
    } finally {
      at.forEach(place => loaded.core._free(place));
    }
  } finally {
    removeLater(made.reverse());
  }
}

// The copy goes a few thousand entries at a time, after the answer is shown.
function removeLater(paths) {
  const { FS } = loaded.core;
  for (const path of paths.splice(0, 2000)) {
    try {
      if (FS.isDir(FS.stat(path).mode)) FS.rmdir(path);
      else FS.unlink(path);
    } catch {
      // gone already
    }
  }
  if (paths.length) setTimeout(() => removeLater(paths), 0);
}

export const visionMatrices = () => json(loaded.core._editor_vision_matrices());
