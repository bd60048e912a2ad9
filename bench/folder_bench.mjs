// The editor page opening a game folder of 30 000 entries (100 folders of 299 files, the
// game beside them) through a stand-in for the browser's folder access: how long until the
// answer shows, and the longest the page stood still meanwhile.
//   node bench/folder_bench.mjs PAGE
// Not a test: it prints figures.

import { createRequire } from "node:module";
import path from "node:path";

const require = createRequire(new URL("../tests/editor/package.json", import.meta.url));
const puppeteer = require("puppeteer-core");
const browser = await puppeteer.launch({ executablePath: "/usr/bin/chromium", args: ["--no-sandbox"] });
const page = await browser.newPage();
await page.goto("file://" + path.resolve(process.argv[2]));
await page.waitForSelector("body[data-ready=yes]");
const result = await page.evaluate(async () => {
  const file = name => ({ kind: "file", name, getFile: async () => new File([], name) });
  const dir = (name, children) => ({ kind: "directory", name, async *values() { for (const c of children) yield c; },
    getDirectoryHandle: async () => { throw new Error("no"); }, getFileHandle: async () => { throw new Error("no"); } });
  const folders = [];
  for (let d = 0; d < 100; ++d) folders.push(dir("data" + d, Array.from({ length: 299 }, (_, i) => file(`f${i}.dat`))));
  window.showDirectoryPicker = async () => dir("game", [file("gta-vc.exe"), ...folders]);
  let longest = 0, last = performance.now(), running = true;
  const tick = () => { const now = performance.now(); longest = Math.max(longest, now - last); last = now; if (running) requestAnimationFrame(tick); };
  requestAnimationFrame(tick);
  const start = performance.now();
  document.getElementById("open-game").click();
  while (document.getElementById("install").hidden) await new Promise(r => setTimeout(r, 20));
  running = false;
  return { total: Math.round(performance.now() - start), longest: Math.round(longest) };
});
console.log(`a game folder of 30 000 entries: diagnosed in ${result.total} ms; the page stood still ${result.longest} ms at most`);
await browser.close();
