// The page's views beyond one setting: ready palettes, colour codes, the picture's
// background (two reference scenes or the player's own screenshot), colour-vision
// views, contrast flags with their fixes, compare, and the picture saved as a PNG.
// The core works everything out; this script draws and wires. Nothing leaves the page.
"use strict";

const WIDTH = 980, HEIGHT = 630; // the picture's own units, and the backdrop's pixels
const view = {
  palettes: [], opened: null, background: "night", screenshot: null, pixels: null,
  vision: "normal", compare: "yours", contrast: [],
};

// --- The core's answers ------------------------------------------------------------

function viewBytes(length) {
  const at = core._editor_view_result();
  return core.HEAPU8.slice(at, at + length);
}

// The core's JSON and messages are ASCII, with everything else escaped.
function viewText(length) {
  return String.fromCharCode.apply(null, viewBytes(length));
}

// `_editor_<name>(file, size, more...)`: the file, texts and byte arrays go onto the
// heap (never the stack, however big the file), numbers as they are.
function viewCall(name, bytes, ...more) {
  const taken = [];
  const place = data => {
    const at = core._malloc(Math.max(1, data.length));
    if (!at) throw new Error(`not enough memory for ${data.length} bytes`);
    taken.push(at);
    core.HEAPU8.set(data, at);
    return at;
  };
  const text = value => Uint8Array.from(value + "\0", c => c.charCodeAt(0) & 0xff);
  try {
    return core["_editor_" + name](place(bytes), bytes.length, ...more.map(value =>
      typeof value === "number" ? value : place(typeof value === "string" ? text(value) : value)));
  } finally {
    taken.forEach(at => core._free(at));
  }
}

// --- Controls ----------------------------------------------------------------------

function element(tag, props, ...children) {
  const el = Object.assign(document.createElement(tag), props);
  el.append(...children);
  return el;
}

function option(value, text, title) {
  return element("option", { value, textContent: text, title: title || "" });
}

function buildViewBar() {
  const palettes = element("select", { id: "palettes", title: "Apply a ready palette: your comments stay" },
    option("", "Palettes…"));
  view.palettes.forEach((p, i) => palettes.append(option(String(i), p.name, p.purpose)));
  palettes.onchange = () => {
    if (palettes.value === "") return;
    change(viewBytes(viewCall("apply_palette", state.bytes, Number(palettes.value))));
    palettes.value = "";
  };
  const code = element("input", { id: "code", size: 40, spellcheck: false, autocomplete: "off",
    placeholder: "paste a colour code here (TVC1…)" });
  code.onkeydown = event => { if (event.key === "Enter") pasteCode(); };
  const bar = element("div", { id: "view-bar" },
    palettes,
    element("button", { id: "copy-code", textContent: "Copy code", onclick: copyCode,
      title: "All 34 settings in one word to post or send" }),
    code,
    element("button", { id: "paste-code", textContent: "Paste code", onclick: pasteCode }),
    element("span", { id: "code-message", className: "message" }));
  const background = element("select", { id: "background", title: "What the picture stands on" },
    option("night", "Night scene"), option("day", "Day scene"), option("screenshot", "Your screenshot"));
  background.options[2].disabled = true;
  background.onchange = () => setBackground(background.value);
  const file = element("input", { id: "screenshot-file", type: "file", hidden: true,
    accept: "image/png,image/jpeg,image/bmp,.png,.jpg,.jpeg,.bmp" });
  file.onchange = () => { if (file.files[0]) useScreenshot(file.files[0]); file.value = ""; };
  const vision = element("select", { id: "vision", title: "See the picture as players with a colour-vision deficiency see it" },
    option("normal", "Normal vision"), option("protanopia", "Protanopia (no red)"),
    option("deuteranopia", "Deuteranopia (no green)"), option("tritanopia", "Tritanopia (no blue)"),
    option("grey", "Grey"));
  vision.onchange = () => { view.vision = vision.value; applyVision(); };
  const compare = element("select", { id: "compare", title: "Look without changing anything" },
    option("yours", "Picture: your file"), option("defaults", "Picture: the defaults"),
    option("opened", "Picture: as opened"));
  compare.onchange = () => { view.compare = compare.value; render(); };
  const tools = element("div", { id: "picture-bar" },
    background, element("label", { className: "button", htmlFor: "screenshot-file", textContent: "Screenshot…",
      title: "A game screenshot (PNG, JPEG or BMP) behind the HUD; it stays on this computer" }),
    file, vision, compare,
    element("button", { id: "save-picture", textContent: "Save picture", onclick: savePicture }),
    element("span", { id: "picture-message", className: "message" }));
  document.querySelector("header").after(bar);
  return tools;
}

