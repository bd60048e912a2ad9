// What the page shows of the report: the HUD picture, the list of the settings and the
// findings of the file as a whole. Text from the file is only ever set as text.

import { fixesOfErrors } from "./facts.js";
import { fixFile } from "./core.js";
import { t, tn } from "./i18n.js";
import { change, current, history, isDirty } from "./document.js";
import { select, selectedKey } from "./selection.js";

export const componentNames = () => [t("red"), t("green"), t("blue"), t("alpha")];

// As the checker prints it: skipped components in brackets.
export function writtenText(setting) {
  return setting.texts.map((text, i) => setting.written[i] === null ? t("[{value} skipped]", { value: text }) : text)
    .join(" ");
}

export const isColour = setting => setting.kind === "rgb" || setting.kind === "rgba";

// The colour the game will show: a skipped component keeps the game's own byte,
// shown here as the default.
export function shownRgb(setting) {
  return [0, 1, 2].map(i => setting.written[i] === null ? setting.defaults[i] : setting.written[i]);
}

export function hex(rgb) {
  return "#" + rgb.map(c => Math.max(0, Math.min(255, c)).toString(16).padStart(2, "0")).join("");
}

export const findingsFor = (report, key) => report.findings.filter(f => f.key === key);

export function element(tag, properties = {}, ...children) {
  const node = Object.assign(document.createElement(tag), properties);
  node.append(...children);
  return node;
}

// What a fix does, in words, from its action.
export function fixLabel(fix) {
  switch (fix.action) {
    case "replace-line": return t("write {text}", { text: fix.text });
    case "append-line": return t("add the line {text}", { text: fix.text });
    case "delete-line": return t("remove this line");
    case "comment-line": return t("make this line a comment");
    case "remove-mark": return t("remove the byte-order mark");
    case "remove-ctrl-z": return t("remove the Ctrl-Z");
    case "line-ends": return t("end every line with CR LF");
    case "convert": return t("save it as 8-bit text");
    default: return fix.action;
  }
}

// Applies one finding's fix, or those given by `which` (fixesOfErrors, allFixes).
export function applyFix(which, what) {
  const { bytes, file } = current();
  change(fixFile(bytes, file.name, which), what);
}

export function findingBox(finding) {
  const where = finding.line ? t("line {line}", { line: finding.line }) : t("the file");
  const box = element("div", { className: "finding" },
    element("div", { textContent: `${where}: ${finding.message}` }),
    element("div", { className: "advice", textContent: finding.advice ?? "" }),
    element("div", { className: "code", textContent: finding.code }));
  box.dataset.code = finding.code;
  if (finding.fix) {
    const label = fixLabel(finding.fix);
    const fix = element("button", { className: "fix", type: "button", textContent: t("Fix") });
    fix.title = fix.ariaLabel = t("Fix {where}: {label}", { where, label });
    fix.onclick = () => applyFix(finding.index, t("Fixed {where}: {label}", { where, label }));
    box.append(element("div", { className: "fix-row" }, fix, " ",
      element("span", { className: "fix-label", textContent: label })));
  }
  return box;
}

// Picking an element or a row opens its setting; from the keyboard too.
function opensSetting(node, key) {
  node.addEventListener("click", () => select(key, false));
  node.addEventListener("keydown", event => {
    if (event.key !== "Enter" && event.key !== " ") return;
    event.preventDefault();
    select(key, true);
  });
}

export function renderPicture(report) {
  const picture = document.getElementById("picture");
  const focused = picture.contains(document.activeElement) ? document.activeElement.dataset.key : null;
  picture.innerHTML = report.svg; // drawn by the core: keys and numbers, no text of the file
  const svg = picture.querySelector("svg");
  svg.removeAttribute("width");
  svg.removeAttribute("height");
  svg.setAttribute("role", "group");
  svg.setAttribute("aria-label", t("The HUD in these colours; pick an element to edit it"));
  const seen = new Set();
  for (const node of picture.querySelectorAll("[data-key]")) {
    const key = node.dataset.key;
    const setting = report.settings.find(s => s.key === key);
    node.setAttribute("tabindex", seen.has(key) ? "-1" : "0");
    node.setAttribute("role", "button");
    node.setAttribute("aria-label", `${key}: ${setting ? setting.element : ""}`);
    node.classList.toggle("selected", key === selectedKey());
    seen.add(key);
    opensSetting(node, key);
  }
  if (focused) picture.querySelector(`[data-key="${CSS.escape(focused)}"]`)?.focus();
}

