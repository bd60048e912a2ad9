// The game folder in the page, through a stand-in for the browser's folder access: the
// same answer and install findings as the native checker's on the same folder, the ini
// the plugin reads opened and saved in place, and the folder input read only.

import assert from "node:assert/strict";
import { spawnSync } from "node:child_process";
import fs from "node:fs";
import path from "node:path";

const here = path.dirname(new URL(import.meta.url).pathname);

// Game folders as the checker's tests make them: the game (build 100), an ASI loader,
// the plugin, and what each layout adds or takes away.
const layouts = {
  "ini read": { "scripts/Tessivar.VC.ini": "MoneyColor=1 2 3\r\n" },
  "ini saved as .txt": { "scripts/Tessivar.VC.ini.txt": "MoneyColor=1 2 3\r\n" },
  "ignored copy": { "plugins/Tessivar.VC.ini": "MoneyColor=1 2 3\r\n",
                    "scripts/Tessivar.VC.ini": "MoneyColor=4 5 6\r\n" },
  "no loader": { "dinput8.dll": null },
  "backups kept": { "scripts/Tessivar.VC.ini": "MoneyColor=1 2 3\r\n",
                    "Tessivar.VC.backup/2026-01-01_00-00-00/Tessivar.VC.dll": "MZ" },
};

function makeFolder(root, extra) {
  const made = spawnSync("python3", ["-c", `
import os, sys
sys.path.insert(0, ${JSON.stringify(path.join(here, "..", "checker"))})
import checker_cli_test as cli
root = sys.argv[1]
os.makedirs(os.path.join(root, "scripts"))
for name, data in (("gta-vc.exe", cli.fake_game_exe(0x667BF0)),
                   ("dinput8.dll", cli.fake_game_exe(0, b"*.asi")),
                   ("scripts/Tessivar.VC.asi", cli.fake_game_exe(0))):
    open(os.path.join(root, name), "wb").write(data)
`, root]);
  assert.equal(made.status, 0, String(made.stderr));
  for (const [name, text] of Object.entries(extra)) {
    const file = path.join(root, name);
    if (text === null) fs.rmSync(file);
    else {
      fs.mkdirSync(path.dirname(file), { recursive: true });
      fs.writeFileSync(file, text, "latin1");
    }
  }
}

// The folder as the stand-in hands it to the page: names, kinds and bytes.
function treeOf(folder) {
  return fs.readdirSync(folder, { withFileTypes: true }).map(entry => entry.isDirectory()
    ? { name: entry.name, children: treeOf(path.join(folder, entry.name)) }
    : { name: entry.name, bytes: Array.from(fs.readFileSync(path.join(folder, entry.name))) });
}

// The browser's folder access, over a tree kept in the page: what the page writes, makes
// and removes changes the tree, and window.folderFiles() lists it.
function standIn(page, tree) {
  return page.evaluate(tree => {
    const node = entry => entry.children
      ? { name: entry.name, children: entry.children.map(node) } : { name: entry.name, bytes: entry.bytes };
    const file = item => ({
      kind: "file", name: item.name,
      getFile: async () => new File([new Uint8Array(item.bytes)], item.name),
      queryPermission: async () => "granted",
      createWritable: async () => {
        const parts = [];
        return {
          write: async bytes => parts.push(...Array.from(bytes)),
          close: async () => {
            item.bytes = parts;
            window.written.push({ name: item.name, bytes: parts });
          },
        };
      },
    });
    const missing = () => Object.assign(new Error("not found"), { name: "NotFoundError" });
    const directory = item => ({
      kind: "directory", name: item.name,
      async *values() {
        for (const child of [...item.children]) yield child.children ? directory(child) : file(child);
      },
      async getDirectoryHandle(name, { create = false } = {}) {
        let child = item.children.find(c => c.name === name);
        if (!child && create) item.children.push(child = { name, children: [], made: true });
        if (!child || !child.children) throw missing();
        return directory(child);
      },
      async getFileHandle(name, { create = false } = {}) {
        let child = item.children.find(c => c.name === name);
        if (!child && create) item.children.push(child = { name, bytes: [], made: true });
        if (!child || child.children) throw missing();
        return file(child);
      },
      async removeEntry(name) {
        // A player's file held open elsewhere: it cannot go (what the page made can).
        const entry = item.children.find(c => c.name === name);
        if ((window.refusedNames ?? []).includes(name) && !(entry && entry.made) && !item.made)
          throw Object.assign(new Error("in use"), { name: "NoModificationAllowedError" });
        const at = item.children.findIndex(c => c.name === name);
        if (at < 0) throw missing();
        item.children.splice(at, 1);
      },
    });
    const root = node({ name: "game", children: tree });
    window.showDirectoryPicker = async () => directory(root);
    window.folderFiles = () => {
      const out = {};
      const visit = (item, prefix) => item.children.forEach(c => c.children
        ? visit(c, prefix + c.name + "/") : (out[prefix + c.name] = c.bytes.join(",")));
      visit(root, "");
      return out;
    };
  }, tree);
}