function buildStage(tools) {
  const picture = document.getElementById("picture");
  const stage = element("div", { id: "stage" });
  const canvas = element("canvas", { id: "backdrop", width: WIDTH, height: HEIGHT });
  picture.before(tools, stage);
  stage.append(canvas, picture);
  stage.after(element("div", { id: "compare-note", className: "message" }), element("div", { id: "contrast" }));
}

// Colour-matrix filters from the core's matrices, on linear light as they are meant.
function buildVisionFilters() {
  const matrices = JSON.parse(viewText(core._editor_vision_matrices()));
  const ns = "http://www.w3.org/2000/svg";
  const svg = document.createElementNS(ns, "svg");
  svg.setAttribute("width", "0");
  svg.setAttribute("height", "0");
  svg.style.position = "absolute";
  for (const [name, m] of Object.entries(matrices)) {
    const filter = document.createElementNS(ns, "filter");
    filter.id = "vision-" + name;
    filter.setAttribute("color-interpolation-filters", "linearRGB");
    const matrix = document.createElementNS(ns, "feColorMatrix");
    matrix.setAttribute("type", "matrix");
    matrix.setAttribute("values", [0, 3, 6].map(r => m.slice(r, r + 3).join(" ") + " 0 0").join(" ") + " 0 0 0 1 0");
    filter.append(matrix);
    svg.append(filter);
  }
  document.body.append(svg);
}

const viewStyle = `
  #view-bar, #picture-bar { display: flex; gap: .5em; align-items: center; flex-wrap: wrap; }
  #view-bar { padding: .5em 1em; background: #26282c; border-bottom: 1px solid #444; }
  #picture-bar { margin-bottom: .5em; }
  select, #code { background: #3a3d44; color: #eee; border: 1px solid #555; border-radius: 4px;
                  padding: .3em .4em; font: inherit; }
  #code { font-family: monospace; flex: 1 1 16em; min-width: 12em; }
  .message { color: #9ab; }
  .message.problem { color: #f7768e; }
  #stage { position: relative; border: 1px solid #444; }
  #backdrop { display: block; width: 100%; height: auto; }
  #stage #picture { position: absolute; inset: 0; }
  #stage #picture svg { border: 0; }
  #stage #picture svg > rect[fill^="url(#sky"] { display: none; }
  #compare-note:empty, #contrast:empty { display: none; }
  #contrast { background: #2b2d31; border: 1px solid #444; border-radius: 6px; padding: .5em .8em;
              margin-top: .6em; }
  #contrast .low { margin: .3em 0; }
  #contrast .ratio { color: #f7768e; font-weight: bold; }
  tr.low-contrast .contrast-flag { color: #f7768e; }
`;

// --- Palettes and codes --------------------------------------------------------------

function showMessage(id, text, problem) {
  const box = document.getElementById(id);
  box.textContent = text;
  box.classList.toggle("problem", !!problem);
}

function copyCode() {
  const input = document.getElementById("code");
  input.value = viewText(viewCall("code", state.bytes));
  input.select();
  const done = () => showMessage("code-message", "copied: post it anywhere; Paste code applies one");
  if (navigator.clipboard && navigator.clipboard.writeText)
    navigator.clipboard.writeText(input.value).then(done, () => showMessage("code-message", "selected: press Ctrl+C to copy it"));
  else done();
}

