// The editor's views in the browser, run by page_test.mjs on its open page: a palette
// applied as one undoable edit and saved, a code copied in the page and made into an
// ini by the native checker, a damaged code refused, a screenshot that moves the
// contrast flags, a colour-vision view, compare, and the picture saved as a PNG.

import assert from "node:assert/strict";
import { execFileSync, spawnSync } from "node:child_process";
import fs from "node:fs";
import path from "node:path";
import zlib from "node:zlib";

const palettes = new URL("../../palettes/", import.meta.url).pathname;

// A PNG of one colour, made here: the smallest honest screenshot.
function flatPng(width, height, [r, g, b]) {
  const row = Buffer.concat([Buffer.from([0]), Buffer.alloc(width * 3).map((_, i) => [r, g, b][i % 3])]);
  const chunk = (type, data) => {
    const body = Buffer.concat([Buffer.from(type, "latin1"), data]);
    const size = Buffer.alloc(4), crc = Buffer.alloc(4);
    size.writeUInt32BE(data.length);
    crc.writeUInt32BE(zlib.crc32(body) >>> 0);
    return Buffer.concat([size, body, crc]);
  };
  const header = Buffer.alloc(13);
  header.writeUInt32BE(width, 0);
  header.writeUInt32BE(height, 4);
  header.set([8, 2, 0, 0, 0], 8); // 8 bits, RGB
  return Buffer.concat([Buffer.from("89504e470d0a1a0a", "hex"), chunk("IHDR", header),
    chunk("IDAT", zlib.deflateSync(Buffer.concat(Array(height).fill(row)))), chunk("IEND", Buffer.alloc(0))]);
}

async function waitForFile(file) {
  for (let i = 0; i < 100 && !fs.existsSync(file); ++i) await new Promise(r => setTimeout(r, 100));
  return fs.readFileSync(file);
}

