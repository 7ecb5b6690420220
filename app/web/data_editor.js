// The page's multi-line text box on the CodeMirror editor engine, which lays
// out only the lines in view, so a paste of 10^6 lines stays quick while
// every way of editing (keys, input methods, the context menu, drag and drop,
// undo) acts on the whole text. The element keeps a text area's value and
// selection in UTF-16 units, with line feeds, for scripts and automation.
import {Compartment, EditorSelection} from '@codemirror/state';
import {EditorView, keymap} from '@codemirror/view';
import {history, historyKeymap, insertNewline, isolateHistory, standardKeymap} from '@codemirror/commands';

// A paste or drop of this many units or more, like a write by the window's
// own commands, starts the undo history afresh: it can be undone, but the
// history never holds several such texts at once.
const kLargeEdit = 65536;

export function createDataEditor(text, accessibleName) {
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
  const view = new EditorView({
    parent: root,
    root,
    doc: text,
    extensions: [
      undoHistory.of(history()),
      // Enter breaks the line and nothing more, as in a text area: no
      // indentation carried over, no blanks taken away.
      keymap.of([{key: 'Enter', run: insertNewline}, ...standardKeymap, ...historyKeymap]),
      EditorView.lineWrapping,
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
      }),
    ],
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
