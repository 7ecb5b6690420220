'use strict';
// The data box may hold 10^6 lines. A browser lays out every line of a text
// area whenever its text changes, which takes it tens of seconds for such a
// text; so a long text is kept here, and the element holds only a window of
// lines around the view, moved along as the view nears its edge. The box's
// value, its selection, select() and setSelectionRange() still speak of the
// whole text, so the page and anything else reading the element see one
// ordinary text area.
// Typing, deleting, the browser's undo and selecting with the mouse or the
// Shift keys work within the window. Ctrl+A selects the whole text, to copy,
// cut, type over or paste over; such edits, long pastes and 清空 are made
// here, and Ctrl+Z right after one undoes it here.

const kLongText = 65536;     // units from which a text is shown by windows
const kWindowLines = 2000;   // lines a window holds, half on each side
const kWindowUnits = 32768;  // units at most on each side, for long lines

function windowedTextArea(box) {
  const prototype = HTMLTextAreaElement.prototype;
  const native = (name) => Object.getOwnPropertyDescriptor(prototype, name);
  const shownText = native('value');
  const shown = () => shownText.get.call(box);
  const shownStart = () => native('selectionStart').get.call(box);
  const shownEnd = () => native('selectionEnd').get.call(box);
  const selectShown = (start, end) => prototype.setSelectionRange.call(box, start, end);

  let before = '';           // the text above the window
  let after = '';            // the text below it
  let allSelected = false;   // Ctrl+A over a window: the whole text
  let parked = null;         // a selection that scrolling left outside the window
  let undoStep = null;       // what the last replacement made here replaced

  const text = () => before + shown() + after;
  const windowed = () => before !== '' || after !== '';
  const wholeSelected = () =>
    allSelected && windowed() && shownStart() === 0 && shownEnd() === shown().length;
  const selection = () => {
    if (wholeSelected()) return [0, text().length];
    return parked ?? [before.length + shownStart(), before.length + shownEnd()];
  };
  const lineCount = (value) => value.split('\n').length;

  // The lines around `unit`, at most kWindowLines and about kWindowUnits on
  // each side, but always the line that holds it.
  function windowAround(full, unit) {
    let first = full.lastIndexOf('\n', unit - 1) + 1;
    for (let lines = 0; lines < kWindowLines / 2 && first > 0 && unit - first < kWindowUnits; ++lines) {
      first = first >= 2 ? full.lastIndexOf('\n', first - 2) + 1 : 0;
    }
    let last = unit;
    for (let lines = 0; lines <= kWindowLines / 2 && last < full.length && last - unit < kWindowUnits; ++lines) {
      const lineEnd = full.indexOf('\n', last);
      last = lineEnd < 0 ? full.length : lineEnd + 1;
    }
    return [first, last];
  }

  // Shows `full` in a window around `view` with [start, end) selected, or
  // parked while the window leaves it out; the whole text selected shows as
  // the whole window. Returns the window's first unit.
  function show(full, start, end, view = start) {
    const [first, last] = full.length < kLongText ? [0, full.length] : windowAround(full, view);
    before = full.slice(0, first);
    after = full.slice(last);
    shownText.set.call(box, full.slice(first, last));
    const inside = start >= first && end <= last;
    allSelected = start === 0 && end === full.length;
    parked = inside || allSelected ? null : [start, end];
    if (allSelected) selectShown(0, last - first);
    else selectShown(inside ? start - first : 0, inside ? end - first : 0);
    return first;
  }

  // Scrolls the window's line that holds `unit` to the middle of the box;
  // exact for lines that do not wrap.
  function scrollToUnit(unit) {
    box.scrollTop = ((lineCount(shown().slice(0, unit)) - 1) / lineCount(shown())) * box.scrollHeight -
                    box.clientHeight / 2;
  }

  // Selects [start, end) and brings it into view: in `full` when given, or
  // in the text as it is, where the window stays if it holds the selection.
  function reveal(start, end, full) {
    const first = before.length;
    if (full !== undefined || start < first || end > first + shown().length) {
      scrollToUnit(start - show(full ?? text(), start, end));
      return;
    }
    parked = null;
    allSelected = false;
    selectShown(start - first, end - first);
    scrollToUnit(start - first);
  }

  // Replaces [start, end) of the whole text, as one step Ctrl+Z undoes here.
  function replace(start, end, inserted, inputType) {
    const old = text();
    const caret = start + inserted.length;
    undoStep = {text: old, start, end};
    scrollToUnit(caret - show(old.slice(0, start) + inserted + old.slice(end), caret, caret));
    box.dispatchEvent(new InputEvent('input', {inputType}));
  }

  // Moves the window along as the view nears its edge, keeping the view's
  // top line where it was.
  box.addEventListener('scroll', () => {
    const margin = 2 * box.clientHeight;
    const nearTop = before !== '' && box.scrollTop < margin;
    const nearBottom = after !== '' && box.scrollHeight - box.scrollTop - box.clientHeight < margin;
    if (!nearTop && !nearBottom) return;
    const lines = shown().split('\n');
    const topLine = Math.floor((box.scrollTop / box.scrollHeight) * lines.length);
    const top = before.length + lines.slice(0, topLine).join('\n').length + (topLine > 0);
    const first = show(text(), ...selection(), top);
    box.scrollTop = ((lineCount(shown().slice(0, top - first)) - 1) / lineCount(shown())) * box.scrollHeight;
  });

  box.addEventListener('mousedown', () => {
    allSelected = false;
    parked = null;
  });

  box.addEventListener('keydown', (event) => {
    const control = event.ctrlKey || event.metaKey;
    if (control && event.code === 'KeyZ' && !event.shiftKey && undoStep) {
      event.preventDefault();
      const step = undoStep;
      undoStep = null;
      reveal(step.start, step.end, step.text);
      box.dispatchEvent(new InputEvent('input', {inputType: 'historyUndo'}));
    } else if (!windowed() || event.altKey) {
      return;
    } else if (control && event.code === 'KeyA') {
      event.preventDefault();
      box.select();
    } else if (control && !event.shiftKey && (event.key === 'Home' || event.key === 'End')) {
      event.preventDefault();
      const unit = event.key === 'Home' ? 0 : text().length;
      reveal(unit, unit);
    } else if (parked && !['Control', 'Shift', 'Meta'].includes(event.key)) {
      reveal(...parked);
    }
  });

  // An edit over the whole text is made here: the window holds only part.
  box.addEventListener('beforeinput', (event) => {
    if (!wholeSelected() || event.inputType.startsWith('history')) return;
    event.preventDefault();
    const inserted = event.inputType.startsWith('delete') ? '' :
                     event.data ?? event.dataTransfer?.getData('text/plain') ?? '\n';
    replace(0, text().length, inserted.replace(/\r\n?/g, '\n'), event.inputType);
  });
  for (const type of ['copy', 'cut']) {
    box.addEventListener(type, (event) => {
      if (!wholeSelected()) return;
      event.preventDefault();
      event.clipboardData.setData('text/plain', text());
      if (type === 'cut') replace(0, text().length, '', 'deleteByCut');
    });
  }

  // A long paste is one replacement made here, which costs far less than the
  // browser's editing of it; a shorter one keeps the browser's way and undo.
  box.addEventListener('paste', (event) => {
    const pasted = event.clipboardData.getData('text/plain');
    if (pasted.length < kLongText && !wholeSelected()) return;
    event.preventDefault();
    replace(...selection(), pasted.replace(/\r\n?/g, '\n'), 'insertFromPaste');
  });

  // After an edit of the browser's own, Ctrl+Z is the browser's again.
  box.addEventListener('input', (event) => {
    if (event.isTrusted) undoStep = null;
  });

  Object.defineProperties(box, {
    value: {get: text, set: (value) => {
      const full = String(value).replace(/\r\n?/g, '\n');
      show(full, full.length, full.length);
    }},
    selectionStart: {get: () => selection()[0]},
    selectionEnd: {get: () => selection()[1]},
    setSelectionRange: {value: (start, end) => reveal(start, end)},
    select: {value: () => {
      parked = null;
      allSelected = true;
      selectShown(0, shown().length);
    }},
  });

  // Writes the whole text as an edit that can be undone: through the
  // browser's editing while both texts are short, here otherwise.
  box.write = (value) => {
    if (windowed() || value.length >= kLongText) {
      replace(0, text().length, value, value ? 'insertReplacementText' : 'deleteContent');
      return;
    }
    const focused = document.activeElement;
    box.focus({preventScroll: true});
    prototype.select.call(box);
    if (!document.execCommand(value ? 'insertText' : 'delete', false, value)) shownText.set.call(box, value);
    focused.focus({preventScroll: true});
  };
  return box;
}
