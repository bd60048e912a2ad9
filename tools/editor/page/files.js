// Opening and saving. Where the browser lets a page write a file (the File System
// Access API of Chromium and Edge, also from file://), Save writes back to the file
// that was opened; elsewhere it downloads Tessivar.VC.ini, the only name the plugin
// reads, and says where the file must go.

import { encodingOf, readableForm } from "./core.js";
import { current, isDirty, markSaved, replaceDocument } from "./document.js";
import { encodingNames, settingsFileName } from "./facts.js";
import { t } from "./i18n.js";
import { tell } from "./notices.js";
import { reportOf } from "./report.js";

export const canWriteFiles = typeof window.showOpenFilePicker === "function" &&
  typeof window.showSaveFilePicker === "function";
const bigFile = 4e6; // bytes: from here, opening says it is at work
const savedListeners = [];

// Told after each save that wrote a file in place.
export function onSaved(listener) {
  savedListeners.push(listener);
}
const iniTypes = () => [{ description: t("Tessivar settings"), accept: { "text/plain": [".ini"] } }];

const whereItGoes = () => t("The plugin reads the first of these that exists: the game's plugins " +
  "folder, its scripts folder, the game folder itself; so a {ini_name} in plugins wins " +
  "and edits to the others do nothing.", { ini_name: settingsFileName });

export const discardQuestion = () =>
  t("{name} has unsaved changes. Discard them? (Undo brings them back.)", { name: current().file.name });

const readsAsPluginName = name => name.toLowerCase() === settingsFileName.toLowerCase();

export async function chooseFile() {
  if (!canWriteFiles) {
    document.getElementById("open-file").click();
    return;
  }
  try {
    const [handle] = await window.showOpenFilePicker({ types: iniTypes() });
    await openFile(await handle.getFile(), handle);
  } catch (error) {
    if (error.name !== "AbortError")
      tell(t("The file could not be opened: {problem}", { problem: error.message }), "error");
  }
}

// Reads, converts and checks the file before anything of the open one is replaced, so
// a file that cannot be used leaves it as it was.
export async function openFile(file, handle = null) {
  if (isDirty() && !window.confirm(discardQuestion())) return;
  if (file.size >= bigFile) {
    // Reading and checking it takes a moment: say so, and let the page draw that first.
    tell(t("Opening {name} ({size} MB)…", { name: file.name, size: (file.size / 1e6).toFixed(0) }));
    await new Promise(drawn => requestAnimationFrame(() => setTimeout(drawn, 0)));
  }
  let raw, bytes, encoding;
  try {
    raw = new Uint8Array(await file.arrayBuffer());
    encoding = encodingOf(raw);
    bytes = encoding === encodingNames[0] ? raw : readableForm(raw);
    reportOf(bytes, file.name);
  } catch (error) {
    tell(t("\"{name}\" could not be opened ({size} bytes): {problem}. The open file is unchanged.",
      { name: file.name, size: file.size, problem: error.message || error }), "error");
    return;
  }
  replaceDocument(bytes, { name: file.name, handle, saved: raw }, t("Opened {name}", { name: file.name }));
  openingNotes(file.name, encoding);
}

function openingNotes(name, encoding) {
  const notes = [];
  if (encoding !== encodingNames[0])
    notes.push(t("{name} is saved as {encoding}: the plugin cannot read it as it is. " +
      "Shown here as the player meant it; Save writes it as 8-bit text with CR LF line ends " +
      "and no byte-order mark, every line kept.", { name, encoding: t(encoding) }));
  if (!readsAsPluginName(name))
    notes.push(t("The plugin reads only a file named {ini_name}; this one is called {name}.",
      { ini_name: settingsFileName, name }) + " " +
      (canWriteFiles ? t("Use Save as… to save it under that name.")
        : t("Save downloads it as {ini_name}.", { ini_name: settingsFileName })));
  tell(notes.join(" "), notes.length ? "warning" : "");
}

async function writeTo(handle, bytes) {
  const mode = { mode: "readwrite" };
  if (handle.queryPermission && (await handle.queryPermission(mode)) !== "granted" &&
      (await handle.requestPermission(mode)) !== "granted") {
    tell(t("The browser did not allow writing the file; nothing was saved."), "error");
    return false;
  }
  const writable = await handle.createWritable();
  await writable.write(bytes);
  await writable.close();
  return true;
}

export async function save() {
  if (!canWriteFiles) return download();
  const { bytes, file } = current();
  if (!file.handle) return saveAs();
  try {
    if (await writeTo(file.handle, bytes)) {
      markSaved();
      for (const listener of savedListeners) await listener();
      tell(t("Saved {name}.", { name: file.name }) + (readsAsPluginName(file.name) ? "" : " " +
        t("The plugin reads only {ini_name}: use Save as… to save it under that name.",
          { ini_name: settingsFileName })),
        readsAsPluginName(file.name) ? "" : "warning");
    }
  } catch (error) {
    tell(t("{name} could not be saved: {problem}", { name: file.name, problem: error.message }), "error");
  }
}

export async function saveAs() {
  if (!canWriteFiles) return download();
  try {
    const handle = await window.showSaveFilePicker({ suggestedName: settingsFileName, types: iniTypes() });
    if (await writeTo(handle, current().bytes)) {
      markSaved(handle.name, handle);
      tell(t("Saved {name}.", { name: handle.name }) + " " + whereItGoes(),
        readsAsPluginName(handle.name) ? "" : "warning");
    }
  } catch (error) {
    if (error.name !== "AbortError")
      tell(t("The file could not be saved: {problem}", { problem: error.message }), "error");
  }
}

// Nothing tells the page that a download finished, nor where it went: the edits count as
// unsaved (and closing the page asks) until the player says they are in place.
function download() {
  const bytes = current().bytes;
  const link = document.createElement("a");
  link.href = URL.createObjectURL(new Blob([bytes], { type: "application/octet-stream" }));
  link.download = settingsFileName;
  document.body.appendChild(link);
  link.click();
  setTimeout(() => { URL.revokeObjectURL(link.href); link.remove(); }, 1000);
  const names = { ini_name: settingsFileName, second: settingsFileName.replace(/\.ini$/, " (1).ini") };
  tell(t("Downloading as {ini_name}. Move it into the game's plugins or scripts folder.", names) + " " +
    whereItGoes() + " " + t("A browser may name a second download \"{second}\", which the plugin " +
    "never reads: rename it to {ini_name}, replacing the old one.", names), "warning",
    { label: t("Done: it is in place"), act: () => {
      if (current().bytes === bytes) markSaved();
      tell("");
    } });
}
