// The editor page in a real headless Chromium, opened from file:// as a player opens
// it, one scripted pass per area: what it shows against the native checker, edits saved
// byte for byte (through a stubbed file picker, and the download fallback), files of
// every kind (UTF-16, CR alone, a NUL, 6 MB), never losing work, keyboard only, fixes,
// refused inputs and the layout at two sizes. Leaves screenshots beside the results.
//   node page_test.mjs PAGE NATIVE_CHECKER OUT_DIR

import assert from "node:assert/strict";
import { spawnSync } from "node:child_process";
import fs from "node:fs";
import os from "node:os";
import path from "node:path";
import puppeteer from "puppeteer-core";
import { firstScreenSteps } from "./page_first_screen_steps.mjs";
import { folderSteps } from "./page_folder_steps.mjs";
import { languageSteps } from "./page_language_steps.mjs";
import { viewSteps } from "./page_view_steps.mjs";

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
  "MoneyColour=<svg/onload=alert(9)>",
];
const crlf = lines => Buffer.from(lines.map(l => l + "\r\n").join(""), "latin1");
const ascii = text => Buffer.from(text, "latin1");
function writeFile(name, bytes) {
  const file = path.join(work, name);
  fs.writeFileSync(file, bytes);
  return file;
}
const iniPath = writeFile("tricky.ini", crlf(trickyLines));

// The native checker's table: key -> the written column, as it prints it.
function nativeTable(...args) {
  const run = spawnSync(checker, ["--all", ...args], { encoding: "latin1" });
  const table = {};
  for (const line of run.stdout.split("\n")) {
    const match = /^(\w+)\s+(?:line \d+|default)\s+(.*?)\s{2,}/.exec(line);
    if (match) table[match[1]] = match[2];
  }
  return { table, output: run.stdout, status: run.status };
}

