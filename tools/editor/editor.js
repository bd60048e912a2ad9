// The editor page. Everything it knows of the ini comes from the plugin's own code,
// compiled to WebAssembly (TessivarCore): it parses nothing itself.
"use strict";

const state = { bytes: null, name: "Tessivar.VC.ini", history: [], report: null, selected: null };
let core = null;

// --- The core: bytes in, bytes or JSON out ---------------------------------------

function result(length) {
  const at = core._editor_result();
  return core.HEAPU8.slice(at, at + length);
}

function callCore(name, bytes, ...rest) {
  const types = ["array", "number"].concat(rest.map(v => typeof v === "number" ? "number" : "string"));
  return result(core.ccall(name, "number", types, [bytes, bytes.length, ...rest]));
}

function check(bytes) {
  const json = callCore("editor_check", bytes);
  let text = "";
  for (let i = 0; i < json.length; i += 8192)
    text += String.fromCharCode.apply(null, json.subarray(i, i + 8192));
  return JSON.parse(text);
}

// --- What the page shows ---------------------------------------------------------

function formatNumber(value) {
  if (typeof value === "string") return value;
  return Number.isInteger(value) ? String(value) : String(Number(value.toPrecision(6)));
}

// As the checker prints it: skipped components in brackets.
function writtenText(setting) {
  return setting.parsed.map((value, i) => setting.written[i] === null
    ? "[" + formatNumber(value) + " skipped]" : formatNumber(value)).join(" ");
}

function isColour(setting) {
  return setting.kind === "rgb" || setting.kind === "rgba";
}

// The colour the game will show: a skipped component keeps the game's own byte,
// shown here as the default.
function shownRgb(setting) {
  return [0, 1, 2].map(i => setting.written[i] === null ? setting.defaults[i] : setting.written[i]);
}

function hex(rgb) {
  return "#" + rgb.map(c => Math.max(0, Math.min(255, c)).toString(16).padStart(2, "0")).join("");
}

function findingsFor(key) {
  return state.report.findings.filter(f => f.key === key);
}

function findingBox(finding) {
  const box = document.createElement("div");
  box.className = "finding";
  box.textContent = (finding.line ? "line " + finding.line : "file") + ": " + finding.message + " ";
  const advice = document.createElement("div");
  advice.textContent = finding.suggestion + " ";
  box.appendChild(advice);
  if (finding.fix && finding.line) {
    const fix = document.createElement("button");
    fix.textContent = "Fix";
    fix.className = "fix";
    fix.title = "write " + finding.fix + " on line " + finding.line;
    fix.onclick = () => change(callCore("editor_replace_line", state.bytes, finding.line, finding.fix));
    advice.appendChild(fix);
  }
  return box;
}

function renderList() {
  const body = document.querySelector("#list tbody");
  body.textContent = "";
  for (const setting of state.report.settings) {
    const row = document.createElement("tr");
    row.dataset.key = setting.key;
    if (setting.key === state.selected) row.classList.add("selected");
    if (findingsFor(setting.key).length) row.classList.add("flagged");
    const swatch = isColour(setting)
      ? `<span class="swatch" style="background:${hex(shownRgb(setting))}"></span>` : "";
    row.innerHTML = `<td>${swatch}</td><td class="key"></td><td class="written"></td><td></td>`;
    row.children[1].textContent = setting.key;
    row.children[2].textContent = writtenText(setting);
    row.children[3].textContent = setting.element;
    row.onclick = () => select(setting.key);
    body.appendChild(row);
  }
}

function renderPicture() {
  const picture = document.getElementById("picture");
  picture.innerHTML = state.report.svg;
  for (const element of picture.querySelectorAll("[data-key]"))
    element.addEventListener("click", () => select(element.dataset.key));
}

function renderFileFindings() {
  const box = document.getElementById("file-findings");
  box.textContent = "";
  for (const finding of state.report.findings.filter(f => !f.key)) box.appendChild(findingBox(finding));
}

function numberInput(id, value, min, max, step) {
  const input = document.createElement("input");
  Object.assign(input, { type: "number", id, value, step });
  if (min !== null) input.min = min;
  if (max !== null) input.max = max;
  return input;
}