async function pasteCode() {
  const input = document.getElementById("code");
  if (!input.value.trim() && navigator.clipboard && navigator.clipboard.readText)
    input.value = await navigator.clipboard.readText().catch(() => "");
  const length = viewCall("paste_code", state.bytes, input.value);
  if (length < 0) {
    showMessage("code-message", viewText(-1 - length) + "; your file is unchanged", true);
    return;
  }
  change(viewBytes(length));
  showMessage("code-message", "applied: Undo takes it back");
}

// --- The background ------------------------------------------------------------------

// Repeatable "random" numbers, so the scenes are the same on every machine.
function seeded(seed) {
  return () => (seed = (seed * 1103515245 + 12345) % 2147483648) / 2147483648;
}

function gradient(ctx, stops, y0, y1) {
  const g = ctx.createLinearGradient(0, y0, 0, y1);
  stops.forEach(([at, colour]) => g.addColorStop(at, colour));
  return g;
}

// A skyline of `colours` standing on `ground`, with windows.
function skyline(ctx, random, ground, colours, window, lit) {
  for (let x = -10; x < WIDTH; ) {
    const w = 50 + random() * 90, h = 120 + random() * 230;
    ctx.fillStyle = colours[Math.floor(random() * colours.length)];
    ctx.fillRect(x, ground - h, w, h);
    for (let wy = ground - h + 12; wy < ground - 14; wy += 18)
      for (let wx = x + 8; wx < x + w - 12; wx += 14) {
        if (random() > lit) continue;
        ctx.fillStyle = window;
        ctx.fillRect(wx, wy, 7, 9);
      }
    x += w + 2;
  }
}

function drawNight(ctx) {
  const random = seeded(7);
  ctx.fillStyle = gradient(ctx, [[0, "#05070f"], [0.7, "#121a2e"]], 0, HEIGHT);
  ctx.fillRect(0, 0, WIDTH, HEIGHT);
  ctx.fillStyle = "#c9d3e8";
  for (let i = 0; i < 80; ++i) ctx.fillRect(random() * WIDTH, random() * 260, 1.5, 1.5);
  skyline(ctx, random, 470, ["#0b0e17", "#0e121d", "#090b12"], "#c9a85a", 0.18);
  ctx.fillStyle = "#0d0f13";
  ctx.fillRect(0, 470, WIDTH, HEIGHT - 470);
  ctx.fillStyle = "#3b3a30";
  for (let x = 0; x < WIDTH; x += 90) ctx.fillRect(x, 545, 50, 5);
  for (const x of [120, 440, 760]) {
    const glow = ctx.createRadialGradient(x, 470, 2, x, 470, 90);
    glow.addColorStop(0, "rgba(255,200,110,0.35)");
    glow.addColorStop(1, "rgba(255,200,110,0)");
    ctx.fillStyle = glow;
    ctx.fillRect(x - 90, 380, 180, 180);
  }
}

function drawDay(ctx) {
  const random = seeded(11);
  ctx.fillStyle = gradient(ctx, [[0, "#1f5aa3"], [0.5, "#3f7cbf"]], 0, HEIGHT);
  ctx.fillRect(0, 0, WIDTH, HEIGHT);
  skyline(ctx, random, 470, ["#6a5f55", "#5b6873", "#76706a", "#4f5a66"], "#2f3a48", 0.7);
  ctx.fillStyle = "#8b857a";
  ctx.fillRect(0, 462, WIDTH, 18);
  ctx.fillStyle = "#45484c";
  ctx.fillRect(0, 480, WIDTH, HEIGHT - 480);
  ctx.fillStyle = "#cfc8a4";
  for (let x = 0; x < WIDTH; x += 90) ctx.fillRect(x, 550, 50, 5);
}