export async function viewSteps({ page, step, listed, nativeTable, checker, work, downloads, outDir,
                                  open, lastWritten, iniPath }) {
  const choose = async (id, text) => {
    if (id === "#palettes") {
      await page.click("#palettes");
      const at = await page.$$eval("#palette-list [role=menuitem]", (items, t) => items.findIndex(i => i.textContent === t), text);
      await (await page.$$("#palette-list [role=menuitem]"))[at].click();
      return;
    }
    const value = await page.$eval(id, (select, t) => [...select.options].find(o => o.textContent === t).value, text);
    await page.select(id, value);
  };
  const lowContrast = () => page.$$eval("#list tr.low-contrast", rows => rows.map(r => r.dataset.key));
  await open(page, iniPath);

  await step("a code copied in the page is the same ini in the native checker", async () => {
    await page.click("#copy-code");
    const code = await page.$eval("#code", el => el.value);
    assert.match(code, /^TVC1[0-9A-Za-z]{158}$/);
    const made = path.join(work, "from-code.ini");
    execFileSync(checker, ["--from-code", code, "--output", made]);
    const shown = await listed(page);
    assert.equal(shown.Messagebox, "[300 skipped] 10 20");
    shown.Messagebox = "[-1 skipped] 10 20"; // the code keeps "not written", not the 300
    assert.deepEqual(nativeTable(made).table, shown);
  });

  await step("a damaged code changes nothing and says why, as the checker refuses it", async () => {
    const before = await listed(page);
    const undoable = await page.$eval("#undo", el => !el.disabled);
    const code = await page.$eval("#code", el => el.value);
    const at = (i, c) => code.slice(0, i) + c + code.slice(i + 1);
    const damaged = [
      at(60, code[60] === "A" ? "B" : "A"),
      // the same low 8 bits as the letter it replaces: masked to a byte it would pass
      at(60, String.fromCharCode(code.charCodeAt(60) + 0x100)),
      at(3, "\u0131"), // a dotless i (U+0131) for the 1 of TVC1: 0x31 once masked
    ];
    for (const text of damaged) {
      await page.$eval("#code", (el, text) => { el.value = text; }, text);
      await page.click("#paste-code");
      assert.match(await page.$eval("#code-message.problem", el => el.textContent), /unchanged/, text);
      assert.deepEqual(await listed(page), before);
      assert.equal(await page.$eval("#undo", el => !el.disabled), undoable);
      const native = spawnSync(checker, ["--from-code", text], { encoding: "utf8" });
      assert.notEqual(native.status, 0, text);
    }
  });

  await step("a palette is one undoable edit that keeps the player's lines", async () => {
    const before = await listed(page);
    const palette = path.join(palettes, "high-contrast.ini");
    await choose("#palettes", "High contrast");
    assert.deepEqual(await listed(page), nativeTable(palette).table);
    await page.click("#save");
    const saved = path.join(work, "saved-palette.ini");
    fs.writeFileSync(saved, (await lastWritten(page)).bytes);
    const text = fs.readFileSync(saved, "latin1");
    for (const kept of ["; my colours, copied from a forum\r\n", "# keep this comment\r\n", "SomeOtherMod=keep me\r\n"])
      assert.ok(text.includes(kept), kept);
    assert.deepEqual(nativeTable(saved).table, nativeTable(palette).table);
    await page.click("#undo");
    assert.deepEqual(await listed(page), before);
  });

  await step("every palette but the defaults reaches 3:1 on both drawn scenes", async () => {
    const names = await page.$$eval("#palette-list [role=menuitem]", items => items.map(i => i.textContent));
    assert.equal(names.length, 6);
    for (const name of names.filter(n => n !== "Defaults")) {
      await choose("#palettes", name);
      for (const scene of ["night", "day"]) {
        await page.select("#background", scene);
        assert.deepEqual(await lowContrast(), [], name + " on the " + scene + " scene");
      }
      await page.click("#undo");
    }
    await page.select("#background", "night");
  });

  await step("a screenshot moves the contrast flags", async () => {
    await choose("#palettes", "Defaults");
    const night = await lowContrast();
    assert.deepEqual(night, ["WantedNotActiveColor"]);
    const shot = path.join(work, "white.png");
    fs.writeFileSync(shot, flatPng(16, 9, [250, 250, 250]));
    await (await page.$("#screenshot-file")).uploadFile(shot);
    await page.waitForFunction(() => document.getElementById("background").value === "screenshot");
    const white = await lowContrast();
    assert.ok(white.includes("WantedActiveColor") && white.includes("ArmourNumberColor"), white.join());
    assert.ok(!white.includes("Messagebox2")); // its words stand on the message box
    await page.click(".contrast-fix");
    assert.equal((await lowContrast()).length, white.length - 1);
    await page.click("#undo");
    await page.select("#background", "night");
    assert.deepEqual(await lowContrast(), night);
    await page.click("#undo");
  });

  await step("a colour-vision view changes the picture, compare changes nothing", async () => {
    const stage = await page.$("#stage");
    const normal = await stage.screenshot();
    await page.select("#vision", "deuteranopia");
    assert.match(await page.$eval("#stage", el => el.style.filter), /vision-deuteranopia/);
    const deutan = await stage.screenshot();
    fs.writeFileSync(path.join(outDir, "deuteranopia.png"), deutan);
    assert.notDeepEqual(deutan, normal);
    await page.select("#vision", "normal");
    await choose("#palettes", "Neon nights");
    const before = await listed(page);
    const money = () => page.$eval("#picture [data-key=MoneyColor]", el => el.getAttribute("fill"));
    await page.select("#compare", "opened");
    assert.equal(await money(), "rgb(0,207,133)");
    assert.match(await page.$eval("#compare-note", el => el.textContent), /nothing in your file changed/);
    assert.deepEqual(await listed(page), before);
    await page.select("#compare", "yours");
    assert.equal(await money(), "rgb(184,255,92)");
  });

  await step("the picture with its background saves as a PNG", async () => {
    await page.click("#save-picture");
    const png = await waitForFile(path.join(downloads, "Tessivar HUD.png"));
    assert.equal(png.subarray(1, 4).toString(), "PNG");
    assert.deepEqual([png.readUInt32BE(16), png.readUInt32BE(20)], [980, 630]);
    fs.writeFileSync(path.join(outDir, "hud.png"), png);
  });
}
