// Ready palettes and colour codes: each applied as one undoable edit that changes only
// the settings' lines; the core builds the palettes in and reads and writes the codes.

import { applyPalette, palettes as builtInPalettes, pasteCode as pastedInto, shareCode } from "./core.js";
import { change, current } from "./document.js";
import { element } from "./view.js";

const known = { palettes: [] };

function usePalette(file) {
  const palette = known.palettes.find(p => p.file === file);
  if (palette) change(applyPalette(current().bytes, file), `Palette ${palette.name} applied`);
}

function showCodeMessage(text, problem) {
  const box = document.getElementById("code-message");
  box.textContent = text;
  box.classList.toggle("problem", !!problem);
}

export function clearCodeMessage() {
  showCodeMessage("", false);
}

function copyCode() {
  const input = document.getElementById("code");
  input.value = shareCode(current().bytes);
  input.select();
  const copied = () => showCodeMessage("Copied: post it anywhere; Paste code applies one.");
  if (navigator.clipboard && navigator.clipboard.writeText)
    navigator.clipboard.writeText(input.value).then(copied, () => showCodeMessage("Selected: press Ctrl+C to copy it."));
  else copied();
}

// What is in the field, or else what is on the clipboard (where the browser allows).
async function pasteCode() {
  const input = document.getElementById("code");
  if (!input.value.trim() && navigator.clipboard && navigator.clipboard.readText)
    input.value = await navigator.clipboard.readText().catch(() => "");
  let bytes;
  try {
    bytes = pastedInto(current().bytes, input.value);
  } catch (error) {
    showCodeMessage(`${error.message}. Your file is unchanged.`, true);
    return;
  }
  change(bytes, "Colour code applied");
  showCodeMessage("Applied: Undo takes it back.");
}

export function wireSharing(guarded) {
  known.palettes = builtInPalettes();
  const menu = document.getElementById("palettes");
  for (const p of known.palettes) menu.append(element("option", { value: p.file, textContent: p.name, title: p.purpose }));
  menu.addEventListener("change", () => {
    if (menu.value) usePalette(menu.value);
    menu.value = "";
  });
  document.getElementById("copy-code").addEventListener("click", guarded(copyCode));
  document.getElementById("paste-code").addEventListener("click", guarded(pasteCode));
  document.getElementById("code").addEventListener("keydown", event => {
    if (event.key === "Enter") guarded(pasteCode)();
  });
}
