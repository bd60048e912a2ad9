// The page in each of its languages: chosen from the address, the browser or the menu,
// remembered; every word it shows translated (ini syntax aside), and a Fix that writes the
// same bytes whatever the language.

import assert from "node:assert/strict";
import fs from "node:fs";

const translations = new URL("../../translations/", import.meta.url);

// msgid -> [msgstr forms] of a catalogue (every entry on one line, as the tools write them).
function catalogue(file) {
  const entries = {};
  let id = null;
  const unquote = text => JSON.parse(text);
  for (const line of fs.readFileSync(new URL(file, translations), "utf8").split("\n")) {
    const field = /^(msgid|msgstr(?:\[\d\])?) (".*")$/.exec(line);
    if (!field) continue;
    if (field[1] === "msgid") id = unquote(field[2]);
    else if (id) (entries[id] ??= []).push(unquote(field[2]));
  }
  return entries;
}

// The long stretches of English text (between placeholders) of every text the catalogue
// translates differently: none of them may show on the page in that language.
function untranslatedIn(seen, code) {
  const entries = catalogue(code.replace("-", "_") + ".po");
  const left = [];
  for (const [english, forms] of Object.entries(entries)) {
    for (const part of english.split(/\{\w+\}/)) {
      const words = part.trim();
      if (words.length >= 12 && !forms.some(f => f.includes(words)) && seen.includes(words))
        left.push(words);
    }
  }
  return left;
}

// Saved by Notepad as "UTF-8 with BOM": the page says so, in the language.
const broken = ["\xef\xbb\xbf[HUD]", "MoneyColor=#FF0000", "TimerColor=10 20", "ZoneColr=1 2 3",
                "Messagebox=300 10 20", "MoneyColor=1 2 3"];

// The menu as the players read it: each language by its own name.
const ownNames = {
  en: "English", de: "Deutsch", es: "Español", fr: "Français", it: "Italiano", pl: "Polski",
  "pt-BR": "Português (Brasil)", ru: "Русский",
};

// Words of an English sentence that none of the other languages writes as a word.
const englishWord = /\b(the|and|is|are|of|your|with|this|cannot|does|will|not|from)\b/i;

// What a player reads: the text on the page and in tooltips, labels and placeholders, the
// lines of the file (ini syntax) and its name taken out.
function shownText(page) {
  return page.evaluate(() => {
    const said = [document.title, document.body.innerText];
    for (const node of document.querySelectorAll("[title], [aria-label], [placeholder]"))
      for (const name of ["title", "aria-label", "placeholder"])
        if (node.hasAttribute(name)) said.push(node.getAttribute(name));
    return said.join("\n");
  });
}

const withoutIniSyntax = text => text.replace(/\b\w+=[^\s;,)]*/g, "").replace(/[\w.]+\.ini\b/g, "");

export async function languageSteps({ step, openPage, open, writeFile, crlf }) {
  const file = writeFile("broken.ini", crlf(broken));
  const fixed = {};

  await step("in each language the page shows no English sentence, and Fix all writes the same bytes", async () => {
    for (const code of Object.keys(ownNames)) {
      const page = await openPage(false, { query: "?lang=" + code });
      await open(page, file);
      await (await page.$$("#summary .not-as-meant button"))[0].click(); // the panel of a finding
      assert.equal(await page.evaluate(() => document.documentElement.lang), code);
      const seen = withoutIniSyntax(await shownText(page));
      const found = englishWord.exec(seen);
      if (code === "en") assert.ok(found, "the English page reads as English");
      else {
        assert.equal(found && seen.slice(Math.max(0, found.index - 60), found.index + 40), null, code);
        assert.deepEqual(untranslatedIn(seen, code), [], code);
      }
      await page.click("#fix-all");
      fixed[code] = await page.evaluate(() => Array.from(window.tessivar.bytes()));
      await page.close();
    }
    for (const code of Object.keys(ownNames)) assert.deepEqual(fixed[code], fixed.en, code);
    assert.notDeepEqual(fixed.en, Array.from(crlf(broken)), "Fix all changed the file");
  });

  await step("the menu lists the eight by their own names; the browser's language and a choice count", async () => {
    const page = await openPage(false, { languages: ["pt-PT", "pt", "en"] });
    assert.deepEqual(await page.$$eval("#language option", options =>
      Object.fromEntries(options.map(o => [o.value, o.textContent]))), ownNames);
    assert.equal(await page.$eval("#language", el => el.value), "pt-BR"); // Portugal's falls to Brazil's
    assert.equal(await page.$eval("#main-title", el => el.textContent), "Editor de cores do Tessivar");
    await page.select("#language", "ru");
    assert.equal(await page.$eval("#summary .answer", el => el.textContent),
      "Да: плагин читает этот файл так, как он написан");
    await page.reload();
    await page.waitForSelector("body[data-ready=yes]", { timeout: 20000 });
    assert.equal(await page.$eval("#language", el => el.value), "ru");
    // The address wins over the remembered choice; an unknown code falls to the next way.
    for (const [query, expected] of [["?lang=de", "de"], ["?lang=xx", "ru"]]) {
      await page.goto(page.url().split("?")[0] + query);
      await page.waitForSelector("body[data-ready=yes]", { timeout: 20000 });
      assert.equal(await page.$eval("#language", el => el.value), expected, query);
    }
    await page.evaluate(() => window.localStorage.removeItem("tessivar-language"));
    await page.close();
  });

  await step("a count takes the language's plural form", async () => {
    const page = await openPage(false, { query: "?lang=ru" });
    await open(page, file);
    // 3 lines not read as meant: the Russian form for 2-4, not the one for 1 or for 5 on
    assert.match(await page.$eval("#summary .not-as-meant", el => el.getAttribute("aria-label")),
      /^3 строки,/);
    await page.close();
  });
}
