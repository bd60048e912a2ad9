// The report of a file as the page shows it: the checker's document (the answer, the
// settings, the findings with their fixes), each setting joined with what the page knows
// of its row (kind, element, defaults) and the numbers the plugin reads, each finding
// with its index (what a Fix names). The last one is kept: drawing asks for it often.

import { checkFile } from "./core.js";
import { settings as rows } from "./facts.js";
import { languageCode } from "./i18n.js";

const last = { bytes: null, name: null, language: null, report: null };

// "nan", "inf": a size the plugin reads as such.
const number = text => (/^-?(nan|inf)$/.test(text) ? text : Number(text));

function shown(made) {
  const report = made.report;
  return {
    answer: report.answer,
    ini: report.ini,
    findings: report.findings.map((finding, index) => ({ ...finding, index })),
    findingCount: report.findingCount ?? report.findings.length,
    settings: report.settings.map((setting, row) => ({
      ...rows[row], ...setting, element: made.elements[row], raw: made.raw[row],
      texts: setting.value.split(" "),
      parsed: setting.value.split(" ").map(number),
    })),
    svg: made.svg,
  };
}

export function reportOf(bytes, name) {
  const language = languageCode();
  if (last.bytes !== bytes || last.name !== name || last.language !== language)
    Object.assign(last, { bytes, name, language, report: shown(checkFile(bytes, name)) });
  return last.report;
}

// A report of bytes that are not the document's (a preview, compare): not kept.
export const reportOfOther = (bytes, name) => shown(checkFile(bytes, name));
