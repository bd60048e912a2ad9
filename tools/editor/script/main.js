// The page's controls, keys and start.

function guarded(action) {
  return (...args) => Promise.resolve(action(...args)).catch(error =>
    tell(`Something went wrong: ${error.message || error}`, "error"));
}

function newDocument() {
  if (isDirty() && !window.confirm(discardQuestion())) return;
  const bytes = templateBytes();
  replaceDocument(bytes, { name: pluginName, handle: null, saved: bytes }, "New file from the template");
  tell("");
}

function dropped(event) {
  event.preventDefault();
  document.body.classList.remove("dragging");
  const item = [...event.dataTransfer.items].find(i => i.kind === "file");
  if (!item) return;
  const file = item.getAsFile();
  // A handle lets Save write back to the dropped file (Chromium); a plain file does not.
  const handle = canWriteFiles && item.getAsFileSystemHandle ? item.getAsFileSystemHandle() : null;
  guarded(async () => {
    const fileHandle = handle ? await handle.catch(() => null) : null;
    await openFile(file, fileHandle && fileHandle.kind === "file" ? fileHandle : null);
  })();
}

const shortcuts = {
  z: event => (event.shiftKey ? redo : undo)(),
  y: () => redo(),
  s: event => guarded(event.shiftKey ? saveAs : save)(),
  o: () => guarded(chooseFile)(),
};

function onKey(event) {
  if (!(event.ctrlKey || event.metaKey) || event.altKey) return;
  const action = shortcuts[event.key.toLowerCase()];
  if (!action) return;
  event.preventDefault();
  // A field being typed in counts first, so Undo takes back what was just typed.
  const typing = document.activeElement?.matches?.("#panel input") ? document.activeElement : null;
  typing?.blur();
  action(event);
  typing?.focus();
}

function wire() {
  const on = (id, action) => document.getElementById(id).addEventListener("click", guarded(action));
  on("open", chooseFile);
  on("new", newDocument);
  on("save", save);
  on("save-as", saveAs);
  on("undo", undo);
  on("redo", redo);
  on("reset-all", () => change(resetAllIn(doc.bytes), "Every setting reset to its default"));
  document.getElementById("open-file").addEventListener("change", event => {
    const file = event.target.files[0];
    event.target.value = "";
    if (file) guarded(openFile)(file);
  });
  document.getElementById("save-hint").textContent = canWriteFiles
    ? "Save writes back to the opened file; Save as… picks where."
    : "Save downloads Tessivar.VC.ini; put it in the game's plugins or scripts folder.";
  document.addEventListener("keydown", onKey);
  document.addEventListener("dragover", event => {
    event.preventDefault();
    document.body.classList.add("dragging");
  });
  document.addEventListener("dragleave", () => document.body.classList.remove("dragging"));
  document.addEventListener("drop", dropped);
  window.addEventListener("beforeunload", event => {
    if (!isDirty()) return;
    event.preventDefault();
    event.returnValue = "";
  });
}

loadCore().then(() => {
  wire();
  wireViews();
  const bytes = templateBytes();
  doc.bytes = bytes;
  doc.file = { name: pluginName, handle: null, saved: bytes };
  render();
  document.body.dataset.ready = "yes";
});
