// The open document and its history. A document is the file's bytes and the file they
// belong to (its name, where it is saved, what was last saved there); every change,
// however many lines it touches, and every New or Open is one step of Undo.

const doc = { bytes: new Uint8Array(0), file: { name: "Tessivar.VC.ini", handle: null, saved: null } };
const steps = { undo: [], redo: [] };
let cachedReport = { bytes: null, report: null };

function reportOf(bytes) {
  if (cachedReport.bytes !== bytes) cachedReport = { bytes, report: checkBytes(bytes) };
  return cachedReport.report;
}

const isDirty = () => doc.bytes !== doc.file.saved;

function step(next, what) {
  steps.undo.push({ bytes: doc.bytes, file: doc.file });
  steps.redo = [];
  Object.assign(doc, next);
  render();
  announce(what);
}

// One undoable edit of the open file.
function change(bytes, what) {
  if (bytes.length === doc.bytes.length && bytes.every((b, i) => b === doc.bytes[i])) return;
  step({ bytes }, what);
}

// Another file in its place (New, Open): undoable too.
function replaceDocument(bytes, file, what) {
  step({ bytes, file }, what);
}

function travel(from, to, what) {
  if (!from.length) return;
  to.push({ bytes: doc.bytes, file: doc.file });
  Object.assign(doc, from.pop());
  render();
  announce(what);
}

const undo = () => travel(steps.undo, steps.redo, "Undone");
const redo = () => travel(steps.redo, steps.undo, "Redone");

function markSaved(name, handle) {
  doc.file.saved = doc.bytes;
  if (name) doc.file.name = name;
  if (handle !== undefined) doc.file.handle = handle;
  render();
}
