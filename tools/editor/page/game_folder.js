// The game folder opened in the page: walked within the checker's bounds (the repairs'
// backup folder left out), copied into the core's file system (every name; the bytes of
// the files the diagnosis reads), and diagnosed there by the checker's own code, so the
// page says what `Tessivar.VC.check --game DIR` says. Then the ini the plugin reads is
// opened, and Save writes it where the game reads it.

import { diagnoseFolder, templateBytes } from "./core.js";
import { isDirty, replaceDocument } from "./document.js";
import { backupFolderName, deepestFolder, loaderScanLimit, mostEntries, settingsFileName } from "./facts.js";
import { discardQuestion, onSaved, openFile } from "./files.js";
import { onLanguage, t, tn } from "./i18n.js";
import { tell } from "./notices.js";
import { element } from "./view.js";

// What the diagnosis reads of: executables, libraries, plugins, inis and their look-alikes.
const readOf = /\.(exe|dll|asi|ini|txt)$/i;
const state = { root: null, entries: null, report: null, repairs: [], writable: false, stamp: "" };

const pause = () => new Promise(resume => setTimeout(resume, 0));

function progress(count) {
  tell(tn("Looking through the game folder: {count} entry…", "Looking through the game folder: {count} entries…", count));
}

// [{parts, folder, file: () => File, handle}], breadth first, as the checker walks.
async function walkHandle(root) {
  const out = [], queue = [{ handle: root, parts: [] }];
  while (queue.length && out.length < mostEntries) {
    const { handle, parts } = queue.shift();
    for await (const entry of handle.values()) {
      if (out.length >= mostEntries) break;
      const here = [...parts, entry.name];
      if (entry.kind === "directory") {
        if (!parts.length && entry.name.toLowerCase() === backupFolderName.toLowerCase()) continue;
        out.push({ parts: here, folder: true });
        if (here.length < deepestFolder) queue.push({ handle: entry, parts: here });
      } else {
        out.push({ parts: here, folder: false, file: () => entry.getFile(), handle: entry });
      }
      if (out.length % 500 === 0) {
        progress(out.length);
        await pause();
      }
    }
  }
  return out;
}

// The same from a folder input (no handles: read only), its paths under the folder chosen.
function walkFiles(files) {
  const out = [], folders = new Set();
  for (const file of files) {
    const parts = file.webkitRelativePath.split("/").slice(1);
    if (!parts.length || parts.length > deepestFolder) continue;
    if (parts[0].toLowerCase() === backupFolderName.toLowerCase() && parts.length > 1) continue;
    for (let depth = 1; depth < parts.length; ++depth) {
      const folder = parts.slice(0, depth).join("/");
      if (!folders.has(folder)) {
        folders.add(folder);
        out.push({ parts: parts.slice(0, depth), folder: true });
      }
    }
    out.push({ parts, folder: false, file: async () => file, handle: null });
  }
  return out.slice(0, mostEntries);
}

async function copied(entries) {
  const out = [];
  for (const entry of entries) {
    let bytes = new Uint8Array(0);
    if (!entry.folder && readOf.test(entry.parts.at(-1))) {
      try {
        const file = await entry.file();
        bytes = new Uint8Array(await file.slice(0, loaderScanLimit).arrayBuffer());
      } catch {
        // vanished or unreadable since the walk: the diagnosis sees it empty
      }
    }
    out.push([entry.parts, entry.folder, bytes]);
    if (out.length % 200 === 0) await pause();
  }
  return out;
}

function renderInstall() {
  const box = document.getElementById("install");
  const report = state.report;
  box.hidden = !report;
  box.textContent = "";
  if (!report) return;
  box.append(element("h2", { textContent: t("The game folder") }),
    element("p", { className: "answer " + report.answer.verdict, textContent: report.answer.message }));
  const list = element("ul", { className: "install-findings" });
  for (const finding of report.findings.filter(f => f.code.startsWith("INSTALL") && f.severity !== "info")) {
    const item = element("li", {}, element("span", { textContent: finding.message }), " ",
      element("span", { className: "code", textContent: finding.code }));
    if (finding.advice) item.append(element("div", { className: "advice", textContent: finding.advice }));
    list.append(item);
  }
  if (list.children.length) box.append(list);
  if (!state.writable) {
    box.append(element("p", { className: "note", textContent: t("This browser lets the page only read the folder: Save downloads the ini, and you put it in place yourself.") }));
    return;
  }
  for (const repair of state.repairs) {
    const button = element("button", { type: "button", className: "repair", textContent: t("Repair: {repair}", { repair: repair.sentence }) });
    button.addEventListener("click", () => state.guarded(() => repairFolder(repair))());
    box.append(element("div", {}, button));
  }
}

// Path parts of a path as the findings show it; none that could leave the folder.
function partsOf(shown) {
  const parts = shown.split("\\");
  if (parts.some(p => !p || p === "." || p === ".." || /[/:]/.test(p))) throw new Error(t("the path leaves the game folder"));
  return parts;
}

async function folderAt(parts, create = false) {
  let folder = state.root;
  for (const part of parts) folder = await folder.getDirectoryHandle(part, { create });
  return folder;
}

async function bytesOf(handle) {
  return new Uint8Array(await (await handle.getFile()).arrayBuffer());
}

