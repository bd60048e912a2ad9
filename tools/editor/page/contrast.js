// The contrast of each text and icon against what lies under it: the page measures the
// background under each element (the mean, in linear light, of the pixels in its box);
// the core gives the WCAG ratio and, under the least ratio, the nearest colour of the
// same hue that reaches it.

import { contrastOf, setValue } from "./core.js";
import { change, current } from "./document.js";
import { leastContrast, pictureHeight, pictureWidth } from "./facts.js";
import { t } from "./i18n.js";
import { backdropNow } from "./scenes.js";
import { element } from "./view.js";

// sRGB bytes to linear light, once for each of the 256 values: the mean runs over every
// pixel under every element.
const linearLight = Float64Array.from({ length: 256 }, (_, byte) => {
  const c = byte / 255;
  return c <= 0.04045 ? c / 12.92 : Math.pow((c + 0.055) / 1.055, 2.4);
});

function encodedByte(l) {
  const c = l <= 0.0031308 ? l * 12.92 : 1.055 * Math.pow(l, 1 / 2.4) - 0.055;
  return Math.round(Math.min(1, Math.max(0, c)) * 255);
}

// Each key's box in the picture's units (several shapes of one key together).
function elementBoxes(picture) {
  const boxes = {};
  for (const node of picture.querySelectorAll("svg [data-key]")) {
    const b = node.getBBox(), box = boxes[node.dataset.key];
    boxes[node.dataset.key] = box
      ? { x0: Math.min(box.x0, b.x), y0: Math.min(box.y0, b.y), x1: Math.max(box.x1, b.x + b.width), y1: Math.max(box.y1, b.y + b.height) }
      : { x0: b.x, y0: b.y, x1: b.x + b.width, y1: b.y + b.height };
  }
  return boxes;
}

function meanUnder(box, pixels) {
  const x0 = Math.max(0, Math.floor(box.x0)), x1 = Math.min(pictureWidth, Math.ceil(box.x1));
  const y0 = Math.max(0, Math.floor(box.y0)), y1 = Math.min(pictureHeight, Math.ceil(box.y1));
  const sum = [0, 0, 0];
  let count = 0;
  for (let y = y0; y < y1; ++y)
    for (let x = x0; x < x1; ++x, ++count)
      for (let c = 0; c < 3; ++c) sum[c] += linearLight[pixels[(y * pictureWidth + x) * 4 + c]];
  return count ? sum.map(s => encodedByte(s / count)) : null;
}

// Four bytes a table row: red, green, blue and 1 where measured.
function backdropsOf(report, picture) {
  const boxes = elementBoxes(picture);
  const out = new Uint8Array(report.settings.length * 4);
  report.settings.forEach((setting, row) => {
    const mean = boxes[setting.key] && meanUnder(boxes[setting.key], backdropNow().pixels);
    if (!mean) return;
    out.set([...mean, 1], row * 4);
  });
  return out;
}

// Cut, not rounded: a ratio just under 3 never shows as 3.0.
const ratioText = ratio => (Math.floor(ratio * 10) / 10).toFixed(1) + ":1";

const backdropNames = () =>
  ({ night: t("the night scene"), day: t("the day scene"), screenshot: t("your screenshot") });

const least = ratioText(leastContrast);

export function renderContrast(report) {
  const picture = document.getElementById("picture");
  const contrasts = contrastOf(current().bytes, backdropsOf(report, picture));
  const low = contrasts.filter(c => c.ratio < leastContrast);
  for (const row of document.querySelectorAll("#list tr[data-key]")) {
    const found = low.find(c => c.key === row.dataset.key);
    row.classList.toggle("low-contrast", !!found);
    let flag = row.querySelector(".contrast-flag");
    if (!flag) row.lastElementChild.append(flag = element("span", { className: "contrast-flag" }));
    flag.textContent = found ? " · " + t("contrast {ratio}, under {least}", { ratio: ratioText(found.ratio), least }) : "";
  }
  const box = document.getElementById("contrast");
  const against = backdropNames()[backdropNow().kind];
  box.textContent = "";
  if (!low.length) {
    const lowest = contrasts.reduce((a, b) => (a && a.ratio <= b.ratio ? a : b), null);
    box.append(lowest
      ? t("Every text and icon reaches {least} against {against} (the least: {element}, {ratio}).",
        { least, against, element: lowest.element, ratio: ratioText(lowest.ratio) })
      : t("Every text and icon reaches {least} against {against}.", { least, against }));
    return;
  }
  box.append(element("div", { textContent: t("Under {least} against {against}, hard to read in the game:", { least, against }) }));
  for (const c of low) {
    const line = element("div", { className: "low" },
      element("span", { className: "ratio", textContent: ratioText(c.ratio) + " " }), `${c.element} (${c.key}) `);
    if (c.fix) {
      const fix = element("button", { type: "button", className: "contrast-fix", textContent: t("Fix: {value}", { value: c.fix }) });
      fix.title = t("Write {line}: the nearest colour of the same hue that reaches {least}", { line: `${c.key}=${c.fix}`, least });
      fix.addEventListener("click", () => change(setValue(current().bytes, c.key, c.fix),
        t("{key} set to {value} for contrast", { key: c.key, value: c.fix })));
      line.append(fix);
    }
    box.append(line);
  }
}