// The JSON report's fixes applied as its documentation says, apart from the page's code:
// lines end at a line feed (a CR before it belongs to the line end), the last line first.
function applyFixes(bytes, fixes) {
  const text = bytes.toString("latin1");
  const lines = text.split("\n");
  const ends = lines.map((line, i) => (i + 1 < lines.length ? "\n" : ""));
  const bodies = lines.map(line => (line.endsWith("\r") ? line.slice(0, -1) : line));
  const crs = lines.map(line => (line.endsWith("\r") ? "\r" : ""));
  for (const fix of [...fixes].sort((a, b) => b.line - a.line)) {
    const at = fix.line - 1;
    if (fix.action === "replace-line") bodies[at] = fix.text;
    else if (fix.action === "comment-line") bodies[at] = "; " + bodies[at];
    else if (fix.action === "delete-line") [bodies, crs, ends].forEach(list => list.splice(at, 1));
    else throw new Error("no such action in this file: " + fix.action);
  }
  return Buffer.from(bodies.map((body, i) => body + crs[i] + ends[i]).join(""), "latin1");
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

const errors = [];
const dialogs = [];
let answer = true; // what the player says to the next question

// A page with, or (`fallback`) without, the browser's file-writing API. Saving through
// the API goes to a stub that keeps the bytes, in place of the real picker. `query` is put
// in the page's address; `languages`, when given, is what the browser says it speaks.
async function openPage(fallback, { query = "", languages = null } = {}) {
  const page = await browser.newPage();
  await page.setViewport({ width: 1400, height: 1000 });
  page.on("pageerror", error => errors.push(String(error)));
  page.on("dialog", dialog => {
    dialogs.push(dialog.type());
    return answer ? dialog.accept() : dialog.dismiss();
  });
  await page.evaluateOnNewDocument(fallback => {
    if (fallback) {
      delete window.showOpenFilePicker;
      delete window.showSaveFilePicker;
      delete window.showDirectoryPicker;
      return;
    }
    window.written = [];
    window.pickerNames = [];
    window.permissionsAsked = 0;
    // A picked file asks for permission to write once; a file saved as is writable.
    const handle = (name, bytes, allowed) => ({
      name, kind: "file", allowed,
      getFile: async () => new File([new Uint8Array(bytes)], name),
      async queryPermission() { return this.allowed ? "granted" : "prompt"; },
      async requestPermission() { ++window.permissionsAsked; return (this.allowed = true) && "granted"; },
      createWritable: async () => ({
        write: async bytes => window.written.push({ name, bytes: Array.from(bytes) }),
        close: async () => {},
      }),
    });
    window.showOpenFilePicker = async () => [handle(window.toOpen.name, window.toOpen.bytes, false)];
    window.showSaveFilePicker = async options => {
      window.pickerNames.push(options.suggestedName);
      return handle(options.suggestedName, [], true);
    };
  }, fallback);
  if (languages)
    await page.evaluateOnNewDocument(languages =>
      Object.defineProperty(navigator, "languages", { get: () => languages }), languages);
  const cdp = await page.createCDPSession();
  await cdp.send("Browser.setDownloadBehavior", { behavior: "allow", downloadPath: downloads });
  await page.goto("file://" + path.resolve(pagePath) + query);
  await page.waitForSelector("body[data-ready=yes]", { timeout: 20000 });
  return page;
}

const listed = page => page.$$eval("#list tr[data-key]", rows =>
  Object.fromEntries(rows.map(r => [r.dataset.key, r.querySelector(".written").textContent])));

async function open(page, file) {
  await (await page.$("#open-file")).uploadFile(file);
  await page.waitForFunction(name => document.getElementById("file-name").textContent === name,
    { timeout: 20000 }, path.basename(file));
}

// Sets a field as a player does: its text, then leaving it (a change).
async function enter(page, selector, text) {
  await page.$eval(selector, (el, text) => {
    el.value = text;
    el.dispatchEvent(new Event("input"));
    el.dispatchEvent(new Event("change"));
  }, text);
}

async function edit(page, key, selector, text) {
  await page.click(`#list tr[data-key=${key}] button.key`);
  await enter(page, selector, text);
}

// The bytes the last Save wrote through the stubbed picker.
async function lastWritten(page) {
  const written = await page.evaluate(() => window.written.at(-1));
  return { name: written.name, bytes: Buffer.from(written.bytes) };
}

try {
  const page = await openPage(false);

  await step("a new file is the template, and the checker finds nothing in it", async () => {
    assert.deepEqual(await listed(page), nativeTable("--game", work).table);
  });

  await open(page, iniPath);

  await step("the picture and the list are what the native checker draws and writes", async () => {
    const svg = path.join(work, "native.svg");
    const native = nativeTable(iniPath, "--svg", svg);
    const paints = await page.evaluate(native => {
      const describe = root => [...root.querySelectorAll("[data-key]")].map(el =>
        [el.dataset.key, el.getAttribute("fill"), el.getAttribute("fill-opacity"),
         el.getAttribute("stroke"), el.textContent].join(" "));
      const parsed = new DOMParser().parseFromString(native, "image/svg+xml");
      return { shown: describe(document.getElementById("picture")), native: describe(parsed) };
    }, fs.readFileSync(svg, "utf8"));
    assert.ok(paints.native.length >= 20);
    assert.deepEqual(paints.shown, paints.native);
    assert.equal(Object.keys(native.table).length, 34);
    assert.deepEqual(await listed(page), native.table);
    await page.click("#list tr[data-key=MoneyColor]");
    assert.match(await page.$eval("#panel", el => el.textContent), /again on line 9/);
  });

  await step("Save as offers Tessivar.VC.ini; Save then writes the same file in place", async () => {
    await edit(page, "MoneyColor", "#value-0", "10");
    await edit(page, "ZoneTextStyle", "#value", "1");
    await page.click("#save"); // opened from a plain file input: no place to write to yet
    await page.waitForFunction(() => window.written.length === 1);
    const expected = [...trickyLines];
    expected[7] = "ZoneTextStyle=1";
    expected[8] = "MoneyColor=10 207 133";
    const first = await lastWritten(page);
    assert.deepEqual(first, { name: "Tessivar.VC.ini", bytes: crlf(expected) });
    assert.deepEqual(await page.evaluate(() => window.pickerNames), ["Tessivar.VC.ini"]);
    await edit(page, "Messagebox", "#value-0", "255");
    await page.keyboard.down("Control");
    await page.keyboard.press("s");
    await page.keyboard.up("Control");
    await page.waitForFunction(() => window.written.length === 2);
    assert.equal(await page.evaluate(() => window.pickerNames.length), 1);
    expected[4] = "Messagebox=255 10 20";
    const saved = writeFile("saved.ini", (await lastWritten(page)).bytes);
    assert.deepEqual(fs.readFileSync(saved), crlf(expected));
    fs.copyFileSync(saved, path.join(outDir, "saved.ini"));
    const after = nativeTable(saved);
    assert.equal(after.table.MoneyColor, "10 207 133");
    assert.equal(after.table.Messagebox, "255 10 20");
    assert.equal(await page.$eval("#dirty", el => el.hidden), true);
  });

  await step("a file opened with the browser's picker is saved in place, asking once", async () => {
    await page.evaluate(bytes => { window.toOpen = { name: "Tessivar.VC.ini", bytes }; },
      [...crlf(["; mine", "MoneyColor=1 2 3"])]);
    await page.click("#open");
    await page.waitForFunction(() => window.tessivar.report().settings.some(s => s.raw === "1 2 3"));
    const writes = await page.evaluate(() => window.written.length);
    for (const red of ["7", "8"]) {
      await edit(page, "MoneyColor", "#value-0", red);
      await page.click("#save");
      await page.waitForFunction(n => window.written.length === n, {}, writes + Number(red) - 6);
    }
    assert.deepEqual(await lastWritten(page), { name: "Tessivar.VC.ini", bytes: crlf(["; mine", "MoneyColor=8 2 3"]) });
    assert.equal(await page.evaluate(() => window.permissionsAsked), 1);
  });

  await step("unsaved work: marked, asked about, and Undo reaches back across New", async () => {
    const template = nativeTable("--game", work).table.ZoneTextStyle;
    await edit(page, "ZoneTextStyle", "#value", "4");
    assert.equal(await page.$eval("#dirty", el => el.hidden), false);
    assert.match(await page.title(), /^• /);
    answer = false;
    await page.click("#new");
    assert.equal((await listed(page)).ZoneTextStyle, "4"); // the player said no
    answer = true;
    await page.click("#new");
    assert.equal((await listed(page)).ZoneTextStyle, template);
    const keys = async (...combination) => {
      for (const key of combination) await page.keyboard.down(key);
      for (const key of combination.reverse()) await page.keyboard.up(key);
    };
    await keys("Control", "z");
    assert.equal((await listed(page)).ZoneTextStyle, "4");
    await keys("Control", "Shift", "Z");
    assert.equal((await listed(page)).ZoneTextStyle, template);
    await page.click("#undo");
    assert.equal((await listed(page)).ZoneTextStyle, "4");
    assert.deepEqual(dialogs, ["confirm", "confirm"]);
    dialogs.length = 0;
    // closing or reloading asks too
    await page.reload({ waitUntil: "domcontentloaded" }).catch(() => {});
    assert.deepEqual(dialogs, ["beforeunload"]);
    dialogs.length = 0;
    await page.waitForSelector("body[data-ready=yes]", { timeout: 20000 });
  });

  await step("a UTF-16 file shows its values and is saved as 8-bit text, CRLF, every line", async () => {
    const text = "; caf\u00e9 \u{1F3A8}\r\nMoneyColor=1 2 3\r\nZoneTextStyle=1\r\n";
    const le = Buffer.concat([Buffer.from([0xff, 0xfe]), Buffer.from(text, "utf16le")]);
    await open(page, writeFile("Tessivar.VC.ini", le));
    assert.equal((await listed(page)).MoneyColor, "1 2 3");
    assert.match(await page.$eval("#notice", el => el.textContent), /UTF-16.*cannot read it as it is/);
    assert.equal(await page.$eval("#dirty", el => el.hidden), false);
    await edit(page, "ZoneTextStyle", "#value", "3");
    await page.click("#save");
    await page.waitForFunction(() => window.written.at(-1).bytes.length < 80);
    assert.deepEqual((await lastWritten(page)).bytes,
      Buffer.from(text.replace("Style=1", "Style=3"), "utf8"));
  });

  await step("CR alone and a NUL: the edit changes its setting and nothing else", async () => {
    const cases = [
      ["cr.ini", "MoneyColor=1 2 3\r; my colours\rZoneColor=4 5 6\r",
       "MoneyColor=1 200 3\r; my colours\rZoneColor=4 5 6\r"],
      ["nul.ini", "; a comment\0 with a NUL\r\nMoneyColor=#FF0000\r\n",
       "; a comment\0 with a NUL\r\nMoneyColor=1 200 3\r\n"],
    ];
    for (const [name, before, after] of cases) {
      const writes = await page.evaluate(() => window.written.length);
      await open(page, writeFile(name, ascii(before)));
      await edit(page, "MoneyColor", "#value-1", "200");
      await edit(page, "MoneyColor", "#value-0", "1");
      await edit(page, "MoneyColor", "#value-2", "3");
      await page.click("#save-as");
      await page.waitForFunction(n => window.written.length === n, {}, writes + 1);
      assert.deepEqual((await lastWritten(page)).bytes, ascii(after), name);
    }
  });

  await step("an 8-bit file with a tail of NULs is not UTF-16: one edit keeps every other byte", async () => {
    // what a crashed editor or a sync tool leaves behind
    const tail = Buffer.alloc(4000);
    const before = Buffer.concat([ascii("MoneyColor=1 2 3\r\nZoneColor=4 5 6\r\n"), tail]);
    await open(page, writeFile("nul-tail.ini", before));
    assert.doesNotMatch(await page.$eval("#notice", el => el.textContent), /UTF-16/);
    assert.equal((await listed(page)).ZoneColor, "4 5 6");
    await edit(page, "MoneyColor", "#value-0", "9");
    const writes = await page.evaluate(() => window.written.length);
    await page.click("#save-as");
    await page.waitForFunction(n => window.written.length === n, {}, writes + 1);
    assert.deepEqual((await lastWritten(page)).bytes,
      Buffer.concat([ascii("MoneyColor=9 2 3\r\nZoneColor=4 5 6\r\n"), tail]));
  });

  await step("a 6 MB file opens, on the heap, and is shown", async () => {
    const padding = "; " + "x".repeat(98) + "\r\n";
    // The setting within the first 10 000 lines: the plugin reads no further.
    const big = ascii("MoneyColor=9 8 7\r\n" + padding.repeat(60000));
    await page.evaluate(() => {
      window.seen = [];
      const watch = id => new MutationObserver(() => window.seen.push(document.getElementById(id).textContent))
        .observe(document.getElementById(id), { childList: true, characterData: true, subtree: true });
      watch("notice");
      watch("file-name");
    });
    await open(page, writeFile("big.ini", big));
    // said while it is at work: before the file is shown
    const seen = await page.evaluate(() => window.seen);
    assert.ok(seen.indexOf("Opening big.ini (6 MB)…") >= 0 &&
              seen.indexOf("Opening big.ini (6 MB)…") < seen.indexOf("big.ini"), seen.join(" | "));
    const shown = await listed(page);
    assert.equal(Object.keys(shown).length, 34);
    assert.equal(shown.MoneyColor, "9 8 7");
    await edit(page, "MoneyColor", "#value-0", "1");
    assert.equal((await listed(page)).MoneyColor, "1 8 7");
    // a file the core cannot take: named in a message, and the open file stays
    await page.evaluate(() => {
      const real = Blob.prototype.arrayBuffer;
      Blob.prototype.arrayBuffer = function () {
        Blob.prototype.arrayBuffer = real;
        throw new Error("out of memory");
      };
    });
    await (await page.$("#open-file")).uploadFile(writeFile("huge.ini", ascii("MoneyColor=1 1 1\r\n")));
    await page.waitForFunction(() => /huge\.ini/.test(document.getElementById("notice").textContent));
    assert.equal(await page.$eval("#file-name", el => el.textContent), "big.ini");
    assert.equal((await listed(page)).MoneyColor, "1 8 7");
  });

  await step("Fix all gives the bytes the checker's JSON fixes give, applied apart", async () => {
    await open(page, iniPath);
    const json = JSON.parse(spawnSync(checker, ["--format=json", iniPath], { encoding: "utf8" }).stdout);
    const report = await page.evaluate(() => window.tessivar.report());
    // the page's findings are the checker's: codes, lines, keys and fixes
    const essentials = findings => findings.map(({ code, severity, line, key, fix }) =>
      JSON.stringify({ code, severity, line, key, fix: fix && { ...fix, file: undefined } }));
    assert.deepEqual(essentials(report.findings), essentials(json.findings));
    const meant = applyFixes(fs.readFileSync(iniPath),
      json.findings.filter(f => f.severity === "error" && f.fix).map(f => f.fix));
    await page.click("#fix-all");
    assert.deepEqual(Buffer.from(await page.evaluate(() => [...window.tessivar.bytes()])), meant);
    const after = await page.evaluate(() => window.tessivar.report());
    assert.deepEqual(after.findings.filter(f => f.severity === "error"), []);
    assert.equal(after.settings.find(s => s.key === "MoneyColor").value, "0 207 133");
  });

  await step("each Fix, one after another, mends its finding until none is left", async () => {
    await open(page, iniPath);
    const fixable = () => page.evaluate(() => window.tessivar.report().findings.filter(f => f.fix).length);
    for (let before = await fixable(), rounds = 0; before > 0 && rounds < 20; ++rounds) {
      await page.evaluate(() => {
        const finding = window.tessivar.report().findings.find(f => f.fix);
        window.tessivar.select(finding.key || null);
      });
      await page.click(".finding button.fix");
      const after = await fixable();
      assert.ok(after < before, `${after} fixes after a fix, ${before} before`);
      before = after;
    }
    assert.equal(await fixable(), 0);
  });

  await step("fields take only what the plugin can use, and the picture follows live", async () => {
    await page.click("#new");
    await edit(page, "MoneyColor", "#value-0", "12.7");
    assert.match(await page.$eval("#panel-message", el => el.textContent), /12\.7.*not written/);
    assert.equal(await page.$eval("#value-0", el => el.getAttribute("aria-invalid")), "true");
    assert.equal((await listed(page)).MoneyColor, "0 207 133");
    await enter(page, "#value-0", "");
    assert.equal((await listed(page)).MoneyColor, "0 207 133");
    await enter(page, "#value-0", "300");
    assert.equal((await listed(page)).MoneyColor, "255 207 133");
    await edit(page, "RiflesCursorNoZoomSize", "#value", "0,6");
    assert.equal((await listed(page)).RiflesCursorNoZoomSize, "0.6");
    await page.click("#list tr[data-key=ZoneColor] button.key");
    const undoable = await page.evaluate(() => window.tessivar.history().undo);
    await page.$eval("#picker", el => { el.value = "#102030"; el.dispatchEvent(new Event("input")); });
    await page.waitForFunction(() =>
      document.querySelector("#picture [data-key=ZoneColor]").getAttribute("fill") === "rgb(16,32,48)");
    assert.equal(await page.evaluate(() => window.tessivar.history().undo), undoable);
    assert.ok(await page.$("#picture [data-key=ZoneColor].selected"));
  });

  await step("keyboard only: reach a setting, open it, type two numbers, undo", async () => {
    await page.click("#new");
    await page.focus("#main-title");
    let tabs = 0;
    while (!(await page.evaluate(() => document.activeElement.textContent === "CounterColor")) && tabs++ < 150)
      await page.keyboard.press("Tab");
    assert.ok(tabs < 150, "the list's CounterColor row is reachable with Tab");
    await page.keyboard.press("Enter");
    assert.equal(await page.evaluate(() => document.activeElement.id), "picker");
    await page.keyboard.press("Tab");
    for (const [id, text] of [["value-0", "255"], ["value-1", "215"]]) {
      assert.equal(await page.evaluate(() => document.activeElement.id), id);
      await page.keyboard.down("Control");
      await page.keyboard.press("a");
      await page.keyboard.up("Control");
      await page.keyboard.type(text);
      await page.keyboard.press("Tab");
    }
    assert.match((await listed(page)).CounterColor, /^255 215 /);
    const unlabelled = await page.$$eval("input:not([hidden])", inputs =>
      inputs.filter(i => !i.labels.length && !i.getAttribute("aria-label")).map(i => i.id));
    assert.deepEqual(unlabelled, []);
    const picture = await page.$$eval("#picture [data-key]", els =>
      [new Set(els.map(el => el.dataset.key)).size, els.filter(el => el.tabIndex === 0).length]);
    assert.equal(picture[1], picture[0]); // every element drawn, once per setting
    await page.keyboard.down("Control");
    await page.keyboard.press("z");
    await page.keyboard.up("Control");
    assert.match((await listed(page)).CounterColor, /^255 /);
  });

  for (const [width, height] of [[1024, 700], [1920, 1080]]) {
    await step(`layout at ${width}×${height}: no sideways scrolling, labels of 11 px, the panel in view`, async () => {
      await page.setViewport({ width, height });
      await page.click("#list tr[data-key=AllWeaponsCursorSize] button.key");
      const layout = await page.evaluate(() => {
        const svg = document.querySelector("#picture svg");
        const panel = document.getElementById("panel").getBoundingClientRect();
        return {
          scroll: document.documentElement.scrollWidth - window.innerWidth,
          label: svg.getBoundingClientRect().width / svg.viewBox.baseVal.width * 11,
          panelInView: panel.top >= 0 && panel.top < window.innerHeight,
        };
      });
      assert.ok(layout.scroll <= 0, `${layout.scroll} px sideways`);
      assert.ok(layout.label >= 11, `labels of ${layout.label.toFixed(1)} px`);
      assert.ok(layout.panelInView, "the edit panel is in view");
      await page.screenshot({ path: path.join(outDir, `editor-${width}.png`) });
    });
  }

  await viewSteps({ page, step, listed, nativeTable, checker, work, downloads, outDir, open,
                   lastWritten, iniPath });

  await firstScreenSteps({ page, step, open, writeFile, crlf, edit, listed });

  await step("without the file-writing API, Save downloads Tessivar.VC.ini and says where", async () => {
    const plain = await openPage(true);
    const renamed = writeFile("Tessivar.VC (1).ini", crlf(["MoneyColor=1 2 3"]));
    await open(plain, renamed);
    assert.match(await plain.$eval("#notice", el => el.textContent), /reads only a file named Tessivar\.VC\.ini/);
    await edit(plain, "MoneyColor", "#value-0", "4");
    await plain.click("#save");
    const saved = path.join(downloads, "Tessivar.VC.ini");
    for (let i = 0; i < 100 && !fs.existsSync(saved); ++i) await new Promise(r => setTimeout(r, 100));
    assert.deepEqual(fs.readFileSync(saved), crlf(["MoneyColor=4 2 3"]));
    assert.match(await plain.$eval("#notice", el => el.textContent), /plugins.*scripts.*Tessivar\.VC \(1\)\.ini/s);
    // Nothing says where the download went: still unsaved, and closing asks, until the player says so.
    assert.equal(await plain.$eval("#dirty", el => el.hidden), false);
    await plain.click("#notice-action");
    assert.equal(await plain.$eval("#dirty", el => el.hidden), true);
    await plain.close();
  });

  await folderSteps({ step, openPage, checker, work });

  await languageSteps({ step, openPage, open, writeFile, crlf });

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
