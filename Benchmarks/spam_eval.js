#!/usr/bin/env node
// Measures the page-side spam rules (Resources/ext/spam.js, loaded as it is) on a labelled CSV file:
// prints precision, recall, the reason codes used, the false alarms and the misses.
// Not part of the build; run by hand:
//   node Benchmarks/spam_eval.js comments.csv [--text-only] [--raw] [--quiet]
// A CSV file has a header row naming at least CONTENT (the comment) and CLASS or TAG (1 spam, 0 not);
// AUTHOR is passed as the author's name unless --text-only. Texts are read as a page shows them
// (<br> as a line break, HTML entities decoded) unless --raw. A test fixture (.json) works too.
// The development sets are public and stay outside the repository: Youtube04-Eminem.csv of the
// YouTube Spam Collection (UCI), and the Avengers, PlayStation4 and PewDiePie files of
// github.com/tuliocasagrande/youtube-spam-experiment (first data commits; TAG is the label).
'use strict';
const fs = require('fs');
const path = require('path');
const vm = require('vm');

const args = process.argv.slice(2);
const flags = new Set(args.filter((a) => a.startsWith('--')));
const file = args.find((a) => !a.startsWith('--'));
if (!file) {
  console.error('usage: node spam_eval.js FILE.csv [--text-only] [--raw] [--quiet]');
  process.exit(2);
}

const script = fs.readFileSync(path.join(__dirname, '..', 'Resources', 'ext', 'spam.js'), 'utf8');
const context = vm.createContext({});
vm.runInContext(script + '\n;globalThis.VtxSpam = VtxSpam;', context);
const spam = context.VtxSpam;

// RFC 4180 rows: quoted fields may hold commas, doubled quotes and line breaks.
function parseCsv(text) {
  const rows = [];
  let row = [];
  let field = '';
  let quoted = false;
  for (let i = 0; i < text.length; i++) {
    const ch = text[i];
    if (quoted) {
      if (ch === '"' && text[i + 1] === '"') { field += '"'; i++; }
      else if (ch === '"') quoted = false;
      else field += ch;
    } else if (ch === '"') quoted = true;
    else if (ch === ',') { row.push(field); field = ''; }
    else if (ch === '\n' || ch === '\r') {
      if (ch === '\r' && text[i + 1] === '\n') i++;
      row.push(field); field = '';
      if (row.length > 1 || row[0] !== '') rows.push(row);
      row = [];
    } else field += ch;
  }
  if (field !== '' || row.length) { row.push(field); rows.push(row); }
  return rows;
}

function asShown(s) {
  return s.replace(/<br\s*\/?>/gi, '\n').replace(/<[^>]+>/g, '')
    .replace(/&#(\d+);/g, (_, d) => String.fromCodePoint(Number(d)))
    .replace(/&#x([0-9a-f]+);/gi, (_, h) => String.fromCodePoint(parseInt(h, 16)))
    .replace(/&quot;/g, '"').replace(/&apos;/g, "'").replace(/&lt;/g, '<').replace(/&gt;/g, '>')
    .replace(/&amp;/g, '&').replace(/\uFEFF/g, '').trim();
}

// A fixture of the tests (comments with "expect", replies nested) reads as the same columns.
function fromFixture(json) {
  const out = [['CONTENT', 'CLASS', 'AUTHOR']];
  const walk = (list) => {
    for (const c of list || []) {
      if (!c.owner && c.expect !== 'youtube') out.push([c.text || '', c.expect ? '1' : '0', c.author || c.user || '']);
      walk(c.replies);
    }
  };
  walk(json.comments);
  return out;
}

const input = fs.readFileSync(file, 'utf8').replace(/^\uFEFF/, '');
const rows = file.endsWith('.json') ? fromFixture(JSON.parse(input)) : parseCsv(input);
const head = rows.shift().map((h) => h.trim().toUpperCase());
const col = (name) => head.indexOf(name);
const [iText, iClass, iAuthor] = [col('CONTENT'), col('CLASS') >= 0 ? col('CLASS') : col('TAG'), col('AUTHOR')];
if (iText < 0 || iClass < 0) {
  console.error('the header needs CONTENT and CLASS (or TAG) columns');
  process.exit(2);
}

let tp = 0, fp = 0, fn = 0, tn = 0;
const misses = [], alarms = [], codes = {};
for (const r of rows) {
  const label = String(r[iClass]).trim() === '1';
  const text = flags.has('--raw') ? r[iText] : asShown(r[iText] || '');
  const author = iAuthor >= 0 && !flags.has('--text-only') ? r[iAuthor] : '';
  const v = spam.judge({ id: 'x', text, authorName: author, likeCount: 0 }, {}, new Set());
  const flagged = v.state === 'spam';
  if (flagged) for (const c of v.reason.split(',')) codes[c] = (codes[c] || 0) + 1;
  if (flagged && label) tp++;
  else if (flagged) { fp++; alarms.push(`[${v.reason}] ${text}`); }
  else if (label) { fn++; misses.push(text); }
  else tn++;
}

const precision = tp + fp ? tp / (tp + fp) : 1;
const recall = tp + fn ? tp / (tp + fn) : 1;
const oneLine = (s) => s.replace(/\s+/g, ' ').slice(0, 200);
if (!flags.has('--quiet')) {
  console.log(`-- false alarms (${alarms.length})`);
  for (const a of alarms) console.log('  ' + oneLine(a));
  console.log(`-- misses (${misses.length})`);
  for (const m of misses) console.log('  ' + oneLine(m));
}
console.log(`codes: ${Object.entries(codes).sort((a, b) => b[1] - a[1]).map(([c, n]) => `${c} ${n}`).join(', ')}`);
console.log(`comments ${rows.length}: spam ${tp + fn}, caught ${tp}, false alarms ${fp}, misses ${fn}`);
console.log(`precision ${precision.toFixed(3)}  recall ${recall.toFixed(3)}`);
