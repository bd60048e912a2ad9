// What the page shows of the report: the HUD picture, the list of the 34 settings and
// the findings of the file as a whole. Text from the file is only ever set as text.

const ui = { selected: null, preview: null };
const componentNames = ["red", "green", "blue", "alpha"];

function formatNumber(value) {
  if (typeof value === "string") return value;
  return Number.isInteger(value) ? String(value) : String(Number(value.toPrecision(6)));
}

// As the checker prints it: skipped components in brackets.
function writtenText(setting) {
  return setting.parsed.map((value, i) => setting.written[i] === null
    ? "[" + formatNumber(value) + " skipped]" : formatNumber(value)).join(" ");
}

const isColour = setting => setting.kind === "rgb" || setting.kind === "rgba";

// The colour the game will show: a skipped component keeps the game's own byte,
// shown here as the default.
function shownRgb(setting) {
  return [0, 1, 2].map(i => setting.written[i] === null ? setting.defaults[i] : setting.written[i]);
}

function hex(rgb) {
  return "#" + rgb.map(c => Math.max(0, Math.min(255, c)).toString(16).padStart(2, "0")).join("");
}

const findingsFor = (report, key) => report.findings.filter(f => f.key === key);

function element(tag, properties = {}, ...children) {
  const node = Object.assign(document.createElement(tag), properties);
  node.append(...children);
  return node;
}

function findingBox(finding) {
  const where = finding.line ? "line " + finding.line : "the file";
  const box = element("div", { className: "finding" },
    element("div", { textContent: `${where}: ${finding.message}` }),
    element("div", { className: "advice", textContent: finding.suggestion }));
  if (finding.fix) {
    const fix = element("button", { className: "fix", textContent: "Fix" });
    fix.title = fix.ariaLabel = `Fix ${where}: ${finding.fix.label}`;
    const label = element("span", { className: "fix-label", textContent: finding.fix.label });
    fix.onclick = () => change(spliced(doc.bytes, finding.fix), `Fixed ${where}: ${finding.fix.label}`);
    box.append(element("div", { className: "fix-row" }, fix, " ", label));
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

function renderPicture(report) {
  const picture = document.getElementById("picture");
  const focused = picture.contains(document.activeElement) ? document.activeElement.dataset.key : null;
  picture.innerHTML = report.svg; // drawn by the core: keys and numbers, no text of the file
  const svg = picture.querySelector("svg");
  svg.removeAttribute("width");
  svg.removeAttribute("height");
  svg.setAttribute("role", "group");
  svg.setAttribute("aria-label", "The HUD in these colours; pick an element to edit it");
  const seen = new Set();
  for (const node of picture.querySelectorAll("[data-key]")) {
    const key = node.dataset.key;
    const setting = report.settings.find(s => s.key === key);
    node.setAttribute("tabindex", seen.has(key) ? "-1" : "0");
    node.setAttribute("role", "button");
    node.setAttribute("aria-label", `${key}: ${setting ? setting.element : ""}`);
    node.classList.toggle("selected", key === ui.selected);
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
function renderList(report) {
  const body = document.querySelector("#list tbody");
  if (!body.children.length) buildList(report);
  for (const setting of report.settings) {
    const row = body.querySelector(`tr[data-key="${setting.key}"]`);
    row.classList.toggle("selected", setting.key === ui.selected);
    row.classList.toggle("flagged", findingsFor(report, setting.key).length > 0);
    const swatch = row.querySelector(".swatch");
    swatch.hidden = !isColour(setting);
    if (isColour(setting)) swatch.style.background = hex(shownRgb(setting));
    row.querySelector(".written").textContent = writtenText(setting);
    row.querySelector("button.key").setAttribute("aria-pressed", String(setting.key === ui.selected));
  }
}

function renderFileFindings(report) {
  const box = document.getElementById("file-findings-list");
  box.textContent = "";
  for (const finding of report.findings.filter(f => !f.key)) box.appendChild(findingBox(finding));
  const hidden = report.findingCount - report.findings.length;
  if (hidden > 0)
    box.appendChild(element("p", { className: "note",
      textContent: `and ${hidden} more findings; fix the ones above and they come next` }));
}

function renderHeader() {
  const dirty = isDirty();
  document.getElementById("file-name").textContent = doc.file.name;
  document.getElementById("dirty").hidden = !dirty;
  document.title = (dirty ? "• " : "") + doc.file.name + " – Tessivar colour editor";
  document.getElementById("undo").disabled = steps.undo.length === 0;
  document.getElementById("redo").disabled = steps.redo.length === 0;
}

// The picture and the list of bytes not yet committed (a picker being dragged).
function renderPreview(bytes) {
  const report = bytes === doc.bytes ? reportOf(bytes) : checkBytes(bytes, true);
  renderPicture(report);
  renderList(report);
}

function render() {
  const report = reportOf(doc.bytes);
  const focused = document.activeElement;
  ui.preview = null;
  renderPicture(report);
  renderList(report);
  renderFileFindings(report);
  renderPanel(report);
  renderHeader();
  renderViews(report);
  // A control that went (a Fix whose finding is gone): focus stays near it.
  if (focused && focused !== document.body && !focused.isConnected)
    (document.getElementById("panel-title") ?? document.getElementById("findings-title")).focus();
}

function select(key, fromKeyboard) {
  ui.selected = key;
  render();
  showPanel(fromKeyboard);
}

function tell(message, kind = "") {
  const notice = document.getElementById("notice");
  notice.textContent = message;
  notice.className = kind;
  notice.hidden = !message;
}

function announce(message) {
  document.getElementById("announce").textContent = message || "";
}
