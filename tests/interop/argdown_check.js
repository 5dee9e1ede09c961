// Exports each .lin file as Argdown with korvane-cli and reads it with Argdown's own parser:
// no parser error, and as many statements, arguments and relations as the AIF export has
// I-nodes, scheme nodes and edges (each AIF edge is one Argdown relation), with the same texts.
// Usage: node argdown_check.js KORVANE_CLI FILE.lin...
"use strict";
const { execFileSync } = require("child_process");
const { ArgdownApplication, ParserPlugin, ModelPlugin } = require("@argdown/core");

function exportAs(cli, file, format) {
  // Exit status 1 (interpretation stopped) still exports the stage reached.
  try {
    return execFileSync(cli, ["export", file, "--format", format], { encoding: "utf8" });
  } catch (error) {
    if (error.status === 1) return error.stdout;
    throw error;
  }
}

function check(cli, file) {
  const aif = JSON.parse(exportAs(cli, file, "aif"));
  const app = new ArgdownApplication();
  app.addPlugin(new ParserPlugin(), "parse-input");
  app.addPlugin(new ModelPlugin(), "build-model");
  const r = app.run({ process: ["parse-input", "build-model"], input: exportAs(cli, file, "argdown"), throwExceptions: true });
  const problems = [];
  for (const e of (r.lexerErrors || []).concat(r.parserErrors || [])) problems.push("parser: " + e.message);
  const iNodes = aif.nodes.filter((n) => n.type === "I");
  const schemes = aif.nodes.filter((n) => n.type !== "I");
  const count = (what, got, want) => { if (got !== want) problems.push(`${what}: ${got}, expected ${want}`); };
  count("statements", Object.keys(r.statements || {}).length, iNodes.length);
  count("arguments", Object.keys(r.arguments || {}).length, schemes.length);
  count("relations", (r.relations || []).length, aif.edges.length);
  iNodes.forEach((n, i) => {
    const s = r.statements && r.statements["s" + (i + 1)];
    // Argdown keeps the tags in the text; the sentence is what stands before them (nothing,
    // for an empty sentence, whose text is only its tags).
    let text = s ? s.members[0].text : undefined;
    for (let k = 0; s && k < s.members[0].tags.length; ++k) text = text.replace(/(^| )#[a-z0-9]+$/, "");
    if (text !== n.text) problems.push(`[s${i + 1}]: ${JSON.stringify(text)}, expected ${JSON.stringify(n.text)}`);
  });
  return problems;
}

const [cli, ...files] = process.argv.slice(2);
if (!cli || files.length === 0) {
  console.error("usage: node argdown_check.js KORVANE_CLI FILE.lin...");
  process.exit(2);
}
let failed = 0;
for (const file of files) {
  const problems = check(cli, file);
  console.log(`${problems.length ? "FAIL" : "ok"} ${file}`);
  for (const p of problems) console.log("  " + p);
  failed += problems.length ? 1 : 0;
}
console.log(`${files.length - failed} passed, ${failed} failed`);
process.exit(failed ? 1 : 0);