// Scaled to fill the picture, centred; what sticks out is cut off.
function drawScreenshot(ctx, image) {
  const scale = Math.max(WIDTH / image.width, HEIGHT / image.height);
  const w = image.width * scale, h = image.height * scale;
  ctx.fillStyle = "#000";
  ctx.fillRect(0, 0, WIDTH, HEIGHT);
  ctx.drawImage(image, (WIDTH - w) / 2, (HEIGHT - h) / 2, w, h);
}

function setBackground(kind) {
  view.background = kind;
  document.getElementById("background").value = kind;
  const ctx = document.getElementById("backdrop").getContext("2d", { willReadFrequently: true });
  if (kind === "screenshot" && view.screenshot) drawScreenshot(ctx, view.screenshot);
  else if (kind === "day") drawDay(ctx);
  else drawNight(ctx);
  view.pixels = ctx.getImageData(0, 0, WIDTH, HEIGHT).data;
  render();
}

function isPicture(file) {
  return /^image\/(png|jpeg|bmp|x-ms-bmp)$/.test(file.type) || /\.(png|jpe?g|bmp)$/i.test(file.name);
}

// Decoded here, from the file itself: no address, no upload.
async function useScreenshot(file) {
  if (!isPicture(file) || file.size > 64 * 1024 * 1024) {
    showMessage("picture-message", "a screenshot must be a PNG, JPEG or BMP file under 64 MB", true);
    return;
  }
  try {
    view.screenshot = await createImageBitmap(file);
  } catch (error) {
    showMessage("picture-message", "this file could not be read as a picture", true);
    return;
  }
  document.getElementById("background").options[2].disabled = false;
  showMessage("picture-message", "");
  setBackground("screenshot");
}

// --- Contrast ------------------------------------------------------------------------

function linear(c) {
  c /= 255;
  return c <= 0.04045 ? c / 12.92 : Math.pow((c + 0.055) / 1.055, 2.4);
}

function encoded(l) {
  const c = l <= 0.0031308 ? l * 12.92 : 1.055 * Math.pow(l, 1 / 2.4) - 0.055;
  return Math.round(Math.min(1, Math.max(0, c)) * 255);
}

// What lies under each element on average (in linear light), from the backdrop's
// pixels within the element's box: four bytes a table row, the fourth 1 when measured.
function backdrops(picture) {
  const boxes = {};
  for (const el of picture.querySelectorAll("svg [data-key]")) {
    const b = el.getBBox(), key = el.dataset.key, box = boxes[key];
    boxes[key] = box ? { x0: Math.min(box.x0, b.x), y0: Math.min(box.y0, b.y), x1: Math.max(box.x1, b.x + b.width),
      y1: Math.max(box.y1, b.y + b.height) } : { x0: b.x, y0: b.y, x1: b.x + b.width, y1: b.y + b.height };
  }
  const out = new Uint8Array(state.report.settings.length * 4);
  state.report.settings.forEach((setting, row) => {
    const box = boxes[setting.key];
    if (!box || !view.pixels) return;
    const x0 = Math.max(0, Math.floor(box.x0)), x1 = Math.min(WIDTH, Math.ceil(box.x1));
    const y0 = Math.max(0, Math.floor(box.y0)), y1 = Math.min(HEIGHT, Math.ceil(box.y1));
    const sum = [0, 0, 0];
    let count = 0;
    for (let y = y0; y < y1; ++y)
      for (let x = x0; x < x1; ++x, ++count)
        for (let c = 0; c < 3; ++c) sum[c] += linear(view.pixels[(y * WIDTH + x) * 4 + c]);
    if (!count) return;
    sum.forEach((s, c) => { out[row * 4 + c] = encoded(s / count); });
    out[row * 4 + 3] = 1;
  });
  return out;
}

// Cut, not rounded: a ratio just under 3 never shows as 3.0.
function ratioText(ratio) {
  return (Math.floor(ratio * 10) / 10).toFixed(1) + ":1";
}