const installFindings = report => report.findings
  .filter(f => f.code.startsWith("INSTALL") && f.severity !== "info").map(f => f.code);

export async function folderSteps({ step, openPage, checker, work }) {
  await step("a game folder: the page's answer and install findings are the checker's, the ini it reads opened and saved in place", async () => {
    for (const [name, extra] of Object.entries(layouts)) {
      const folder = path.join(work, "game-" + name.replace(/\W/g, "-"));
      makeFolder(folder, extra);
      const native = JSON.parse(spawnSync(checker, ["--game", folder, "--format=json"],
        { encoding: "utf8" }).stdout);
      const page = await openPage(false);
      await standIn(page, treeOf(folder));
      await page.click("#open-game");
      await page.waitForSelector("#install:not([hidden]) .answer", { timeout: 20000 });
      const shown = await page.evaluate(() => ({
        verdict: document.querySelector("#install .answer").className.split(" ")[1],
        answer: document.querySelector("#install .answer").textContent,
        codes: [...document.querySelectorAll("#install .install-findings .code")].map(c => c.textContent),
        file: document.getElementById("file-name").textContent,
      }));
      assert.equal(shown.verdict, native.answer.verdict, name);
      assert.equal(shown.answer, native.answer.message, name);
      assert.deepEqual(shown.codes, installFindings(native), name);
      if (native.ini.path) {
        assert.equal(shown.file, "Tessivar.VC.ini", name);
        const reads = fs.readFileSync(path.join(folder, ...native.ini.path.split("\\")));
        assert.deepEqual(await page.evaluate(() => Array.from(window.tessivar.bytes())), Array.from(reads), name);
        await page.evaluate(() => document.getElementById("save").click());
        await page.waitForFunction(() => window.written.length > 0, { timeout: 5000 });
        assert.deepEqual(await page.evaluate(() => window.written[0].bytes), Array.from(reads), name);
      }
      await page.close();
    }
  });

  await step("no ini in the game folder: Save makes scripts\\Tessivar.VC.ini, and the answer is the checker's on the folder so made", async () => {
    const folder = path.join(work, "game-no-ini");
    makeFolder(folder, {});
    const page = await openPage(false);
    await standIn(page, treeOf(folder));
    await page.click("#open-game");
    await page.waitForSelector("#install:not([hidden]) .answer", { timeout: 20000 });
    const first = await page.$eval("#install .answer", el => el.textContent);
    assert.equal((await page.evaluate(() => window.folderFiles()))["scripts/Tessivar.VC.ini"], undefined,
      "nothing is made before Save");
    await page.evaluate(() => document.getElementById("save").click());
    await page.waitForFunction(previous => document.querySelector("#install .answer").textContent !== previous,
      { timeout: 20000 }, first);
    const files = await page.evaluate(() => window.folderFiles());
    const made = path.join(work, "game-no-ini-saved");
    for (const [name, bytes] of Object.entries(files)) {
      fs.mkdirSync(path.dirname(path.join(made, name)), { recursive: true });
      fs.writeFileSync(path.join(made, name), Buffer.from(bytes ? bytes.split(",").map(Number) : []));
    }
    const native = JSON.parse(spawnSync(checker, ["--game", made, "--format=json"], { encoding: "utf8" }).stdout);
    assert.equal(native.ini.path, "scripts\\Tessivar.VC.ini");
    assert.equal(await page.$eval("#install .answer", el => el.textContent), native.answer.message);
    await page.close();
  });

  await step("without folder access a folder input reads the folder: the same answer, read only, hostile names as text", async () => {
    const folder = path.join(work, "game-read-only");
    makeFolder(folder, { "scripts/Tessivar.VC.ini.txt": "MoneyColor=1 2 3\r\n",
                         "mods/<img src=x onerror=window.hit=1>/Tessivar.VC.ini": "MoneyColor=9 9 9\r\n" });
    const native = JSON.parse(spawnSync(checker, ["--game", folder, "--format=json"], { encoding: "utf8" }).stdout);
    const before = treeOf(folder);
    const page = await openPage(true);
    const [chooser] = await Promise.all([page.waitForFileChooser(), page.click("#open-game")]);
    await chooser.accept([folder]);
    await page.waitForSelector("#install:not([hidden]) .answer", { timeout: 20000 });
    assert.equal(await page.$eval("#install .answer", el => el.textContent), native.answer.message);
    assert.deepEqual(await page.$$eval("#install .install-findings .code", c => c.map(e => e.textContent)),
      installFindings(native));
    assert.equal(await page.$("#install .repair"), null, "no repair offered where nothing can be written");
    assert.ok(await page.$("#install .note"), "the page says it can only read");
    assert.equal(await page.evaluate(() => window.hit), undefined);
    assert.match(await page.$eval("#install", el => el.textContent), /<img src=x/);
    assert.deepEqual(treeOf(folder), before);
    await page.close();
  });

  await step("repairs in the page: each asks first, a no changes nothing, a yes keeps the old file and turns the answer to Yes", async () => {
    const folder = path.join(work, "game-repairs");
    makeFolder(folder, { "scripts/Tessivar.VC.ini.txt": "MoneyColor=1 2 3\r\n", "Tessivar.VC.dll": "MZ copy" });
    const page = await openPage(false);
    await standIn(page, treeOf(folder));
    await page.click("#open-game");
    await page.waitForSelector("#install .repair", { timeout: 20000 });
    const before = await page.evaluate(() => window.folderFiles());
    await page.evaluate(() => { window.confirm = () => false; });
    await page.click("#install .repair");
    assert.deepEqual(await page.evaluate(() => window.folderFiles()), before);
    // A repair the folder refuses half-way (the old name cannot go) is undone.
    await page.evaluate(() => {
      window.confirm = () => true;
      window.refusedNames = ["Tessivar.VC.ini.txt", "Tessivar.VC.dll"];
    });
    await page.click("#install .repair");
    await page.waitForSelector("#notice.error", { timeout: 20000 });
    assert.deepEqual(await page.evaluate(() => window.folderFiles()), before);
    await page.evaluate(() => { window.refusedNames = []; });
    for (let i = 0; i < 2; ++i) {
      await page.click("#install .repair");
      await page.waitForFunction(n => document.querySelectorAll("#install .repair").length === n,
        { timeout: 20000 }, 1 - i);
    }
    assert.equal(await page.$eval("#install .answer", el => el.className), "answer yes");
    const after = await page.evaluate(() => window.folderFiles());
    const kept = Object.keys(after).filter(name => name.startsWith("Tessivar.VC.backup/"));
    assert.equal(kept.length, 1);
    assert.match(kept[0], /^Tessivar\.VC\.backup\/\d{4}-\d\d-\d\d_\d\d-\d\d-\d\d\/Tessivar\.VC\.dll$/);
    assert.equal(after[kept[0]], before["Tessivar.VC.dll"]);
    assert.equal(after["scripts/Tessivar.VC.ini"], before["scripts/Tessivar.VC.ini.txt"]);
    assert.equal(after["Tessivar.VC.dll"], undefined);
    assert.equal(after["scripts/Tessivar.VC.ini.txt"], undefined);
    await page.close();
  });
}
