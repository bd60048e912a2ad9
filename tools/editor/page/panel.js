// The edit panel of the selected setting. It is built once per setting and then only
// updated, so a field being typed in is never replaced under the cursor. Fields take
// what the plugin can use: colours and styles whole numbers 0..255, sizes decimal
// numbers written with a point; anything else is refused, visibly, and never written.

import { setValue } from "./core.js";
import { largestUsualSize } from "./facts.js";
import { change, current, currentReport } from "./document.js";
import { languageCode, t } from "./i18n.js";
import { reportOfOther } from "./report.js";
import { select, selectedKey, setPreview } from "./selection.js";
import {
  componentNames, element, findingBox, findingsFor, hex, isColour, renderList,
  renderPicture, shownRgb,
} from "./view.js";

const state = { key: null, language: null, pending: null, opener: null };

// A field's text as the plugin wants it: { text } or { refused }; `note` when changed.
function wholeNumber(typed, name) {
  const trimmed = typed.trim();
  const number = Number(trimmed);
  if (trimmed === "" || !Number.isFinite(number) || !Number.isInteger(number))
    return { refused: t("{name}: \"{typed}\" is not written; it takes a whole number 0..255", { name, typed }) };
  const clamped = Math.min(255, Math.max(0, number));
  return { text: String(clamped),
           note: clamped !== number || String(number) !== trimmed
             ? t("{name}: {typed} is written as {text}", { name, typed: trimmed, text: clamped }) : "" };
}

function decimalNumber(typed, name) {
  const trimmed = typed.trim().replace(",", ".");
  const number = Number(trimmed);
  if (trimmed === "" || !Number.isFinite(number) || Math.abs(number) > largestUsualSize)
    return { refused: t("{name}: \"{typed}\" is not written; it takes a number like 0.6 (with a point), up to {largest}",
      { name, typed, largest: largestUsualSize }) };
  let text = String(Number(number.toFixed(6)));
  if (!text.includes(".")) text += ".0";
  return { text, note: text !== typed.trim()
    ? t("{name}: {typed} is written as {text}", { name, typed: typed.trim(), text }) : "" };
}

function fieldsOf(setting) {
  if (isColour(setting))
    return componentNames().slice(0, setting.kind === "rgba" ? 4 : 3)
      .map((name, i) => ({ id: "value-" + i, name, index: i, read: wholeNumber }));
  return [{ id: "value", name: setting.kind === "style" ? t("text style") : t("size"), index: 0,
            read: setting.kind === "style" ? wholeNumber : decimalNumber }];
}

// The value the fields make together; a refused field keeps the file's value.
function composedValue(setting) {
  const notes = [], refusals = [];
  const parts = fieldsOf(setting).map(field => {
    const input = document.getElementById(field.id);
    let read = field.read(input.value, field.name);
    input.setAttribute("aria-invalid", String(Boolean(read.refused)));
    if (read.refused) {
      refusals.push(read.refused);
      read = field.read(setting.texts[field.index], field.name);
    }
    if (read.note) notes.push(read.note);
    return read.text ?? setting.default.split(" ")[field.index];
  });
  return { value: parts.join(" "), notes, refusals };
}

function say(messages) {
  document.getElementById("panel-message").textContent = messages.join("; ");
}

// The picture and the list of bytes not yet made the document's.
function showPreview(bytes) {
  setPreview(bytes);
  const { bytes: now, file } = current();
  const report = bytes === now ? currentReport() : reportOfOther(bytes, file.name);
  renderPicture(report);
  renderList(report);
}

function previewValue(key, value) {
  const first = state.pending === null;
  state.pending = { key, value };
  if (!first) return;
  requestAnimationFrame(() => {
    if (!state.pending) return; // made meanwhile
    const { key, value } = state.pending;
    state.pending = null;
    showPreview(setValue(current().bytes, key, value));
  });
}

function commitValue(key, value) {
  state.pending = null;
  change(setValue(current().bytes, key, value), t("{key} set to {value}", { key, value }));
}

function currentSetting() {
  return currentReport().settings.find(s => s.key === state.key);
}

function onFieldInput() {
  const { value, refusals } = composedValue(currentSetting());
  say(refusals);
  if (!refusals.length) previewValue(state.key, value);
}

function onFieldChange() {
  const setting = currentSetting();
  const { value, notes, refusals } = composedValue(setting);
  if (refusals.length) {
    say([...refusals, ...notes]);
    state.pending = null;
    showPreview(current().bytes); // the preview goes; the refused text stays in its field, marked
    return;
  }
  commitValue(setting.key, value);
  say(notes); // after the change, which clears what was said before it
}

function pickerValue(setting) {
  const rgb = [1, 3, 5].map(i => parseInt(document.getElementById("picker").value.substr(i, 2), 16));
  rgb.forEach((c, i) => { document.getElementById("value-" + i).value = String(c); });
  return composedValue(setting).value;
}

