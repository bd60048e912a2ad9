// The editor page in headless Chromium from file://, as a player opens it: how long until
// it is ready (picture and list drawn), the median of several loads; and how long opening
// a 50 MB file and one edit of it take, with the longest the page stood still meanwhile.
//   node bench/page_bench.mjs PAGE [LOADS]
// Not a test: it prints figures.

import { createRequire } from "node:module";
import fs from "node:fs";
import os from "node:os";
import path from "node:path";

const require = createRequire(new URL("../tests/editor/package.json", import.meta.url));
const puppeteer = require("puppeteer-core");

const [pagePath, loadsText = "15"] = process.argv.slice(2);
const url = "file://" + path.resolve(pagePath);
const browser = await puppeteer.launch({
  executablePath: "/usr/bin/chromium", headless: true,
  args: ["--no-sandbox", "--disable-gpu", "--no-first-run", "--disable-background-networking"],
});
const median = values => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];

try {
  const ready = [];
  for (let i = 0; i < Number(loadsText); ++i) {
    const page = await browser.newPage();
    await page.setViewport({ width: 1366, height: 768 });
    await page.goto(url);
    await page.waitForSelector("body[data-ready=yes]");
    ready.push(await page.evaluate(() => performance.getEntriesByName("tessivar-ready")[0].startTime));
    await page.close();
  }
  console.log(`page ready: median ${median(ready).toFixed(0)} ms of ${ready.length} loads ` +
              `(least ${Math.min(...ready).toFixed(0)}, most ${Math.max(...ready).toFixed(0)}); ` +
              `page ${(fs.statSync(pagePath).size / 1024).toFixed(0)} kB`);

  const page = await browser.newPage();
  await page.goto(url);
  await page.waitForSelector("body[data-ready=yes]");
  const work = fs.mkdtempSync(path.join(os.tmpdir(), "tessivar-bench-"));
  const big = path.join(work, "big.ini");
  const padding = "; " + "x".repeat(98) + "\r\n";
  fs.writeFileSync(big, "MoneyColor=9 8 7\r\n" + padding.repeat(500000));
  const watch = () => page.evaluate(() => {
    window.stood = 0;
    let last = performance.now();
    clearInterval(window.ticker);
    window.ticker = setInterval(() => {
      const now = performance.now();
      window.stood = Math.max(window.stood, now - last);
      last = now;
    }, 20);
  });
  await watch();
  let started = Date.now();
  await (await page.$("#open-file")).uploadFile(big);
  await page.waitForFunction(() => document.getElementById("file-name").textContent === "big.ini",
                             { timeout: 120000 });
  const opened = Date.now() - started;
  const openStill = await page.evaluate(() => window.stood);
  await watch();
  started = Date.now();
  await page.click("#list tr[data-key=MoneyColor] button.key");
  await page.$eval("#value-0", el => {
    el.value = "1";
    el.dispatchEvent(new Event("input"));
    el.dispatchEvent(new Event("change"));
  });
  await page.waitForFunction(() =>
    document.querySelector("#list tr[data-key=MoneyColor] .written").textContent.startsWith("1 "));
  const edited = Date.now() - started;
  console.log(`a 50 MB file: opened in ${opened} ms (the page stood still ${openStill.toFixed(0)} ms at most); ` +
              `one edit ${edited} ms (${(await page.evaluate(() => window.stood)).toFixed(0)} ms at most)`);
  fs.rmSync(work, { recursive: true, force: true });
} finally {
  await browser.close();
}
