// The core: the plugin's own reader, checker and the edits of the file, compiled to
// WebAssembly (TessivarCore). The page parses nothing itself. Every file goes in
// through memory taken from the core's heap, which grows as the file needs.

let core = null;

async function loadCore() {
  core = await TessivarCore();
}

function asciiz(text) {
  const bytes = new Uint8Array(text.length + 1);
  for (let i = 0; i < text.length; ++i) bytes[i] = text.charCodeAt(i) & 0xff;
  return bytes;
}

// Calls `editor_<name>(bytes, size, more...)`, each further argument a text or bytes,
// with everything copied onto the heap.
function callCore(name, bytes, ...strings) {
  const taken = [];
  const place = data => {
    const at = core._malloc(Math.max(1, data.length));
    if (!at) throw new Error(`not enough memory for ${data.length} bytes`);
    taken.push(at);
    core.HEAPU8.set(data, at);
    return at;
  };
  try {
    const args = [place(bytes), bytes.length,
      ...strings.map(more => place(typeof more === "string" ? asciiz(more) : more))];
    return core["_editor_" + name](...args);
  } finally {
    for (const at of taken) core._free(at);
  }
}

// The core's answer; -1 tells that it failed (memory ran out), with the reason.
function resultBytes(length) {
  const at = core._editor_result();
  if (length < 0) throw new Error(new TextDecoder().decode(core.HEAPU8.subarray(at, at + 200)).split("\0")[0]);
  return core.HEAPU8.slice(at, at + length);
}

// The checker's report: the 34 settings, the findings with their fixes, the picture.
function checkBytes(bytes, preview = false) {
  return JSON.parse(new TextDecoder().decode(resultBytes(callCore(preview ? "preview" : "check", bytes))));
}

const setValueIn = (bytes, key, value) => resultBytes(callCore("set", bytes, key, value));
const resetAllIn = bytes => resultBytes(callCore("reset_all", bytes));
const templateBytes = () => resultBytes(core._editor_new_file());
const readableForm = bytes => resultBytes(callCore("readable", bytes));

const encodingNames = ["8-bit", "UTF-8 with a byte-order mark", "UTF-16 (little-endian)",
  "UTF-16 (big-endian)"];
const encodingOf = bytes => encodingNames[callCore("encoding", bytes)];

// A fix from the report: `removed` bytes at `at` give way to its text (one byte a char).
function spliced(bytes, fix) {
  const text = Uint8Array.from(fix.text, c => c.charCodeAt(0));
  const out = new Uint8Array(bytes.length - fix.removed + text.length);
  out.set(bytes.subarray(0, fix.at));
  out.set(text, fix.at);
  out.set(bytes.subarray(fix.at + fix.removed), fix.at + text.length);
  return out;
}
