// Writes the page's index.html: the template with the form rendered from the built module's
// schema (the same module the page runs, here under Node) and the header's style set inline under
// a Content-Security-Policy hash, so that the header paints without waiting for another file.
//   node web/prerender.mjs BUILT_MODULE.js TEMPLATE.html HEADER.css OUTPUT.html
import { createHash } from 'node:crypto';
import { readFileSync, writeFileSync } from 'node:fs';
import { pathToFileURL } from 'node:url';
import { renderForm } from './page/form.mjs';

const [moduleFile, templateFile, styleFile, outputFile] = process.argv.slice(2);
const { default: createVesmer } = await import(pathToFileURL(moduleFile).href);
const M = await createVesmer({ wasmBinary: readFileSync(moduleFile.replace(/\.js$/, '.wasm')) });

const style = readFileSync(styleFile, 'utf8').trim();
const slots = {
  ...renderForm(M), style,
  styleHash: `sha256-${createHash('sha256').update(style).digest('base64')}`,
};
const page = readFileSync(templateFile, 'utf8').replace(/\{\{(\w+)\}\}/g, (slot, name) => {
  if (!(name in slots)) throw new Error(`no content for ${slot}`);
  return slots[name];
});
writeFileSync(outputFile, page);
