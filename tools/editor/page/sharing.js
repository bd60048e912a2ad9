// Ready palettes and colour codes: each applied as one undoable edit that changes only
// the settings' lines; the core builds the palettes in and reads and writes the codes.

import { applyPalette, palettes as builtInPalettes, pasteCode as pastedInto, shareCode } from "./core.js";
import { change, current } from "./document.js";
import { t } from "./i18n.js";
import { element } from "./view.js";

const known = { palettes: [] };

function usePalette(file) {
  const palette = known.palettes.find(p => p.file === file);
  if (palette) change(applyPalette(current().bytes, file), t("Palette {name} applied", { name: t(palette.name) }));
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
  const copied = () => showCodeMessage(t("Copied: post it anywhere; Paste code applies one."));
  if (navigator.clipboard && navigator.clipboard.writeText)
    navigator.clipboard.writeText(input.value).then(copied,
      () => showCodeMessage(t("Selected: press Ctrl+C to copy it.")));
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
    showCodeMessage(t("{problem}. Your file is unchanged.", { problem: error.message }), true);
    return;
  }
  change(bytes, t("Colour code applied"));
  showCodeMessage(t("Applied: Undo takes it back."));
}

// The palettes as a menu button: arrows move, Enter or a click applies one palette once,
// Escape or leaving the menu closes it applying none.
function wirePaletteMenu(guarded) {
  const button = document.getElementById("palettes");
  const list = document.getElementById("palette-list");
  const items = known.palettes.map(p => {
    const item = element("li", { tabIndex: -1 });
    item.setAttribute("role", "menuitem");
    item.dataset.file = p.file;
    list.append(item);
    return item;
  });
  const isOpen = () => !list.hidden;
  const close = (refocus) => {
    list.hidden = true;
    button.setAttribute("aria-expanded", "false");
    if (refocus) button.focus();
  };
  const open = at => {
    list.hidden = false;
    button.setAttribute("aria-expanded", "true");
    items[(at + items.length) % items.length].focus();
  };
  const apply = guarded(item => {
    close(true);
    usePalette(item.dataset.file);
  });
  button.addEventListener("click", () => (isOpen() ? close(false) : open(0)));
  button.addEventListener("keydown", event => {
    const at = { ArrowDown: 0, ArrowUp: -1 }[event.key];
    if (at === undefined) return;
    event.preventDefault();
    open(at);
  });
  list.addEventListener("click", event => {
    const item = event.target.closest("[role=menuitem]");
    if (item) apply(item);
  });
  list.addEventListener("keydown", event => {
    const now = items.indexOf(document.activeElement);
    const moves = { ArrowDown: now + 1, ArrowUp: now - 1, Home: 0, End: items.length - 1 };
    if (event.key in moves) {
      event.preventDefault();
      items[(moves[event.key] + items.length) % items.length].focus();
    } else if (event.key === "Enter" || event.key === " ") {
      event.preventDefault();
      if (now >= 0) apply(items[now]);
    } else if (event.key === "Escape") {
      event.preventDefault();
      close(true);
    } else if (event.key === "Tab") {
      close(false);
    }
  });
  document.getElementById("palette-menu").addEventListener("focusout", event => {
    if (isOpen() && !event.currentTarget.contains(event.relatedTarget)) close(false);
  });
}

// The palettes' names and purposes in the page's language.
export function namePalettes() {
  for (const item of document.querySelectorAll("#palette-list [data-file]")) {
    const palette = known.palettes.find(p => p.file === item.dataset.file);
    item.textContent = t(palette.name);
    item.title = palette.purpose ? t(palette.purpose) : "";
  }
}

export function wireSharing(guarded) {
  known.palettes = builtInPalettes();
  wirePaletteMenu(guarded);
  namePalettes();
  document.getElementById("copy-code").addEventListener("click", guarded(copyCode));
  document.getElementById("paste-code").addEventListener("click", guarded(pasteCode));
  document.getElementById("code").addEventListener("keydown", event => {
    if (event.key === "Enter") guarded(pasteCode)();
  });
}