function buildPanel(setting) {
  const panel = document.getElementById("panel");
  state.key = setting.key;
  state.language = languageCode();
  panel.textContent = "";
  const back = element("a", { className: "skip", href: "#palettes", textContent: t("Back to the toolbar") });
  back.addEventListener("click", event => {
    event.preventDefault();
    document.getElementById("open").focus();
  });
  const closer = element("button", { id: "panel-close", type: "button", textContent: "×", title: t("Close (Escape)") });
  closer.ariaLabel = t("Close the panel");
  closer.addEventListener("click", closePanel);
  const title = element("h2", { id: "panel-title", tabIndex: -1, textContent: setting.key });
  const where = element("div", { className: "element", id: "panel-where" });
  const row = element("div", { className: "row" });
  if (isColour(setting)) {
    const picker = element("input", { type: "color", id: "picker" });
    picker.setAttribute("aria-label", t("colour of {key}", { key: setting.key }));
    picker.addEventListener("input", () => previewValue(state.key, pickerValue(currentSetting())));
    picker.addEventListener("change", () => commitValue(state.key, pickerValue(currentSetting())));
    row.appendChild(picker);
  }
  for (const field of fieldsOf(setting)) {
    const input = element("input", { type: "text", id: field.id, size: 5, autocomplete: "off" });
    input.inputMode = field.read === wholeNumber ? "numeric" : "decimal";
    input.addEventListener("input", onFieldInput);
    input.addEventListener("change", onFieldChange);
    row.appendChild(element("label", {}, field.name + " ", input));
  }
  const reset = element("button", { id: "reset", type: "button", textContent: t("Reset to default") });
  reset.addEventListener("click", () => commitValue(state.key, currentSetting().default));
  row.appendChild(reset);
  panel.append(back, closer, title, where, row,
    element("div", { id: "panel-message", className: "refused", role: "status" }),
    element("div", { id: "panel-note", className: "note" }),
    element("div", { id: "panel-raw", className: "raw" }),
    element("div", { id: "panel-findings" }));
  panel.setAttribute("aria-labelledby", "panel-title");
}

function updatePanel(setting, report) {
  document.getElementById("panel-where").textContent =
    setting.element + " · " + (setting.line ? t("line {line}", { line: setting.line }) : t("default"));
  for (const field of fieldsOf(setting)) {
    const input = document.getElementById(field.id);
    if (input !== document.activeElement) {
      input.value = setting.texts[field.index];
      input.setAttribute("aria-invalid", "false");
    }
  }
  const picker = document.getElementById("picker");
  if (picker && picker !== document.activeElement) picker.value = hex(shownRgb(setting));
  const skipped = setting.written.map((w, i) => w === null ? componentNames()[i] : null).filter(Boolean);
  document.getElementById("panel-note").textContent = skipped.length
    ? t("outside 0..255, so not written: the game keeps its own {components} (shown here as the default)",
      { components: skipped.join(", ") }) : "";
  document.getElementById("panel-raw").textContent = setting.line
    ? t("in the file: {line}", { line: `${setting.key}=${setting.raw}` }) : t("not in the file: the default applies");
  // A refusal holds while its text stands in a field; a change put the file's value back.
  if (!document.querySelector("#panel input[aria-invalid=true]")) say([]);
  const findings = document.getElementById("panel-findings");
  findings.textContent = "";
  for (const finding of findingsFor(report, setting.key)) findings.appendChild(findingBox(finding));
}

export function renderPanel(report, key) {
  const setting = report.settings.find(s => s.key === key);
  if (!setting) return;
  if (state.key !== setting.key || state.language !== languageCode()) {
    buildPanel(setting);
    say([]);
  }
  updatePanel(setting, report);
}

const floats = panel => getComputedStyle(panel).position === "fixed";

// The element's box on the screen: the picture's shapes of the key, or else its row.
function placeOf(key) {
  const shapes = [...document.querySelectorAll(`#picture [data-key="${CSS.escape(key)}"]`)];
  const boxes = shapes.map(s => s.getBoundingClientRect());
  if (!boxes.length) return null;
  return { left: Math.min(...boxes.map(b => b.left)), right: Math.max(...boxes.map(b => b.right)) };
}

// The panel in view once a setting is opened, without moving the page: beside the
// picture, or floating over the half of it away from the element. From the keyboard, its
// first field is focused.
export function showPanel(fromKeyboard) {
  const panel = document.getElementById("panel");
  const key = selectedKey();
  // The picture is drawn anew after each change: what opened it is found again by its key.
  const from = document.activeElement;
  if (key) state.opener = from?.closest?.("#picture") ? { key, inPicture: true } : { node: from };
  const place = key && placeOf(key);
  panel.classList.toggle("on-left", !!place && (place.left + place.right) / 2 > window.innerWidth / 2);
  panel.classList.toggle("open", !!key);
  const box = panel.getBoundingClientRect();
  if (!floats(panel) && (box.top < 0 || box.top >= window.innerHeight)) panel.scrollIntoView({ block: "nearest" });
  if (fromKeyboard) panel.querySelector("input, button:not(#panel-close)")?.focus({ preventScroll: true });
}

// Floating, it closes (Escape too), and focus goes back where the setting was opened.
export function closePanel() {
  const panel = document.getElementById("panel");
  panel.classList.remove("open");
  const opener = state.opener;
  select(null);
  const node = opener?.inPicture
    ? document.querySelector(`#picture [data-key="${CSS.escape(opener.key)}"][tabindex="0"]`)
    : opener?.node;
  if (node?.isConnected) node.focus({ preventScroll: true });
}

export function wirePanel() {
  document.getElementById("panel").addEventListener("keydown", event => {
    if (event.key === "Escape" && floats(event.currentTarget)) {
      event.preventDefault();
      closePanel();
    }
  });
}