async function writeFile(folder, name, bytes) {
  const writable = await (await folder.getFileHandle(name, { create: true })).createWritable();
  await writable.write(bytes);
  await writable.close();
}

// One repair through the folder's handles, whole or not at all: what it replaces or
// deletes is first copied to the backup folder; on a failure what was done is undone.
async function carryOut(repair) {
  const from = partsOf(repair.from);
  const sourceFolder = await folderAt(from.slice(0, -1));
  const bytes = await bytesOf(await sourceFolder.getFileHandle(from.at(-1)));
  const kept = [];
  const keep = async (parts, data) => {
    const folder = await folderAt([backupFolderName, state.stamp, ...parts.slice(0, -1)], true);
    await writeFile(folder, parts.at(-1), data);
    kept.push({ folder, name: parts.at(-1) });
  };
  try {
    if (repair.action === "delete-file") {
      await keep(from, bytes);
      await sourceFolder.removeEntry(from.at(-1));
      return;
    }
    const to = partsOf(repair.to);
    const targetFolder = await folderAt(to.slice(0, -1), true);
    const existing = await targetFolder.getFileHandle(to.at(-1)).catch(() => null);
    const old = existing && (await bytesOf(existing));
    if (old) await keep(to, old);
    await writeFile(targetFolder, to.at(-1), bytes);
    try {
      await sourceFolder.removeEntry(from.at(-1));
    } catch (error) {
      if (old) await writeFile(targetFolder, to.at(-1), old);
      else await targetFolder.removeEntry(to.at(-1));
      throw error;
    }
  } catch (error) {
    for (const copy of kept) await copy.folder.removeEntry(copy.name).catch(() => {});
    throw error;
  }
}

async function repairFolder(repair) {
  if (!window.confirm(t("Repair: {repair}", { repair: repair.sentence }) + "?")) return;
  if (isDirty() && !window.confirm(t("The open file has unsaved changes; the folder is read again after the repair. Go on?"))) return;
  try {
    await carryOut(repair);
  } catch (error) {
    tell(t("Not repaired, and the folder is as it was: {problem}", { problem: error.message || error }), "error");
    return;
  }
  await diagnose(await walkHandle(state.root), true);
  tell(t("Repaired: {repair}", { repair: repair.sentence }));
}

// Where the plugin reads no ini: one made in scripts\ when Save first writes it, not before.
function iniToMake() {
  const make = async () => (await folderAt(["scripts"], true)).getFileHandle(settingsFileName, { create: true });
  return {
    kind: "file", name: settingsFileName,
    queryPermission: async () => "granted",
    createWritable: async () => (await make()).createWritable(),
  };
}

async function diagnose(entries, writable, reopen = true) {
  if (reopen) progress(entries.length);
  await pause();
  const stamp = backupStamp();
  const { report, repairs } = await diagnoseFolder(await copied(entries), stamp);
  Object.assign(state, { entries, report, repairs, writable, stamp });
  const reading = report.ini.path;
  const found = reading && entries.find(e => !e.folder && e.parts.join("\\").toLowerCase() === reading.toLowerCase());
  renderInstall();
  if (!reopen) return;
  tell("");
  if (found) {
    await openFile(await found.file(), writable ? found.handle : null);
    tell(t("The plugin reads {path}: it is open here, and Save writes it there.", { path: reading }));
  } else if (writable) {
    if (isDirty() && !window.confirm(discardQuestion())) return;
    const bytes = templateBytes();
    replaceDocument(bytes, { name: settingsFileName, handle: iniToMake(), saved: null },
      t("New file from the template"));
    tell(t("The plugin reads no ini in this folder: Save makes scripts\\{name} with what is open here.", { name: settingsFileName }), "warning");
  } else {
    tell(t("The plugin reads no ini in this folder: put one in scripts\\ (Save as…)."), "warning");
  }
}

export async function openGameFolder() {
  if (typeof window.showDirectoryPicker !== "function") {
    document.getElementById("open-game-input").click();
    return;
  }
  let root;
  try {
    root = await window.showDirectoryPicker({ mode: "readwrite" });
  } catch (error) {
    if (error.name === "AbortError") return;
    // Refused (a policy, a system folder): the folder input still reads it.
    document.getElementById("open-game-input").click();
    return;
  }
  state.root = root;
  await diagnose(await walkHandle(root), true);
}

// The date and time as the checker names its backup folders: 2026-12-09_05-30-00.
function backupStamp() {
  const now = new Date(), two = n => String(n).padStart(2, "0");
  return `${now.getFullYear()}-${two(now.getMonth() + 1)}-${two(now.getDate())}_` +
    `${two(now.getHours())}-${two(now.getMinutes())}-${two(now.getSeconds())}`;
}

export function wireGameFolder(guarded) {
  state.guarded = guarded;
  // What the game reads has changed: the answer may have too.
  onSaved(async () => {
    if (state.root) await diagnose(await walkHandle(state.root), true, false);
  });
  document.getElementById("open-game").addEventListener("click", guarded(openGameFolder));
  const input = document.getElementById("open-game-input");
  input.addEventListener("change", guarded(async () => {
    const files = [...input.files];
    input.value = "";
    if (files.length) await diagnose(walkFiles(files), false);
  }));
  onLanguage(() => {
    if (state.entries) guarded(() => diagnose(state.entries, state.writable))();
  });
}
