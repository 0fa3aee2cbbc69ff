// Fills the form with pdf-lib as people script it: load, set every text field, tick the check
// boxes, save with appearances. Usage: node pdflib_fill.mjs TEMPLATE VALUES.json OUTDIR COUNT
// Prints the time per document of the loop, in milliseconds, as JSON.
import { PDFDocument } from 'pdf-lib';
import fs from 'node:fs';

const [template, valuesPath, outDir, count] = process.argv.slice(2);
const values = JSON.parse(fs.readFileSync(valuesPath, 'utf8'));
const n = Number(count);
const start = process.hrtime.bigint();
for (let i = 0; i < n; i++) {
    const doc = await PDFDocument.load(fs.readFileSync(template));
    const form = doc.getForm();
    for (const [name, value] of Object.entries(values.text)) {
        form.getTextField(name).setText(value);
    }
    for (const name of Object.keys(values.checkboxes)) {
        form.getCheckBox(name).check();
    }
    fs.writeFileSync(`${outDir}/document${i}.pdf`, await doc.save());
}
const elapsed = Number(process.hrtime.bigint() - start) / 1e6;
console.log(JSON.stringify({ perDocumentMs: elapsed / n }));
