// Opening and saving. Where the browser lets a page write a file (the File System
// Access API of Chromium and Edge, also from file://), Save writes back to the file
// that was opened; elsewhere it downloads Tessivar.VC.ini, the only name the plugin
// reads, and says where the file must go.

const pluginName = "Tessivar.VC.ini";
const canWriteFiles = typeof window.showOpenFilePicker === "function" &&
  typeof window.showSaveFilePicker === "function";
const iniTypes = [{ description: "Tessivar settings", accept: { "text/plain": [".ini"] } }];

const whereItGoes = "The plugin reads the first of these that exists: the game's plugins " +
  "folder, its scripts folder, the game folder itself; so a Tessivar.VC.ini in plugins wins " +
  "and edits to the others do nothing.";

const discardQuestion = () =>
  `${doc.file.name} has unsaved changes. Discard them? (Undo brings them back.)`;

function readsAsPluginName(name) {
  return name.toLowerCase() === pluginName.toLowerCase();
}

async function chooseFile() {
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
async function openFile(file, handle = null) {
  if (isDirty() && !window.confirm(discardQuestion())) return;
  let raw, bytes, encoding;
  try {
    raw = new Uint8Array(await file.arrayBuffer());
    encoding = encodingOf(raw);
    bytes = encoding === encodingNames[0] ? raw : readableForm(raw);
    reportOf(bytes);
  } catch (error) {
    tell(`"${file.name}" could not be opened (${file.size} bytes): ${error.message || error}. ` +
      `The open file is unchanged.`, "error");
    await loadCore().catch(() => {});
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
    notes.push(`The plugin reads only a file named ${pluginName}; this one is called ` +
      `${name}.` + (canWriteFiles ? " Use Save as… to save it under that name." :
        " Save downloads it as Tessivar.VC.ini."));
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

async function save() {
  if (!canWriteFiles) return download();
  if (!doc.file.handle) return saveAs();
  const bytes = doc.bytes;
  try {
    if (await writeTo(doc.file.handle, bytes)) {
      markSaved();
      tell(`Saved ${doc.file.name}.` + (readsAsPluginName(doc.file.name) ? "" :
        ` The plugin reads only ${pluginName}: use Save as… to save it under that name.`),
        readsAsPluginName(doc.file.name) ? "" : "warning");
    }
  } catch (error) {
    tell(`${doc.file.name} could not be saved: ${error.message}`, "error");
  }
}

async function saveAs() {
  if (!canWriteFiles) return download();
  try {
    const handle = await window.showSaveFilePicker({ suggestedName: pluginName, types: iniTypes });
    if (await writeTo(handle, doc.bytes)) {
      markSaved(handle.name, handle);
      tell(`Saved ${handle.name}. ${whereItGoes}`, readsAsPluginName(handle.name) ? "" : "warning");
    }
  } catch (error) {
    if (error.name !== "AbortError") tell(`The file could not be saved: ${error.message}`, "error");
  }
}

function download() {
  const link = document.createElement("a");
  link.href = URL.createObjectURL(new Blob([doc.bytes], { type: "application/octet-stream" }));
  link.download = pluginName;
  document.body.appendChild(link);
  link.click();
  setTimeout(() => { URL.revokeObjectURL(link.href); link.remove(); }, 1000);
  markSaved();
  tell(`Downloaded as ${pluginName}. Move it into the game's plugins or scripts folder. ` +
    `${whereItGoes} A browser may name a second download "Tessivar.VC (1).ini", which the ` +
    `plugin never reads: rename it to ${pluginName}, replacing the old one.`, "warning");
}
