// Reads tests/cases.tsv for the page test, as tests/cases/case_table.cpp
// reads it for the C++ layers (see its header for the columns).
import {readFileSync} from 'node:fs';

// Escapes \t \r \n \uXXXX and \X for X, and {TEXT*N}, which may nest.
function expand(text) {
  const open = [''];
  for (const [token, escaped, count] of text.matchAll(/\\(u[\dA-Fa-f]{4}|.)|\*(\d+)\}|[^]/g)) {
    let out = token;
    if (escaped?.length === 5) out = String.fromCharCode(Number.parseInt(escaped.slice(1), 16));
    else if (escaped) out = {t: '\t', r: '\r', n: '\n'}[escaped] ?? escaped;
    else if (token === '{') open.push(out = '');
    else if (count && open.length > 1) out = open.pop().repeat(Number(count));
    if (token !== '{') open[open.length - 1] += out;
  }
  return open[0];
}

export function readCases(path) {
  return readFileSync(path, 'utf8').split('\n').filter((line) => line && !line.startsWith('#')).map((line) => {
    const f = line.split('\t').map(expand);
    const focus = /^(\w+)@(\d+)\+(\d+)$/.exec(f[9]);
    return {
      name: f[0], window: f[1].includes('w'), clearAnswer: f[1].match(/[yn]/)?.[0] ?? '',
      precision: f[2], data: f[3], results: f.slice(4, 9),
      focus: focus && {box: focus[1], start: Number(focus[2]), length: Number(focus[3])},
      messages: f.slice(10).map((m) => ({title: m.slice(0, m.indexOf('=')), prompt: m.slice(m.indexOf('=') + 1)})),
    };
  });
}
