// The page's controls, keys and start: what is drawn when, and who hears of what.

import { loadCore, resetAll, templateBytes } from "./core.js";
import { renderContrast } from "./contrast.js";
import {
  change, current, currentReport, history, isDirty, onChange, redo, replaceDocument, start, undo,
} from "./document.js";
import { pictureHeight, pictureWidth, settingsFileName } from "./facts.js";
import { canWriteFiles, chooseFile, discardQuestion, openFile, save, saveAs } from "./files.js";
import { languageCode, languageNames, onLanguage, startingLanguage, t, useLanguage } from "./i18n.js";
import { wireGameFolder } from "./game_folder.js";
import { tell } from "./notices.js";
import { renderPanel, showPanel, wirePanel } from "./panel.js";
import { renderLooks, wireLooks } from "./picture_views.js";
import { onRedraw } from "./refresh.js";
import { backdropNow, wireScenes } from "./scenes.js";
import { onSelect, select, selectedKey, setPreview } from "./selection.js";
import { clearCodeMessage, namePalettes, wireSharing } from "./sharing.js";
import {
  renderFileFindings, renderHeader, renderList, renderPicture, renderSummary,
} from "./view.js";

function guarded(action) {
  return (...args) => Promise.resolve(action(...args)).catch(error =>
    tell(t("Something went wrong: {problem}", { problem: error.message || error }), "error"));
}

// The contrast measures the picture as drawn; at the start it waits until the page is ready.
const starting = { now: true };

function render() {
  const report = currentReport();
  const focused = document.activeElement;
  setPreview(null);
  renderSummary(report);
  renderPicture(report);
  renderList(report);
  renderFileFindings(report);
  renderPanel(report, selectedKey());
  renderHeader();
  if (backdropNow().pixels && !starting.now) renderContrast(report);
  renderLooks();
  // A control that went (a Fix whose finding is gone): focus stays near it.
  if (focused && focused !== document.body && !focused.isConnected)
    (document.getElementById("panel-title") ?? document.getElementById("findings-title")).focus();
}

function newDocument() {
  if (isDirty() && !window.confirm(discardQuestion())) return;
  const bytes = templateBytes();
  replaceDocument(bytes, { name: settingsFileName, handle: null, saved: bytes }, t("New file from the template"));
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

// What the page says of its own, in the language now chosen.
function sayHints() {
  document.getElementById("save-hint").textContent = canWriteFiles
    ? t("Save writes back to the opened file; Save as… picks where.")
    : t("Save downloads {ini_name}; put it in the game's plugins or scripts folder.", { ini_name: settingsFileName });
}

// The languages by their own names; a choice is remembered for the next visit.
function wireLanguages() {
  const select = document.getElementById("language");
  for (const { code, name } of languageNames())
    select.append(Object.assign(document.createElement("option"), { value: code, textContent: name, lang: code }));
  select.value = languageCode();
  select.addEventListener("change", () => useLanguage(select.value, true));
}

function wire() {
  const on = (id, action) => document.getElementById(id).addEventListener("click", guarded(action));
  on("open", chooseFile);
  on("new", newDocument);
  on("save", save);
  on("save-as", saveAs);
  on("undo", undo);
  on("redo", redo);
  on("reset-all", () => change(resetAll(current().bytes), t("Every setting reset to its default")));
  document.getElementById("open-file").addEventListener("change", event => {
    const file = event.target.files[0];
    event.target.value = "";
    if (file) guarded(openFile)(file);
  });
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
  const canvas = document.getElementById("backdrop");
  canvas.width = pictureWidth;
  canvas.height = pictureHeight;
}

// For tests and for players' own scripts: what the page holds, read only.
function expose() {
  window.tessivar = Object.freeze({
    report: () => currentReport(),
    bytes: () => current().bytes,
    history,
    select,
    language: () => languageCode(),
  });
}

loadCore().then(() => {
  useLanguage(startingLanguage());
  wireLanguages();
  wire();
  sayHints();
  wireSharing(guarded);
  wireGameFolder(guarded);
  wireScenes(guarded);
  wireLooks(guarded);
  wirePanel();
  onRedraw(render);
  // What was said of the file before a change (an open, an undo, an edit) no longer holds.
  onChange(() => {
    tell("");
    clearCodeMessage();
  });
  onChange(render);
  onSelect(showPanel);
  onLanguage(() => {
    sayHints();
    namePalettes();
    render();
  });
  const bytes = templateBytes();
  start(bytes, { name: settingsFileName, handle: null, saved: bytes });
  expose();
  performance.mark("tessivar-ready"); // what the page benchmark measures
  // The picture and the list are painted first; the contrast of each element next.
  setTimeout(() => {
    starting.now = false;
    if (backdropNow().pixels) renderContrast(currentReport());
    document.body.dataset.ready = "yes";
  }, 0);
});