// A key as text with a break allowed before each capital ("Health<wbr>And<wbr>Armour…"),
// so that a narrow list wraps it between words; copied, it is the key as it stands.
function wordsOf(key) {
  const nodes = [];
  for (const word of key.split(/(?=[A-Z])/)) {
    if (nodes.length) nodes.push(document.createElement("wbr"));
    nodes.push(document.createTextNode(word));
  }
  return nodes;
}

function buildList(report) {
  const body = document.querySelector("#list tbody");
  for (const setting of report.settings) {
    const open = element("button", { className: "key", type: "button" }, ...wordsOf(setting.key));
    const row = element("tr", {},
      element("td", {}, element("span", { className: "swatch" })),
      element("td", {}, open),
      element("td", { className: "written" }),
      element("td", { textContent: setting.element }));
    row.dataset.key = setting.key;
    row.addEventListener("click", event => { if (event.target !== open) select(setting.key, false); });
    open.addEventListener("click", event => select(setting.key, event.detail === 0));
    body.appendChild(row);
  }
}

// The rows stay; only what they show changes, so focus and scrolling stay too.
export function renderList(report) {
  const body = document.querySelector("#list tbody");
  if (!body.children.length) buildList(report);
  for (const setting of report.settings) {
    const row = body.querySelector(`tr[data-key="${setting.key}"]`);
    row.classList.toggle("selected", setting.key === selectedKey());
    row.classList.toggle("flagged", findingsFor(report, setting.key).length > 0);
    const swatch = row.querySelector(".swatch");
    swatch.hidden = !isColour(setting);
    if (isColour(setting)) swatch.style.background = hex(shownRgb(setting));
    row.querySelector(".written").textContent = writtenText(setting);
    row.querySelector("button.key").setAttribute("aria-pressed", String(setting.key === selectedKey()));
  }
}

export function renderFileFindings(report) {
  const box = document.getElementById("file-findings-list");
  box.textContent = "";
  // What is so needs no box; what is only so but has a fix (a section header) does.
  for (const finding of report.findings.filter(f => !f.key && (f.severity !== "info" || f.fix)))
    box.appendChild(findingBox(finding));
  const hidden = report.findingCount - report.findings.length;
  if (hidden > 0)
    box.appendChild(element("p", { className: "note",
      textContent: tn("and {count} more finding; fix the ones above and it comes next",
        "and {count} more findings; fix the ones above and they come next", hidden) }));
}

export function renderHeader() {
  const { file } = current();
  const dirty = isDirty();
  const { undo, redo } = history();
  document.getElementById("file-name").textContent = file.name;
  document.getElementById("dirty").hidden = !dirty;
  document.title = (dirty ? "• " : "") + file.name + " – " + t("Tessivar colour editor");
  document.getElementById("undo").disabled = undo === 0;
  document.getElementById("redo").disabled = redo === 0;
}

// A finding of the summary: its setting opened and its row shown, or the findings of the
// file as a whole for one that is about the file.
function goTo(finding) {
  if (!finding.key) {
    document.getElementById("findings-title").focus();
    return;
  }
  select(finding.key, false);
  const row = document.querySelector(`#list tr[data-key="${CSS.escape(finding.key)}"]`);
  row?.scrollIntoView({ block: "nearest" });
  row?.querySelector("button.key")?.focus({ preventScroll: true });
}

// The answer, at the top: what the plugin makes of the file, each line it does not read
// as meant (a link to it), and one Fix all for the fixes of meaning.
export function renderSummary(report) {
  const box = document.getElementById("summary");
  box.textContent = "";
  const errors = report.findings.filter(f => f.severity === "error");
  box.append(element("p", { className: "answer " + report.answer.verdict, textContent: report.answer.message }));
  if (errors.some(f => f.fix)) {
    const all = element("button", { id: "fix-all", type: "button", textContent: t("Fix all") });
    all.title = t("Apply the fix of every line the plugin does not read as you meant");
    all.addEventListener("click", () =>
      applyFix(fixesOfErrors, t("Fixed every line the plugin did not read as meant")));
    box.append(all);
  }
  if (!errors.length) return;
  const list = element("ul", { className: "not-as-meant" });
  list.setAttribute("aria-label", tn("{count} line the plugin does not read as you meant",
    "{count} lines the plugin does not read as you meant", errors.length));
  list.append(element("li", { className: "fix-label", textContent: list.getAttribute("aria-label") + ":" }));
  for (const finding of errors) {
    const where = (finding.line ? t("line {line}", { line: finding.line }) : t("the file")) +
      (finding.key ? ` ${finding.key}` : "");
    const link = element("button", { type: "button", className: "link", textContent: where, title: finding.message });
    link.addEventListener("click", () => goTo(finding));
    list.append(element("li", {}, link));
  }
  box.append(list);
}
