// The page's words in the player's language: the catalogues the build makes from
// translations/*.po (the page's own texts, the HUD's names, the palettes'), the language
// chosen from the address (?lang=de), the player's last choice, the browser's languages,
// else English. What is ini syntax (keys, values, file names) is never translated.

import { languages } from "./catalogues.js";

const remembered = "tessivar-language";
const state = { language: languages[0], listeners: [], original: new Map() };

// Which form of a text a count takes, by the language's rule.
const pluralForms = {
  "one-other": n => (n === 1 ? 0 : 1),
  "zero-one": n => (n <= 1 ? 0 : 1),
  polish: n => (n === 1 ? 0 : few(n) ? 1 : 2),
  russian: n => (n % 10 === 1 && n % 100 !== 11 ? 0 : few(n) ? 1 : 2),
};
const few = n => n % 10 >= 2 && n % 10 <= 4 && (n % 100 < 12 || n % 100 > 14);

const fill = (text, args) =>
  text.replace(/\{(\w+)\}/g, (whole, name) => (name in args ? String(args[name]) : whole));

// `english` in the page's language, with {name} filled from `args`.
export function t(english, args = {}) {
  const forms = state.language.texts[english];
  return fill(forms ? forms[0] : english, args);
}

// The form of `one` / `other` that `count` takes, with {count} and `args` filled.
export function tn(one, other, count, args = {}) {
  const forms = state.language.texts[one];
  const text = forms ? forms[Math.min(pluralForms[state.language.plural](count), forms.length - 1)]
    : count === 1 ? one : other;
  return fill(text, { ...args, count });
}

export const languageCode = () => state.language.code;
export const languageNames = () => languages.map(({ code, name }) => ({ code, name }));

// The catalogue for a language tag ("pt-BR", "de-AT", "ru"), or null.
function catalogueFor(tag) {
  const wanted = String(tag || "").toLowerCase();
  return languages.find(l => l.code.toLowerCase() === wanted) ??
    languages.find(l => l.code.toLowerCase().split("-")[0] === wanted.split("-")[0]) ?? null;
}

function rememberedCode() {
  try {
    return window.localStorage.getItem(remembered);
  } catch {
    return null; // storage refused (a file:// page in some browsers, private windows)
  }
}

export function startingLanguage() {
  const asked = new URLSearchParams(window.location.search).get("lang");
  const tried = [asked, rememberedCode(), ...(navigator.languages ?? [navigator.language])];
  return (tried.map(catalogueFor).find(Boolean) ?? languages[0]).code;
}

// The page's own HTML: marked elements' text and what a player reads in attributes, from
// the English each had when the page was loaded.
const attributes = ["title", "aria-label", "placeholder"];

function translateStatic() {
  if (!state.original.size) {
    for (const node of document.querySelectorAll("[data-t]"))
      state.original.set(node, { text: node.textContent.split(/\s+/).filter(Boolean).join(" ") });
    for (const node of document.querySelectorAll(attributes.map(a => `[${a}]`).join(","))) {
      const entry = state.original.get(node) ?? {};
      for (const a of attributes) if (node.hasAttribute(a)) entry[a] = node.getAttribute(a);
      state.original.set(node, entry);
    }
  }
  for (const [node, entry] of state.original) {
    if (entry.text !== undefined) node.textContent = t(entry.text);
    for (const a of attributes) if (entry[a] !== undefined) node.setAttribute(a, t(entry[a]));
  }
}

// Speaks `code` from now on; the page draws itself again through the listeners.
export function useLanguage(code, remember = false) {
  state.language = catalogueFor(code) ?? languages[0];
  document.documentElement.lang = state.language.code;
  translateStatic();
  if (remember) {
    try {
      window.localStorage.setItem(remembered, state.language.code);
    } catch {
      // not remembered; the choice holds for this visit
    }
  }
  for (const listener of state.listeners) listener();
}

export function onLanguage(listener) {
  state.listeners.push(listener);
}
