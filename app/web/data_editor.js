// The page's multi-line text box on the CodeMirror editor engine, which lays
// out only the lines in view, so a paste of 10^6 lines stays quick while
// every way of editing (keys, input methods, the context menu, drag and drop,
// undo) acts on the whole text. The element keeps a text area's value and
// selection in UTF-16 units, with line feeds, for scripts and automation.
import {Compartment, EditorSelection} from '@codemirror/state';
import {EditorView, keymap} from '@codemirror/view';
import {deleteCharBackwardStrict, history, historyKeymap, insertNewline, isolateHistory,
        standardKeymap} from '@codemirror/commands';

// A paste or drop of this many units or more, like a write by the window's
// own commands, starts the undo history afresh: it can be undone, but the
// history never holds several such texts at once.
const kLargeEdit = 65536;

// `changed` is called after every change of the text, whoever made it.
export function createDataEditor(text, accessibleName, changed) {
  const undoHistory = new Compartment();
  const forgetHistory = () => {
    view.dispatch({effects: undoHistory.reconfigure([])});
    view.dispatch({effects: undoHistory.reconfigure(history())});
  };
  const startsAfresh = (data) => {
    if ((data?.getData('text/plain').length ?? 0) >= kLargeEdit) forgetHistory();
    return false;  // the editor inserts the text itself
  };
  // The outer element is the control the window places; the editor fills
  // it from a shadow root, whose styles the editor engine adds as style
  // sheets of its own rather than as a <style> element, which the page's
  // content policy forbids. Focus given to the element, by a script, a tool
  // or the Tab key, goes on to the editor.
  const element = document.createElement('div');
  const root = element.attachShadow({mode: 'open', delegatesFocus: true});
  const nothingSelected = (event) => {
    if (!view.state.selection.main.empty) return false;
    event.preventDefault();
    return true;
  };
  const view = new EditorView({
    parent: root,
    root,
    doc: text,
    extensions: [
      undoHistory.of(history()),
      // Enter breaks the line and Backspace takes one character, as in a
      // text area: no indentation carried over or taken away.
      keymap.of([{key: 'Enter', run: insertNewline}, {key: 'Backspace', run: deleteCharBackwardStrict},
                 ...standardKeymap, ...historyKeymap]),
      EditorView.lineWrapping,
      EditorView.updateListener.of((update) => update.docChanged && changed()),
      // Drawn as a text area: the box's font, no outline, no visible scroll bars.
      EditorView.theme({
        '&': {height: '100%'},
        '&.cm-focused': {outline: 'none'},
        '.cm-scroller': {fontFamily: 'inherit', lineHeight: 'normal', scrollbarWidth: 'none'},
        '.cm-content, .cm-line': {padding: '0'},
      }),
      // The element delegates its focus to the editor text (autofocus), not
      // to the area scrolled around it, which is focusable too.
      EditorView.contentAttributes.of({'aria-label': accessibleName, spellcheck: 'false',
                                       autocorrect: 'off', autocapitalize: 'off', translate: 'no',
                                       autofocus: ''}),
      EditorView.domEventHandlers({
        paste: (event) => startsAfresh(event.clipboardData),
        drop: (event) => startsAfresh(event.dataTransfer),
        // With nothing selected, copy and cut do nothing, as in a text area,
        // rather than take the whole line.
        copy: nothingSelected,
        cut: nothingSelected,
        // A typed key replaces exactly the editor's selection. Left to the
        // browser, a selection made backwards over several lines keeps a
        // line break, and a key that follows a click at once may be lost.
        beforeinput(event) {
          if (event.inputType !== 'insertText' || !event.data) return false;
          event.preventDefault();
          view.dispatch(view.state.replaceSelection(event.data), {userEvent: 'input.type', scrollIntoView: true});
          return true;
        },
      }),
    ],
  });

  // A press on the box's border, outside the editor text, would leave the
  // editor focused with no caret, so that keys typed next go nowhere: it
  // keeps the caret where it was instead.
  element.addEventListener('mousedown', (event) => {
    if (view.contentDOM.contains(event.composedPath()[0])) return;
    event.preventDefault();
    view.focus();
  });

  // 全选 from the context menu selects what the editor has drawn, which for
  // a long text is only the lines around the view: it selects the whole
  // text instead, once the editor has read the browser's selection. (A
  // selection by the mouse starts with a button held.)
  let buttonsHeld = 0;
  element.addEventListener('pointerdown', (event) => { buttonsHeld = event.buttons; });
  element.addEventListener('pointerup', (event) => { buttonsHeld = event.buttons; });
  // The event comes to the editable element, or, when the browser's
  // selection lies outside the shadow root, to the box itself.
  element.addEventListener('selectstart', (event) => {
    const target = event.composedPath()[0];
    if ((target !== view.contentDOM && target !== element) || buttonsHeld) return;
    setTimeout(() => view.dispatch({selection: EditorSelection.range(0, view.state.doc.length)}));
  });

  const whole = () => ({from: 0, to: view.state.doc.length});
  const clamp = (unit) => Math.max(0, Math.min(view.state.doc.length, unit));
  const select = (start, end) => {
    view.dispatch({selection: EditorSelection.range(clamp(start), clamp(end)), scrollIntoView: true});
  };
  Object.defineProperties(element, {
    value: {
      get: () => view.state.doc.toString(),
      set: (value) => view.dispatch({changes: {...whole(), insert: value}}),
    },
    selectionStart: {get: () => view.state.selection.main.from},
    selectionEnd: {get: () => view.state.selection.main.to},
    setSelectionRange: {value: select},
  });

  return {
    element,
    // The text as the editor holds it; it is never changed in place.
    document: () => view.state.doc,
    length: () => view.state.doc.length,
    // The window's commands write the box as one step that Ctrl+Z undoes.
    write(value) {
      forgetHistory();
      view.dispatch({changes: {...whole(), insert: value}, annotations: isolateHistory.of('full')});
    },
    select(start, end) {
      view.focus();
      select(start, end);
    },
  };
}
