// What a player sees first: the summary of a broken file with links to its lines, the
// picture and the panel on screen together, the Palettes menu by keyboard, messages that
// go when what they spoke of changes, and a picture whose parts read apart.

import assert from "node:assert/strict";

const broken = ["MoneyColor=#FF0000", "TimerColor=255 128 0 20", "ZoneColor=rgb(0,255,0)",
                "HealthNumberColor=1,2,3"];

function overlap(a, b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

export async function firstScreenSteps({ page, step, open, writeFile, crlf, edit, listed }) {
  const text = selector => page.$eval(selector, el => el.textContent);
  const undoCount = () => page.evaluate(() => window.tessivar.history().undo);

  await step("a broken file: the summary names each line not read as meant, each a link to its row", async () => {
    await page.setViewport({ width: 1366, height: 768 });
    await open(page, writeFile("Tessivar.VC.ini", crlf(broken)));
    assert.match(await text("#summary .answer"), /^Yes, but 3 settings will not apply as written: MoneyColor, ZoneColor and HealthNumberColor/);
    assert.deepEqual(await page.$$eval("#summary .not-as-meant button", links => links.map(l => l.textContent)),
      ["line 1 MoneyColor", "line 3 ZoneColor", "line 4 HealthNumberColor"]);
    // the contrast box leaves the misread money to its own fix
    assert.doesNotMatch(await text("#contrast"), /\(MoneyColor\)/);
    await page.evaluate(() => window.scrollTo(0, 0));
    await (await page.$$("#summary .not-as-meant button"))[2].click();
    assert.equal(await text("#panel-title"), "HealthNumberColor");
    const row = await page.$eval("#list tr[data-key=HealthNumberColor]", el => {
      const box = el.getBoundingClientRect();
      return { selected: el.classList.contains("selected"), inView: box.top >= 0 && box.bottom <= window.innerHeight,
               focused: el.contains(document.activeElement) };
    });
    assert.deepEqual(row, { selected: true, inView: true, focused: true });
    await page.click("#fix-all");
    assert.match(await text("#summary .answer"), /^Yes: /);
    assert.equal(await page.$("#summary .not-as-meant"), null);
    assert.equal((await listed(page)).MoneyColor, "255 0 0");
  });

  for (const [width, height] of [[1024, 700], [1366, 768]]) {
    await step(`at ${width}×${height} the element picked and its panel are on screen together, without a jump`, async () => {
      await page.setViewport({ width, height });
      for (const key of ["MoneyColor", "TimerColor", "RiflesCursorNoZoomColor"]) {
        // a floating panel closes first, as a player closes it to pick another element
        if (await page.$eval("#panel", el => el.classList.contains("open") && getComputedStyle(el).position === "fixed"))
          await page.click("#panel-close");
        await page.evaluate(() => window.scrollTo(0, 0));
        const shape = `#picture [data-key=${key}]`;
        await page.$eval(shape, el => el.scrollIntoView({ block: "nearest" }));
        const scrolled = await page.evaluate(() => window.scrollY);
        await page.click(shape);
        const seen = await page.evaluate(shape => {
          const box = r => ({ left: r.left, right: r.right, top: r.top, bottom: r.bottom });
          return { element: box(document.querySelector(shape).getBoundingClientRect()),
                   panel: box(document.getElementById("panel").getBoundingClientRect()),
                   scrollY: window.scrollY, width: innerWidth, height: innerHeight,
                   title: document.getElementById("panel-title")?.textContent };
        }, shape);
        assert.equal(seen.title, key);
        assert.equal(seen.scrollY, scrolled, "the page did not move");
        for (const box of [seen.element, seen.panel])
          assert.ok(box.left >= 0 && box.right <= seen.width && box.top >= 0 && box.bottom <= seen.height,
            `${key}: ${JSON.stringify(box)} in a ${seen.width}×${seen.height} window`);
        assert.ok(!overlap(seen.element, seen.panel), `${key}: the panel covers the element`);
      }
      if (width < 1340) { // floating: Escape closes it, and focus goes back to the picture
        await page.focus("#value-0");
        await page.keyboard.press("Escape");
        assert.equal(await page.$eval("#panel", el => getComputedStyle(el).display), "none");
        assert.equal(await page.evaluate(() => document.activeElement.dataset.key), "RiflesCursorNoZoomColor");
      }
    });
  }

  await step("Palettes by keyboard: arrows move, Escape applies none, Enter applies one once", async () => {
    await page.setViewport({ width: 1366, height: 768 });
    const before = await undoCount();
    const state = () => page.evaluate(() => ({
      open: !document.getElementById("palette-list").hidden,
      focused: document.activeElement.textContent, undo: window.tessivar.history().undo }));
    const names = await page.$$eval("#palette-list [role=menuitem]", items => items.map(i => i.textContent));
    await page.focus("#palettes");
    await page.keyboard.press("ArrowDown");
    for (let i = 0; i < 4; ++i) await page.keyboard.press("ArrowDown");
    assert.deepEqual(await state(), { open: true, focused: names[4], undo: before });
    await page.keyboard.press("Escape");
    assert.deepEqual(await state(), { open: false, focused: "Palettes… ▾", undo: before });
    await page.keyboard.press("ArrowDown");
    await page.keyboard.press("ArrowUp"); // from the first item, round to the last
    assert.equal((await state()).focused, names.at(-1));
    await page.keyboard.press("Enter");
    assert.deepEqual(await state(), { open: false, focused: "Palettes… ▾", undo: before + 1 });
    await page.click("#undo");
    // from the panel back to the toolbar: a link first in it
    await page.click("#list tr[data-key=ZoneColor] button.key");
    await page.focus("#value-0");
    let presses = 0;
    while (await page.evaluate(() => document.activeElement.textContent !== "Back to the toolbar") && presses++ < 6) {
      await page.keyboard.down("Shift");
      await page.keyboard.press("Tab");
      await page.keyboard.up("Shift");
    }
    await page.keyboard.press("Enter");
    assert.equal(await page.evaluate(() => document.activeElement.id), "open");
  });

  await step("what a message spoke of changes, and the message goes", async () => {
    await open(page, writeFile("Tessivar.VC (2).ini", crlf(["MoneyColor=1 2 3"])));
    assert.match(await text("#notice"), /Tessivar\.VC \(2\)\.ini/);
    await page.click("#undo"); // back past the open
    assert.equal(await text("#notice"), "");
    await page.$eval("#code", el => { el.value = "TVC1damaged"; });
    await page.click("#paste-code");
    assert.notEqual(await text("#code-message"), "");
    await edit(page, "MoneyColor", "#value-0", "7");
    assert.equal(await text("#code-message"), "");
    await edit(page, "MoneyColor", "#value-1", "abc");
    assert.match(await text("#panel-message"), /abc/);
    await edit(page, "MoneyColor", "#value-1", "12");
    assert.equal(await text("#panel-message"), "");
  });

  await step("the picture: health and armour apart, each label on a band of its own", async () => {
    const layout = await page.evaluate(() => {
      const box = selector => document.querySelector(selector).getBBox();
      const labels = [...document.querySelectorAll("#picture svg text[font-family=monospace]")].map(t => {
        const band = t.previousElementSibling, b = band.getBBox(), l = t.getBBox();
        return { text: t.textContent, band: { left: b.x, right: b.x + b.width, top: b.y, bottom: b.y + b.height },
                 covers: band.tagName === "rect" && b.x <= l.x && b.x + b.width >= l.x + l.width &&
                         b.y <= l.y + 1 && b.y + b.height >= l.y + l.height - 1 };
      });
      const health = box("#picture text[data-key=HealthNumberColor]");
      return { gap: box("#picture [data-key=ArmourIconColor]").x - (health.x + health.width), labels,
               width: document.querySelector("#picture svg").viewBox.baseVal.width };
    });
    assert.ok(layout.gap >= 8, `${layout.gap.toFixed(1)} between the health number and the shield`);
    for (const label of layout.labels) {
      assert.ok(label.covers, `${label.text}: its band covers it`);
      assert.ok(label.band.left >= 0 && label.band.right <= layout.width, `${label.text}: inside the picture`);
    }
    for (const [i, a] of layout.labels.entries())
      for (const b of layout.labels.slice(i + 1))
        assert.ok(!overlap(a.band, b.band), `${a.text} and ${b.text} overlap`);
  });
}
