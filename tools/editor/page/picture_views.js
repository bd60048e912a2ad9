// Ways to look at the picture without changing the file: colour-vision views (the
// core's simulation matrices as colour-matrix filters on linear light), compare (the
// defaults, or the file as it was opened), and the picture with its background saved
// as a PNG.

import { templateBytes, visionMatrices } from "./core.js";
import { current } from "./document.js";
import { pictureHeight, pictureWidth } from "./facts.js";
import { t } from "./i18n.js";
import { announce } from "./notices.js";
import { redraw } from "./refresh.js";
import { reportOfOther } from "./report.js";
import { element } from "./view.js";

const looks = { vision: "normal", compare: "yours", opened: new WeakMap() };
const pictureName = "Tessivar HUD.png";

function buildVisionFilters() {
  const matrices = visionMatrices();
  const ns = "http://www.w3.org/2000/svg";
  const svg = document.createElementNS(ns, "svg");
  svg.setAttribute("class", "filters");
  svg.setAttribute("aria-hidden", "true");
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

function applyVision() {
  document.getElementById("stage").style.filter = looks.vision === "normal" ? "" : `url(#vision-${looks.vision})`;
}

// The picture of the defaults or of the file as opened, over the file's own.
function renderCompare() {
  const { bytes: now, file } = current();
  if (!looks.opened.has(file)) looks.opened.set(file, now);
  const note = document.getElementById("compare-note");
  note.textContent = "";
  if (looks.compare === "yours") return;
  const bytes = looks.compare === "defaults" ? templateBytes() : looks.opened.get(file);
  document.getElementById("picture").innerHTML = reportOfOther(bytes, file.name).svg;
  note.textContent = (looks.compare === "defaults"
    ? t("Showing the defaults: only a look, nothing in your file changed.")
    : t("Showing the file as it was opened: only a look, nothing in your file changed.")) + " " +
    t("Choose \"{choice}\" to go back.", { choice: t("Picture: your file") });
}

// The background and the HUD in their true colours, whatever view is on.
async function savePicture() {
  const out = element("canvas", { width: pictureWidth, height: pictureHeight });
  const ctx = out.getContext("2d");
  ctx.drawImage(document.getElementById("backdrop"), 0, 0);
  const svg = document.querySelector("#picture svg").cloneNode(true);
  svg.querySelectorAll('rect[fill^="url(#sky"]').forEach(sky => sky.remove());
  svg.setAttribute("width", pictureWidth);
  svg.setAttribute("height", pictureHeight);
  const image = new Image();
  image.src = "data:image/svg+xml;charset=utf-8," + encodeURIComponent(new XMLSerializer().serializeToString(svg));
  await image.decode();
  ctx.drawImage(image, 0, 0, pictureWidth, pictureHeight);
  const blob = await new Promise(done => out.toBlob(done, "image/png"));
  const link = element("a", { href: URL.createObjectURL(blob), download: pictureName });
  document.body.append(link);
  link.click();
  setTimeout(() => { URL.revokeObjectURL(link.href); link.remove(); }, 1000);
  announce(t("Picture saved as {name}", { name: pictureName }));
}

// After the page's own drawing: what is being compared, then the view.
export function renderLooks() {
  renderCompare();
  applyVision();
}

export function wireLooks(guarded) {
  buildVisionFilters();
  const on = (id, action) => document.getElementById(id).addEventListener("change", action);
  on("vision", event => { looks.vision = event.target.value; applyVision(); });
  on("compare", event => { looks.compare = event.target.value; redraw(); });
  document.getElementById("save-picture").addEventListener("click", guarded(savePicture));
}