function showContrast(picture) {
  const under = backdrops(picture);
  view.contrast = JSON.parse(viewText(viewCall("contrast", state.bytes, under)));
  const low = view.contrast.filter(c => c.ratio < 3);
  for (const c of low) {
    const row = document.querySelector(`#list tr[data-key="${c.key}"]`);
    if (!row) continue;
    row.classList.add("low-contrast");
    row.children[3].append(element("span", { className: "contrast-flag", textContent: ` · contrast ${ratioText(c.ratio)}` }));
  }
  const against = { night: "the night scene", day: "the day scene", screenshot: "your screenshot" }[view.background];
  const box = document.getElementById("contrast");
  box.textContent = "";
  if (!low.length) {
    const least = view.contrast.reduce((a, b) => (a && a.ratio <= b.ratio ? a : b), null);
    box.append(`Every text and icon reaches 3:1 against ${against}` +
      (least ? ` (the least: ${least.element}, ${ratioText(least.ratio)}).` : "."));
    return;
  }
  box.append(element("div", { textContent: `Under 3:1 against ${against}, hard to read in the game:` }));
  for (const c of low) {
    const line = element("div", { className: "low" },
      element("span", { className: "ratio", textContent: ratioText(c.ratio) + " " }),
      `${c.element} (${c.key}) `);
    if (c.fix) line.append(element("button", { className: "contrast-fix", textContent: "Fix: " + c.fix,
      title: `write ${c.key}=${c.fix}: the nearest colour of the same hue that reaches 3:1`,
      onclick: () => setValue(c.key, c.fix) }));
    box.append(line);
  }
}

// --- Compare, colour vision, the picture as a file ------------------------------------

function comparedPicture(picture) {
  const note = document.getElementById("compare-note");
  note.textContent = "";
  if (view.compare === "yours") return;
  const bytes = view.compare === "defaults" ? result(core._editor_new_file()) : view.opened;
  picture.innerHTML = check(bytes).svg;
  note.textContent = (view.compare === "defaults" ? "Showing the defaults" : "Showing the file as it was opened") +
    ": only a look, nothing in your file changed. Choose \"Picture: your file\" to go back.";
}

function applyVision() {
  document.getElementById("stage").style.filter = view.vision === "normal" ? "" : `url(#vision-${view.vision})`;
}

// The background and the HUD in their true colours (whatever view is on), as a PNG.
async function savePicture() {
  const out = element("canvas", { width: WIDTH, height: HEIGHT });
  const ctx = out.getContext("2d", { willReadFrequently: true });
  ctx.drawImage(document.getElementById("backdrop"), 0, 0);
  const svg = document.querySelector("#picture svg").cloneNode(true);
  svg.querySelectorAll('rect[fill^="url(#sky"]').forEach(sky => sky.remove());
  const image = new Image();
  image.src = "data:image/svg+xml;charset=utf-8," + encodeURIComponent(new XMLSerializer().serializeToString(svg));
  await image.decode();
  ctx.drawImage(image, 0, 0, WIDTH, HEIGHT);
  out.toBlob(blob => {
    const link = element("a", { href: URL.createObjectURL(blob), download: "Tessivar HUD.png" });
    document.body.append(link);
    link.click();
    setTimeout(() => { URL.revokeObjectURL(link.href); link.remove(); }, 1000);
  }, "image/png");
}

// --- Hooks for the editor ------------------------------------------------------------

function viewStart() {
  document.head.append(element("style", { textContent: viewStyle }));
  view.palettes = JSON.parse(viewText(core._editor_palettes()));
  buildStage(buildViewBar());
  buildVisionFilters();
  // A dropped picture is a screenshot, not an ini.
  window.addEventListener("drop", event => {
    const file = event.dataTransfer && event.dataTransfer.files[0];
    if (!file || !isPicture(file)) return;
    event.preventDefault();
    event.stopPropagation();
    document.body.classList.remove("dragging");
    useScreenshot(file);
  }, true);
}

function viewLoaded(bytes) {
  view.opened = bytes;
  if (!view.pixels) setBackground(view.background);
}

function viewRendered() {
  if (!view.pixels) return;
  const picture = document.getElementById("picture");
  showContrast(picture);
  comparedPicture(picture);
  applyVision();
}
