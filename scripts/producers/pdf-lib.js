// Writes a one-page form with pdf-lib: a text field with accents in its name and value, a
// 13-box comb field, a check box and a two-option radio group.
// Usage: NODE_PATH=<folder holding node_modules/pdf-lib> node pdf-lib.js OUT.pdf
'use strict';
const fs = require('fs');
const { PDFDocument, StandardFonts } = require('pdf-lib');

async function main(out) {
    // No /Info dates or producer, so that two runs give the same bytes.
    const doc = await PDFDocument.create({ updateMetadata: false });
    const page = doc.addPage([595, 842]);
    const helvetica = await doc.embedFont(StandardFonts.Helvetica);
    const form = doc.getForm();

    const nom = form.createTextField("Nom de l'assuré");
    nom.setText('Jérôme Lefèvre');
    nom.addToPage(page, { x: 50, y: 760, width: 300, height: 20, font: helvetica });

    // Comb: the width is split into MaxLen boxes, one character each.
    const numero = form.createTextField('numéro');
    numero.setMaxLength(13);
    numero.enableCombing();
    numero.addToPage(page, { x: 50, y: 720, width: 260, height: 20, font: helvetica });

    const caseUn = form.createCheckBox('case 1');
    caseUn.addToPage(page, { x: 50, y: 680, width: 14, height: 14 });

    // pdf-lib puts the option labels in the group's /Opt and names the kids' on states by index.
    const choix = form.createRadioGroup('choix');
    choix.addOptionToPage('oui', page, { x: 50, y: 640, width: 14, height: 14 });
    choix.addOptionToPage('non', page, { x: 100, y: 640, width: 14, height: 14 });
    choix.select('non');

    form.updateFieldAppearances(helvetica);
    // A classic cross-reference table: the qpdf rewrites derive the other layouts from it.
    fs.writeFileSync(out, await doc.save({ useObjectStreams: false }));
}

main(process.argv[2]).catch((e) => {
    console.error(e);
    process.exit(1);
});
