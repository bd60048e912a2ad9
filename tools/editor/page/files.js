// Opening and saving. Where the browser lets a page write a file (the File System
// Access API of Chromium and Edge, also from file://), Save writes back to the file
// that was opened; elsewhere it downloads Tessivar.VC.ini, the only name the plugin
// reads, and says where the file must go.

import { encodingOf, readableForm } from "./core.js";
import { current, isDirty, markSaved, replaceDocument } from "./document.js";
import { encodingNames, settingsFileName } from "./facts.js";
import { tell } from "./notices.js";
import { reportOf } from "./report.js";

export const canWriteFiles = typeof window.showOpenFilePicker === "function" &&
  typeof window.showSaveFilePicker === "function";
const bigFile = 4e6; // bytes: from here, opening says it is at work
const iniTypes = [{ description: "Tessivar settings", accept: { "text/plain": [".ini"] } }];

const whereItGoes = "The plugin reads the first of these that exists: the game's plugins " +
  `folder, its scripts folder, the game folder itself; so a ${settingsFileName} in plugins wins ` +
  "and edits to the others do nothing.";

export const discardQuestion = () =>
  `${current().file.name} has unsaved changes. Discard them? (Undo brings them back.)`;

const readsAsPluginName = name => name.toLowerCase() === settingsFileName.toLowerCase();

export async function chooseFile() {
  if (!canWriteFiles) {
    document.getElementById("open-file").click();
    return;
  }
  try {
    const [handle] = await window.showOpenFilePicker({ types: iniTypes });
    await openFile(await handle.getFile(), handle);
  } catch (error) {
    if (error.name !== "AbortError") tell(`The file could not be opened: ${error.message}`, "error");
  }
}

// Reads, converts and checks the file before anything of the open one is replaced, so
// a file that cannot be used leaves it as it was.
export async function openFile(file, handle = null) {
  if (isDirty() && !window.confirm(discardQuestion())) return;
  if (file.size >= bigFile) {
    // Reading and checking it takes a moment: say so, and let the page draw that first.
    tell(`Opening ${file.name} (${(file.size / 1e6).toFixed(0)} MB)…`);
    await new Promise(drawn => requestAnimationFrame(() => setTimeout(drawn, 0)));
  }
  let raw, bytes, encoding;
  try {
    raw = new Uint8Array(await file.arrayBuffer());
    encoding = encodingOf(raw);
    bytes = encoding === encodingNames[0] ? raw : readableForm(raw);
    reportOf(bytes, file.name);
  } catch (error) {
    tell(`"${file.name}" could not be opened (${file.size} bytes): ${error.message || error}. ` +
      `The open file is unchanged.`, "error");
    return;
  }
  replaceDocument(bytes, { name: file.name, handle, saved: raw }, `Opened ${file.name}`);
  openingNotes(file.name, encoding);
}

function openingNotes(name, encoding) {
  const notes = [];
  if (encoding !== encodingNames[0])
    notes.push(`${name} is saved as ${encoding}: the plugin cannot read it as it is. ` +
      `Shown here as the player meant it; Save writes it as 8-bit text with CR LF line ends ` +
      `and no byte-order mark, every line kept.`);
  if (!readsAsPluginName(name))
    notes.push(`The plugin reads only a file named ${settingsFileName}; this one is called ` +
      `${name}.` + (canWriteFiles ? " Use Save as… to save it under that name." :
        ` Save downloads it as ${settingsFileName}.`));
  tell(notes.join(" "), notes.length ? "warning" : "");
}

async function writeTo(handle, bytes) {
  const mode = { mode: "readwrite" };
  if (handle.queryPermission && (await handle.queryPermission(mode)) !== "granted" &&
      (await handle.requestPermission(mode)) !== "granted") {
    tell("The browser did not allow writing the file; nothing was saved.", "error");
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
      tell(`Saved ${file.name}.` + (readsAsPluginName(file.name) ? "" :
        ` The plugin reads only ${settingsFileName}: use Save as… to save it under that name.`),
        readsAsPluginName(file.name) ? "" : "warning");
    }
  } catch (error) {
    tell(`${file.name} could not be saved: ${error.message}`, "error");
  }
}

export async function saveAs() {
  if (!canWriteFiles) return download();
  try {
    const handle = await window.showSaveFilePicker({ suggestedName: settingsFileName, types: iniTypes });
    if (await writeTo(handle, current().bytes)) {
      markSaved(handle.name, handle);
      tell(`Saved ${handle.name}. ${whereItGoes}`, readsAsPluginName(handle.name) ? "" : "warning");
    }
  } catch (error) {
    if (error.name !== "AbortError") tell(`The file could not be saved: ${error.message}`, "error");
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
  tell(`Downloading as ${settingsFileName}. Move it into the game's plugins or scripts folder. ` +
    `${whereItGoes} A browser may name a second download "${settingsFileName.replace(/\.ini$/, " (1).ini")}", which the ` +
    `plugin never reads: rename it to ${settingsFileName}, replacing the old one.`, "warning",
    { label: "Done: it is in place", act: () => {
      if (current().bytes === bytes) markSaved();
      tell("");
    } });
}
