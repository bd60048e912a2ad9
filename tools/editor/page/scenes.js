// What the picture stands on: a drawn night or day scene, or the player's own
// screenshot, decoded here from the file itself (no address, no upload), scaled to
// fill the picture. Its pixels are what the contrast is measured against.

import { pictureHeight, pictureWidth } from "./facts.js";
import { t } from "./i18n.js";
import { redraw } from "./refresh.js";
const backdrop = { kind: "night", screenshot: null, pixels: null };

// What lies under the picture now: which scene, and its pixels (RGBA, row by row).
export const backdropNow = () => backdrop;

// Repeatable "random" numbers, so the scenes are the same on every machine.
function seeded(seed) {
  return () => (seed = (seed * 1103515245 + 12345) % 2147483648) / 2147483648;
}

function gradient(ctx, stops) {
  const g = ctx.createLinearGradient(0, 0, 0, pictureHeight);
  stops.forEach(([at, colour]) => g.addColorStop(at, colour));
  return g;
}

// Buildings of `colours` standing on `ground`, with windows.
function skyline(ctx, random, ground, colours, window, lit) {
  for (let x = -10; x < pictureWidth; ) {
    const w = 50 + random() * 90, h = 120 + random() * 230;
    ctx.fillStyle = colours[Math.floor(random() * colours.length)];
    ctx.fillRect(x, ground - h, w, h);
    ctx.fillStyle = window;
    for (let wy = ground - h + 12; wy < ground - 14; wy += 18)
      for (let wx = x + 8; wx < x + w - 12; wx += 14)
        if (random() < lit) ctx.fillRect(wx, wy, 7, 9);
    x += w + 2;
  }
}

function drawNight(ctx) {
  const random = seeded(7);
  ctx.fillStyle = gradient(ctx, [[0, "#05070f"], [0.7, "#121a2e"]]);
  ctx.fillRect(0, 0, pictureWidth, pictureHeight);
  ctx.fillStyle = "#c9d3e8";
  for (let i = 0; i < 80; ++i) ctx.fillRect(random() * pictureWidth, random() * 260, 1.5, 1.5);
  skyline(ctx, random, 470, ["#0b0e17", "#0e121d", "#090b12"], "#c9a85a", 0.18);
  ctx.fillStyle = "#0d0f13";
  ctx.fillRect(0, 470, pictureWidth, pictureHeight - 470);
  ctx.fillStyle = "#3b3a30";
  for (let x = 0; x < pictureWidth; x += 90) ctx.fillRect(x, 545, 50, 5);
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
  ctx.fillStyle = gradient(ctx, [[0, "#1f5aa3"], [0.5, "#3f7cbf"]]);
  ctx.fillRect(0, 0, pictureWidth, pictureHeight);
  skyline(ctx, random, 470, ["#6a5f55", "#5b6873", "#76706a", "#4f5a66"], "#2f3a48", 0.7);
  ctx.fillStyle = "#8b857a";
  ctx.fillRect(0, 462, pictureWidth, 18);
  ctx.fillStyle = "#45484c";
  ctx.fillRect(0, 480, pictureWidth, pictureHeight - 480);
  ctx.fillStyle = "#cfc8a4";
  for (let x = 0; x < pictureWidth; x += 90) ctx.fillRect(x, 550, 50, 5);
}

// Scaled to fill the picture, centred; what sticks out is cut off.
function drawScreenshot(ctx, image) {
  const scale = Math.max(pictureWidth / image.width, pictureHeight / image.height);
  const w = image.width * scale, h = image.height * scale;
  ctx.fillStyle = "#000";
  ctx.fillRect(0, 0, pictureWidth, pictureHeight);
  ctx.drawImage(image, (pictureWidth - w) / 2, (pictureHeight - h) / 2, w, h);
}

function drawBackdrop() {
  const ctx = document.getElementById("backdrop").getContext("2d", { willReadFrequently: true });
  if (backdrop.kind === "screenshot" && backdrop.screenshot) drawScreenshot(ctx, backdrop.screenshot);
  else if (backdrop.kind === "day") drawDay(ctx);
  else drawNight(ctx);
  backdrop.pixels = ctx.getImageData(0, 0, pictureWidth, pictureHeight).data;
}

function setBackdrop(kind) {
  backdrop.kind = kind;
  document.getElementById("background").value = kind;
  drawBackdrop();
  redraw();
}

const isPicture = file =>
  /^image\/(png|jpeg|bmp|x-ms-bmp)$/.test(file.type) || /\.(png|jpe?g|bmp)$/i.test(file.name);

function showPictureMessage(text, problem) {
  const box = document.getElementById("picture-message");
  box.textContent = text;
  box.classList.toggle("problem", !!problem);
}

async function useScreenshot(file) {
  if (!isPicture(file) || file.size > 64 * 1024 * 1024) {
    showPictureMessage(t("A screenshot must be a PNG, JPEG or BMP file under 64 MB."), true);
    return;
  }
  try {
    backdrop.screenshot = await createImageBitmap(file);
  } catch (error) {
    showPictureMessage(t("This file could not be read as a picture. The background is unchanged."), true);
    return;
  }
  document.querySelector('#background option[value="screenshot"]').disabled = false;
  showPictureMessage(t("Your screenshot stays on this computer."));
  setBackdrop("screenshot");
}

export function wireScenes(guarded) {
  document.getElementById("background").addEventListener("change", event => setBackdrop(event.target.value));
  const file = document.getElementById("screenshot-file");
  document.getElementById("screenshot").addEventListener("click", () => file.click());
  file.addEventListener("change", () => {
    if (file.files[0]) guarded(useScreenshot)(file.files[0]);
    file.value = "";
  });
  // A dropped picture is a screenshot, not an ini.
  window.addEventListener("drop", event => {
    const file = event.dataTransfer && event.dataTransfer.files[0];
    if (!file || !isPicture(file)) return;
    event.preventDefault();
    event.stopPropagation();
    document.body.classList.remove("dragging");
    guarded(useScreenshot)(file);
  }, true);
  drawBackdrop();
}
