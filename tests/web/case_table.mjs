// Reads tests/cases.tsv for the page test, as tests/cases/case_table.cpp
// reads it for the C++ layers (see its header for the columns).
import {readFileSync} from 'node:fs';

function expand(text) {
  let i = 0;
  const run = (inRepeat) => {
    let out = '';
    while (i < text.length) {
      const c = text[i++];
      if (c === '*' && inRepeat) return out;
      if (c === '{') {
        const body = run(true);
        const close = text.indexOf('}', i);
        out += body.repeat(Number(text.slice(i, close)));
        i = close + 1;
      } else if (c !== '\\' || i === text.length) {
        out += c;
      } else if (text[i] === 'u') {
        out += String.fromCharCode(Number.parseInt(text.slice(i + 1, i + 5), 16));
        i += 5;
      } else {
        const e = text[i++];
        out += {t: '\t', r: '\r', n: '\n'}[e] ?? e;
      }
    }
    return out;
  };
  return run(false);
}

export function readCases(path) {
  return readFileSync(path, 'utf8').split('\n').filter((line) => line && !line.startsWith('#'))
      .map((line) => {
        const f = line.split('\t').map(expand);
        const focus = /^(\w+)@(\d+)\+(\d+)$/.exec(f[9]);
        return {
          name: f[0],
          window: f[1].includes('w'),
          clearAnswer: f[1].includes('y') ? 'y' : f[1].includes('n') ? 'n' : '',
          precision: f[2],
          data: f[3],
          results: f.slice(4, 9),
          focus: focus && {box: focus[1], start: Number(focus[2]), length: Number(focus[3])},
          messages: f.slice(10).map((m) => ({title: m.slice(0, m.indexOf('=')),
                                             prompt: m.slice(m.indexOf('=') + 1)})),
        };
      });
}
