// The editor page in a real headless Chromium, opened from file:// as a player opens
// it: a tricky ini in, its picture and list against the native checker, two edits,
// the saved file byte for byte, the native checker on the saved file, then undo, a
// one-click fix and a reset. Leaves a screenshot beside the results.
//   node page_test.mjs PAGE NATIVE_CHECKER OUT_DIR

import assert from "node:assert/strict";
import { execFileSync, spawnSync } from "node:child_process";
import fs from "node:fs";
import os from "node:os";
import path from "node:path";
import puppeteer from "puppeteer-core";

const [pagePath, checker, outDir] = process.argv.slice(2);
fs.mkdirSync(outDir, { recursive: true });
const work = fs.mkdtempSync(path.join(os.tmpdir(), "tessivar-editor-"));
const downloads = path.join(work, "downloads");
fs.mkdirSync(downloads);

const trickyLines = [
  "; my colours, copied from a forum",
  "# keep this comment",
  "[HUD]",
  "MoneyColor=#FF0000",
  "Messagebox=300 10 20",
  "TimerColor=10 20 30 40",
  "SomeOtherMod=keep me",
  "ZoneTextStyle=3",
  "MoneyColor=0 207 133",
  "RiflesCursorNoZoomSize=0,6",
  "moneycolor=1 2 3",
];
const crlf = lines => Buffer.from(lines.map(l => l + "\r\n").join(""), "latin1");
const iniPath = path.join(work, "tricky.ini");
fs.writeFileSync(iniPath, crlf(trickyLines));

// The native checker's table: key -> the written column, as it prints it.
function nativeTable(...args) {
  const run = spawnSync(checker, args, { encoding: "latin1" });
  const table = {};
  for (const line of run.stdout.split("\n")) {
    const match = /^(\w+)\s+(?:line \d+|default)\s+(.*?)\s{2,}/.exec(line);
    if (match) table[match[1]] = match[2];
  }
  return { table, output: run.stdout, status: run.status };
}

const results = [];
async function step(name, body) {
  try {
    await body();
    results.push([name, null]);
  } catch (error) {
    results.push([name, error]);
  }
}

const browser = await puppeteer.launch({
  executablePath: "/usr/bin/chromium",
  headless: true,
  userDataDir: path.join(work, "profile"),
  args: ["--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
         "--disable-background-networking", "--disable-component-update", "--disable-sync"],
});
try {
  const page = await browser.newPage();
  await page.setViewport({ width: 1400, height: 1000 });
  const errors = [];
  page.on("pageerror", error => errors.push(String(error)));
  const cdp = await page.createCDPSession();
  await cdp.send("Browser.setDownloadBehavior", { behavior: "allow", downloadPath: downloads });

  await page.goto("file://" + path.resolve(pagePath));
  await page.waitForSelector("body[data-ready=yes]", { timeout: 20000 });
  const listed = () => page.$$eval("#list tr[data-key]", rows =>
    Object.fromEntries(rows.map(r => [r.dataset.key, r.querySelector(".written").textContent])));

  await step("a new file is the template, and the checker finds nothing in it", async () => {
    const defaults = nativeTable("--game", work).table;
    assert.deepEqual(await listed(), defaults);
  });

  await (await page.$("#open")).uploadFile(iniPath);
  await page.waitForFunction(() => document.getElementById("file-name").textContent === "tricky.ini");

  await step("the picture is the one the native checker draws", async () => {
    const svg = path.join(work, "native.svg");
    nativeTable(iniPath, "--svg", svg);
    // Every painted element, in order: its key, its paint and its words.
    const paints = await page.evaluate(native => {
      const describe = root => [...root.querySelectorAll("[data-key]")].map(el =>
        [el.dataset.key, el.getAttribute("fill"), el.getAttribute("fill-opacity"),
         el.getAttribute("stroke"), el.textContent].join(" "));
      const parsed = new DOMParser().parseFromString(native, "image/svg+xml");
      return { shown: describe(document.getElementById("picture")), native: describe(parsed) };
    }, fs.readFileSync(svg, "utf8"));
    assert.ok(paints.native.length >= 20);
    assert.deepEqual(paints.shown, paints.native);
  });

  await step("the list's values are what the native pass writes", async () => {
    const native = nativeTable(iniPath).table;
    assert.equal(Object.keys(native).length, 34);
    assert.deepEqual(await listed(), native);
    assert.equal(native.Messagebox, "[300 skipped] 10 20");
  });

  await step("findings appear beside their setting", async () => {
    await page.click("#list tr[data-key=MoneyColor]");
    const panel = await page.$eval("#panel", el => el.textContent);
    assert.match(panel, /again on line 9/);
    assert.match(await page.$eval("#list tr[data-key=RiflesCursorNoZoomSize]", el => el.className), /flagged/);
  });

  await step("two edits and a save change exactly their two lines", async () => {
    await page.click("#list tr[data-key=MoneyColor]");
    await page.$eval("#value-0", el => { el.value = "10"; el.dispatchEvent(new Event("change")); });
    await page.click("#picture [data-key=ZoneTextStyle]").catch(() => page.click("#list tr[data-key=ZoneTextStyle]"));
    await page.click("#list tr[data-key=ZoneTextStyle]");
    await page.$eval("#value", el => { el.value = "1"; el.dispatchEvent(new Event("change")); });
    await page.click("#save");
    const saved = path.join(downloads, "tricky.ini");
    for (let i = 0; i < 100 && !fs.existsSync(saved); ++i) await new Promise(r => setTimeout(r, 100));
    const expected = [...trickyLines];
    expected[7] = "ZoneTextStyle=1";
    expected[8] = "MoneyColor=10 207 133";
    assert.deepEqual(fs.readFileSync(saved), crlf(expected));
    fs.copyFileSync(saved, path.join(outDir, "saved.ini"));

    const after = nativeTable(saved);
    assert.equal(after.table.MoneyColor, "10 207 133");
    assert.equal(after.table.ZoneTextStyle, "1");
    assert.doesNotMatch(after.output, /line [89]: /);
  });

  await page.screenshot({ path: path.join(outDir, "editor.png"), fullPage: true });

  await step("undo, a one-click fix and a reset", async () => {
    await page.click("#undo");
    assert.equal((await listed()).ZoneTextStyle, "3");
    await page.click("#list tr[data-key=RiflesCursorNoZoomSize]");
    await page.click("#panel button.fix");
    assert.equal((await listed()).RiflesCursorNoZoomSize, "0.6");
    await page.click("#list tr[data-key=Messagebox]");
    await page.click("#reset");
    assert.equal((await listed()).Messagebox, "0 0 0");
    await page.click("#reset-all");
    assert.equal((await listed()).MoneyColor, "0 207 133");
  });

  await step("the page reports no script errors", async () => assert.deepEqual(errors, []));
} finally {
  await browser.close();
  fs.rmSync(work, { recursive: true, force: true });
}

let failed = 0;
for (const [name, error] of results) {
  console.log((error ? "FAIL " : "ok   ") + name);
  if (error) {
    console.log(String(error.stack || error).split("\n").slice(0, 8).join("\n"));
    ++failed;
  }
}
console.log(`${results.length - failed} passed, ${failed} failed`);
process.exit(failed ? 1 : 0);
