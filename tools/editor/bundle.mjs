// Makes the editor one self-contained page: the WebAssembly core (its wasm inlined by
// the compiler) and the page's ES modules, each in a scope of its own, joined in the
// order of their imports, put into the page. A page opened from file:// can load no
// module from beside it, so the modules travel inside it.
//   node bundle.mjs PAGE CORE OUT MODULE.js...
// Modules import by relative name ("./core.js") and export functions, classes and
// constants only: what they share is what they export, never a variable another module
// could change. An import cycle is refused, naming it.

import fs from "node:fs";
import path from "node:path";
import { createRequire } from "node:module";

const require = createRequire(import.meta.url);
const acorn = require("acorn");

const [pagePath, corePath, outPath, ...modulePaths] = process.argv.slice(2);

function fail(message) {
  console.error(`bundle.mjs: ${message}`);
  process.exit(1);
}

// One module: its text without imports and "export", what it imports and exports.
function readModule(file) {
  const text = fs.readFileSync(file, "utf8");
  let tree;
  try {
    tree = acorn.parse(text, { ecmaVersion: "latest", sourceType: "module" });
  } catch (error) {
    fail(`${path.basename(file)}: ${error.message}`);
  }
  const cuts = []; // [start, end, replacement]
  const imports = [], exports = [];
  for (const node of tree.body) {
    if (node.type === "ImportDeclaration") {
      const from = path.basename(node.source.value);
      const names = node.specifiers.map(s => {
        if (s.type !== "ImportSpecifier") fail(`${path.basename(file)}: only named imports`);
        return s.imported.name === s.local.name ? s.local.name : `${s.imported.name}: ${s.local.name}`;
      });
      imports.push(from);
      cuts.push([node.start, node.end, `const { ${names.join(", ")} } = ${moduleName(from)};`]);
    } else if (node.type === "ExportNamedDeclaration") {
      if (node.source) fail(`${path.basename(file)}: no re-exports`);
      const declaration = node.declaration;
      if (!declaration) {
        for (const s of node.specifiers) exports.push(s.exported.name === s.local.name
          ? s.local.name : `${s.exported.name}: ${s.local.name}`);
        cuts.push([node.start, node.end, ""]);
        continue;
      }
      if (declaration.type === "VariableDeclaration") {
        if (declaration.kind !== "const")
          fail(`${path.basename(file)}: exports a ${declaration.kind}; export functions or constants`);
        for (const d of declaration.declarations) exports.push(d.id.name);
      } else {
        exports.push(declaration.id.name);
      }
      cuts.push([node.start, declaration.start, ""]);
    } else if (node.type.startsWith("Export")) {
      fail(`${path.basename(file)}: only named exports`);
    }
  }
  let body = text;
  for (const [start, end, replacement] of cuts.sort((a, b) => b[0] - a[0]))
    body = body.slice(0, start) + replacement + body.slice(end);
  return { name: path.basename(file), body, imports, exports };
}

function moduleName(file) {
  return "module_" + file.replace(/\.js$/, "").replace(/[^A-Za-z0-9_]/g, "_");
}

// Dependencies first; a cycle is named and refused.
function inImportOrder(modules) {
  const byName = new Map(modules.map(m => [m.name, m]));
  const done = new Set(), order = [];
  const visit = (module, trail) => {
    if (done.has(module.name)) return;
    if (trail.includes(module.name)) fail(`import cycle: ${[...trail, module.name].join(" -> ")}`);
    for (const from of module.imports) {
      if (!byName.has(from)) fail(`${module.name} imports ${from}, which is not bundled`);
      visit(byName.get(from), [...trail, module.name]);
    }
    done.add(module.name);
    order.push(module);
  };
  for (const module of modules) visit(module, []);
  return order;
}

const modules = inImportOrder(modulePaths.map(readModule));
const script = '"use strict";\n' + modules.map(m =>
  `// ${m.name}\nconst ${moduleName(m.name)} = (() => {\n${m.body}\nreturn Object.freeze({ ${m.exports.join(", ")} });\n})();\n`
).join("\n");

// A script's text must not close the element it sits in.
const inline = text => text.replaceAll("</script", "<\\/script");
const page = fs.readFileSync(pagePath, "utf8")
  .replace("/*@CORE@*/", () => inline(fs.readFileSync(corePath, "utf8")))
  .replace("/*@EDITOR@*/", () => inline(script));
fs.writeFileSync(outPath, page);