function renderPanel() {
  const panel = document.getElementById("panel");
  const setting = state.report.settings.find(s => s.key === state.selected);
  if (!setting) return;
  panel.textContent = "";
  const title = document.createElement("h2");
  title.textContent = setting.key;
  const element = document.createElement("div");
  element.className = "element";
  element.textContent = setting.element + (setting.line ? " · line " + setting.line : " · default");
  panel.append(title, element);

  const row = document.createElement("div");
  row.className = "row";
  if (isColour(setting)) {
    const picker = document.createElement("input");
    Object.assign(picker, { type: "color", id: "picker", value: hex(shownRgb(setting)) });
    picker.onchange = () => {
      const rgb = [1, 3, 5].map(i => parseInt(picker.value.substr(i, 2), 16));
      if (setting.kind === "rgba") rgb.push(Number(document.getElementById("value-3").value));
      setValue(setting.key, rgb.join(" "));
    };
    row.appendChild(picker);
    const names = setting.kind === "rgba" ? ["red", "green", "blue", "alpha"] : ["red", "green", "blue"];
    names.forEach((name, i) => {
      const label = document.createElement("label");
      label.textContent = name + " ";
      const input = numberInput("value-" + i, formatNumber(setting.parsed[i]), 0, 255, 1);
      input.onchange = () => setValue(setting.key,
        names.map((_, j) => document.getElementById("value-" + j).value).join(" "));
      label.appendChild(input);
      row.appendChild(label);
    });
  } else {
    const label = document.createElement("label");
    label.textContent = setting.kind === "style" ? "text style " : "size ";
    const input = numberInput("value", formatNumber(setting.parsed[0]),
      setting.kind === "style" ? 0 : null, setting.kind === "style" ? 255 : null,
      setting.kind === "style" ? 1 : "any");
    input.onchange = () => setValue(setting.key, input.value);
    label.appendChild(input);
    row.appendChild(label);
  }
  const reset = document.createElement("button");
  reset.id = "reset";
  reset.textContent = "Reset to default";
  reset.onclick = () => setValue(setting.key, setting.defaults.map(formatNumber).join(" "));
  row.appendChild(reset);
  panel.appendChild(row);

  const skipped = setting.written.map((w, i) => w === null ? i : -1).filter(i => i >= 0);
  if (skipped.length) {
    const note = document.createElement("div");
    note.className = "note";
    note.textContent = "outside 0..255, so not written: the game keeps its own " +
      skipped.map(i => ["red", "green", "blue", "alpha"][i]).join(", ") + " (shown here as the default)";
    panel.appendChild(note);
  }
  if (setting.raw !== "" || setting.line) {
    const raw = document.createElement("div");
    raw.textContent = "in the file: " + setting.key + "=" + setting.raw;
    panel.appendChild(raw);
  }
  for (const finding of findingsFor(setting.key)) panel.appendChild(findingBox(finding));
}

function render() {
  state.report = check(state.bytes);
  renderPicture();
  renderList();
  renderFileFindings();
  renderPanel();
  document.getElementById("file-name").textContent = state.name;
  document.getElementById("undo").disabled = state.history.length === 0;
}

// --- What the player does ----------------------------------------------------------

function change(bytes) {
  state.history.push(state.bytes);
  state.bytes = bytes;
  render();
}

function setValue(key, value) {
  change(callCore("editor_set", state.bytes, key, value));
}

function select(key) {
  state.selected = key;
  render();
}

function load(bytes, name) {
  state.bytes = bytes;
  state.name = name;
  state.history = [];
  render();
}

async function openFile(file) {
  load(new Uint8Array(await file.arrayBuffer()), file.name);
}

function save() {
  const link = document.createElement("a");
  link.href = URL.createObjectURL(new Blob([state.bytes], { type: "application/octet-stream" }));
  link.download = /\.ini$/i.test(state.name) ? state.name : "Tessivar.VC.ini";
  document.body.appendChild(link);
  link.click();
  setTimeout(() => { URL.revokeObjectURL(link.href); link.remove(); }, 1000);
}

function wire() {
  document.getElementById("open").onchange = event => {
    if (event.target.files[0]) openFile(event.target.files[0]);
    event.target.value = "";
  };
  document.getElementById("new").onclick = () => load(result(core._editor_new_file()), "Tessivar.VC.ini");
  document.getElementById("save").onclick = save;
  document.getElementById("undo").onclick = () => {
    if (!state.history.length) return;
    state.bytes = state.history.pop();
    render();
  };
  document.getElementById("reset-all").onclick = () => change(callCore("editor_reset_all", state.bytes));
  document.addEventListener("dragover", event => {
    event.preventDefault();
    document.body.classList.add("dragging");
  });
  document.addEventListener("dragleave", () => document.body.classList.remove("dragging"));
  document.addEventListener("drop", event => {
    event.preventDefault();
    document.body.classList.remove("dragging");
    if (event.dataTransfer.files[0]) openFile(event.dataTransfer.files[0]);
  });
}

TessivarCore().then(module => {
  core = module;
  wire();
  load(result(core._editor_new_file()), "Tessivar.VC.ini");
  document.body.dataset.ready = "yes";
});
