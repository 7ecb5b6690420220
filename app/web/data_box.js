'use strict';
// The data box may hold 10^6 lines. A browser lays out every line of a text
// area whenever its text changes, which takes it tens of seconds for such a
// text; so a long text is kept here, and the element holds only a window of
// lines around the view, moved along as the view nears its edge. The box's
// value, its selection, select() and setSelectionRange() still speak of the
// whole text, so the page and anything else reading the element see one
// ordinary text area.
// Typing, the browser's undo and selecting with the mouse or Shift and the
// arrows work within the window. A selection may reach past it (Ctrl+A,
// Shift+Ctrl+Home or End, or one the window moved away from): the window
// shows its part selected, and copying, cutting, typing or pasting over it is
// done here, as are long pastes and 清空; Ctrl+Z right after one undoes it.

const kLongText = 65536;     // units from which a text is shown by windows
const kWindowLines = 2000;   // lines a window holds, half on each side
const kWindowUnits = 32768;  // units at most on each side, for long lines

function windowedTextArea(box) {
  const prototype = HTMLTextAreaElement.prototype;
  const native = (name) => Object.getOwnPropertyDescriptor(prototype, name).get.call(box);
  const shownText = Object.getOwnPropertyDescriptor(prototype, 'value');
  const shown = () => shownText.get.call(box);

  let before = '';        // the text above the window
  let after = '';         // the text below it
  let held = null;        // a selection the window does not hold whole
  let heldShown = [];     // the part of it the window shows selected
  let undoStep = null;    // what the last replacement made here replaced

  const text = () => before + shown() + after;
  const windowed = () => before !== '' || after !== '';
  // A held selection lasts while the window shows it as it was put there.
  const holding = () =>
    held !== null && native('selectionStart') === heldShown[0] && native('selectionEnd') === heldShown[1];
  const selection = () =>
    holding() ? held : [before.length + native('selectionStart'), before.length + native('selectionEnd')];
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

  // Selects [start, end) of the text: in the element where the window holds
  // it; otherwise it is held here, and the window shows its part selected.
  function selectRange(start, end, direction = 'none') {
    const first = before.length;
    const last = first + shown().length;
    held = start >= first && end <= last ? null : [start, end];
    const clamp = (unit) => Math.min(Math.max(unit, first), last) - first;
    heldShown = [clamp(start), clamp(end)];
    prototype.setSelectionRange.call(box, ...heldShown, direction);
  }

  // Shows `full` in a window around `view` with [start, end) selected;
  // returns the window's first unit.
  function show(full, start, end, view = start, direction = 'none') {
    const [first, last] = full.length < kLongText ? [0, full.length] : windowAround(full, view);
    before = full.slice(0, first);
    after = full.slice(last);
    shownText.set.call(box, full.slice(first, last));
    selectRange(start, end, direction);
    return first;
  }

  // Scrolls the line that holds `unit` to the middle of the box; exact for
  // lines that do not wrap.
  function scrollToUnit(unit) {
    const inWindow = unit - before.length;
    box.scrollTop = ((lineCount(shown().slice(0, inWindow)) - 1) / lineCount(shown())) * box.scrollHeight -
                    box.clientHeight / 2;
  }

  // Selects [start, end) in `full` when given, or in the text as it is, and
  // brings `view` into sight; the window moves only where it must.
  function reveal(start, end, {full, view = start, direction} = {}) {
    if (full !== undefined || view < before.length || view > before.length + shown().length) {
      show(full ?? text(), start, end, view, direction);
    } else {
      selectRange(start, end, direction);
    }
    scrollToUnit(view);
  }

  // Replaces [start, end) of the whole text, as one step Ctrl+Z undoes here.
  function replace(start, end, inserted, inputType) {
    const old = text();
    const caret = start + inserted.length;
    undoStep = {full: old, start, end};
    reveal(caret, caret, {full: old.slice(0, start) + inserted + old.slice(end)});
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
    show(text(), ...selection(), top, native('selectionDirection'));
    box.scrollTop = ((lineCount(shown().slice(0, top - before.length)) - 1) / lineCount(shown())) *
                    box.scrollHeight;
  });

  box.addEventListener('mousedown', () => {
    held = null;
  });

  box.addEventListener('keydown', (event) => {
    const control = event.ctrlKey || event.metaKey;
    const home = event.key === 'Home';
    if (control && event.code === 'KeyZ' && !event.shiftKey && undoStep) {
      event.preventDefault();
      const {full, start, end} = undoStep;
      undoStep = null;
      reveal(start, end, {full});
      box.dispatchEvent(new InputEvent('input', {inputType: 'historyUndo'}));
    } else if (!windowed() || event.altKey) {
      return;
    } else if (control && event.code === 'KeyA') {
      event.preventDefault();
      box.select();
    } else if (control && (home || event.key === 'End')) {
      // To the start or the end of the text, from the selection's anchor
      // with Shift.
      event.preventDefault();
      const [start, end] = selection();
      const unit = home ? 0 : text().length;
      const anchor = native('selectionDirection') === 'backward' ? end : start;
      const direction = home ? 'backward' : 'forward';
      if (event.shiftKey) reveal(Math.min(anchor, unit), Math.max(anchor, unit), {view: unit, direction});
      else reveal(unit, unit);
    } else if (holding() && !control && !['Shift', 'Control', 'Meta'].includes(event.key)) {
      reveal(...held);  // a key goes where the selection is
    }
  });

  // An edit over a held selection is made here.
  box.addEventListener('beforeinput', (event) => {
    if (!holding() || event.inputType.startsWith('history')) return;
    event.preventDefault();
    const inserted = event.inputType.startsWith('delete') ? '' :
                     event.data ?? event.dataTransfer?.getData('text/plain') ?? '\n';
    replace(...held, inserted.replace(/\r\n?/g, '\n'), event.inputType);
  });
  for (const type of ['copy', 'cut']) {
    box.addEventListener(type, (event) => {
      if (!holding()) return;
      event.preventDefault();
      event.clipboardData.setData('text/plain', text().slice(...held));
      if (type === 'cut') replace(...held, '', 'deleteByCut');
    });
  }

  // A long paste is one replacement made here, which costs far less than the
  // browser's editing of it; a shorter one keeps the browser's way and undo.
  box.addEventListener('paste', (event) => {
    const pasted = event.clipboardData.getData('text/plain');
    if (pasted.length < kLongText && !holding()) return;
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
    setSelectionRange: {value: (start, end, direction) => reveal(start, end, {direction})},
    select: {value: () => selectRange(0, text().length)},
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
