// The page's side of the web host (runtime/web/page_form.cpp). The C++ host
// builds the controls through `page` from the window's description, reads,
// writes and selects the boxes' texts, and awaits the answers of message
// boxes; the page hands every button click and Alt key back to it by the
// control's name. Loaded before the WebAssembly module, which reads `Module`.
import {createDataEditor} from './data_editor.js';

const kKinds = ['TextBox', 'Label', 'CommandButton', 'Image'];
const kOkOnly = 0;
const kAnswerOk = 1;
const kAnswerNo = 7;

const stage = document.getElementById('Static');
const dialog = document.getElementById('message');
const mnemonics = new Map();  // letter -> the button whose caption marks it
const boxes = new Map();      // name -> the text box as the host reads, writes and selects it
let clicking = false;         // a click procedure is under way
let reading = '';             // the text of the box the host reads, on its way to the heap

// Without WebAssembly nothing can run; with it, a failure means the page's
// files did not all arrive, or came from different releases.
function showLoadError() {
  document.getElementById(typeof WebAssembly === 'object' ? 'files-error' : 'wasm-error').hidden = false;
  stage.hidden = true;
}

// Copies a text, unit by unit, to 16-bit words from `first` on; the data
// box's text piece by piece, with no copy of the whole made on the way.
function copyText(text, words, first) {
  let at = first;
  for (const piece of typeof text === 'string' ? [text] : text) {
    for (let i = 0; i < piece.length; ++i) words[at++] = piece.charCodeAt(i);
  }
}

function lineBox(input) {
  return {
    text: () => input.value,
    write(text) {
      input.value = text;
      markOverflow(input, true);
    },
    select(start, end) {
      input.focus();
      input.setSelectionRange(start, end);
    },
  };
}

// A result box whose text is wider than the box shows an ellipsis (in CSS)
// and the whole text as its tooltip and accessible description; once the
// box is written or left, it shows the text's start again.
function markOverflow(box, fromStart) {
  if (box.tagName !== 'INPUT') return;
  if (fromStart) box.scrollLeft = 0;
  const cut = box.scrollWidth > box.clientWidth;
  for (const attribute of ['title', 'aria-description']) {
    if (cut) box.setAttribute(attribute, box.value);
    else box.removeAttribute(attribute);
  }
}

// "计算(&M)": the letter after "&" is underlined and clicks with Alt.
function captionInto(element, caption) {
  const mark = caption.indexOf('&');
  if (mark < 0 || mark + 1 >= caption.length) {
    element.textContent = caption;
    return null;
  }
  const letter = document.createElement('u');
  letter.textContent = caption[mark + 1];
  element.append(caption.slice(0, mark), letter, caption.slice(mark + 2));
  return letter.textContent.toUpperCase();
}

function click(name) {
  // The message box is modal: a click or Alt key that reaches the page while
  // a procedure waits in it is dropped, as it is on the desktop.
  if (clicking) return;
  clicking = true;
  stage.setAttribute('aria-busy', 'true');
  Promise.resolve(Module.ccall('quorvel_click', null, ['string'], [name], {async: true}))
      .finally(() => {
        clicking = false;
        stage.removeAttribute('aria-busy');
      });
}

function createElement(control) {
  switch (kKinds[control.kind]) {
    case 'TextBox': {
      if (control.multiLine) {
        const editor = createDataEditor(control.text, control.accessibleName);
        boxes.set(control.name, {...editor, text: editor.document});
        return editor.element;
      }
      const box = document.createElement('input');
      box.value = control.text;
      box.spellcheck = false;
      box.autocomplete = 'off';
      box.addEventListener('input', () => markOverflow(box));
      box.addEventListener('blur', () => markOverflow(box, true));
      boxes.set(control.name, lineBox(box));
      return box;
    }
    case 'Label': {
      const label = document.createElement('span');
      label.textContent = control.text;
      return label;
    }
    case 'CommandButton': {
      const button = document.createElement('button');
      button.type = 'button';
      const letter = captionInto(button, control.text);
      if (letter) {
        mnemonics.set(letter, button);
        button.setAttribute('aria-keyshortcuts', `Alt+${letter}`);
      }
      button.addEventListener('click', () => click(control.name));
      return button;
    }
    case 'Image': {
      const image = document.createElement('img');
      image.src = `${control.name}.bmp`;
      image.alt = '';
      return image;
    }
  }
  throw new Error(`unknown control kind ${control.kind}`);
}

// The whole window is scaled down to fit a narrower screen.
function fitToWidth() {
  const width = Number.parseFloat(stage.style.width);
  stage.style.zoom = Math.min(1, document.documentElement.clientWidth / width);
}

const page = {
  decode(heap, pointer, length) {
    // Unit by unit, so a lone surrogate stays what it is.
    const first = pointer >> 1;
    let text = '';
    for (let i = 0; i < length; i += 8192) {
      text += String.fromCharCode.apply(null, heap.subarray(first + i, first + Math.min(length, i + 8192)));
    }
    return text;
  },

  showForm(caption, width, height) {
    document.title = caption;
    stage.style.width = `${width}px`;
    stage.style.height = `${height}px`;
    fitToWidth();
    window.addEventListener('resize', fitToWidth);
  },

  addControl(control) {
    const element = createElement(control);
    element.id = control.name;
    element.classList.add(kKinds[control.kind]);
    Object.assign(element.style, {left: `${control.left}px`, top: `${control.top}px`,
                                  width: `${control.width}px`, height: `${control.height}px`});
    if (control.fontFamilies) {
      Object.assign(element.style, {fontFamily: control.fontFamilies,
                                    fontSize: `${control.pointSize}pt`,
                                    fontWeight: control.weight});
    }
    if (control.accessibleName) element.setAttribute('aria-label', control.accessibleName);
    if (!control.focusable) element.tabIndex = -1;
    stage.append(element);
  },

  readBox(name) {
    reading = boxes.get(name).text();
    return reading.length;
  },

  copyReadText(heap, pointer) {
    copyText(reading, heap, pointer >> 1);
    reading = '';
  },

  setBox(name, text) {
    boxes.get(name).write(text);
  },

  select(name, start, length) {
    boxes.get(name).select(start, start + length);
  },

  ask(prompt, buttons, title) {
    document.getElementById('message-title').textContent = title;
    document.getElementById('message-prompt').textContent = prompt;
    const okOnly = buttons === kOkOnly;
    document.getElementById('message-ok').hidden = !okOnly;
    document.getElementById('message-yes').hidden = okOnly;
    document.getElementById('message-no').hidden = okOnly;
    dialog.returnValue = '';
    dialog.showModal();
    // 是 is the default, as the OK of a message alone.
    document.getElementById(okOnly ? 'message-ok' : 'message-yes').focus();
    // Escape closes the dialog with no value: 否, or OK where it is alone.
    return new Promise((resolve) => {
      dialog.addEventListener('close', () => resolve(Number(dialog.returnValue) ||
                                                     (okOnly ? kAnswerOk : kAnswerNo)),
                              {once: true});
    });
  },
};

for (const button of dialog.querySelectorAll('button')) {
  button.addEventListener('click', () => dialog.close(button.value));
}

// The Latin letter a key types, whatever the keyboard's layout. Where it
// types no such letter (a Mac's Option key, a Cyrillic layout), the letter
// of the key's place counts instead.
function letterOf(event) {
  const typed = event.key.toUpperCase();
  if (/^[A-Z]$/.test(typed)) return typed;
  return /^Key[A-Z]$/.test(event.code) ? event.code.slice(3) : '';
}

// 是(Y) and 否(N) answer with their letters too, with or without Alt.
// Escape is taken here rather than left to the browser, which may ignore it
// when one dialog follows another without a click between.
dialog.addEventListener('keydown', (event) => {
  if (event.ctrlKey || event.metaKey) return;
  const button = {Y: 'message-yes', N: 'message-no'}[letterOf(event)];
  if (event.key === 'Escape') {
    dialog.close('');
  } else if (button && !document.getElementById(button).hidden) {
    dialog.close(document.getElementById(button).value);
  } else {
    return;
  }
  event.preventDefault();
});

// Alt with a button's letter clicks it, whatever the browser's own access
// keys are.
document.addEventListener('keydown', (event) => {
  if (!event.altKey || event.ctrlKey || event.metaKey || dialog.open) return;
  const button = mnemonics.get(letterOf(event));
  if (!button) return;
  event.preventDefault();
  button.click();
}, true);

// The page has all its files once its program has run and its picture has
// come.
let programRan;
const loaded = new Promise((ran) => { programRan = ran; })
    .then(() => document.readyState === 'complete' || new Promise((done) => addEventListener('load', done)));

// The bundle is a module of its own: the WebAssembly loader finds `Module`
// on the global object.
globalThis.Module = {page, onAbort: showLoadError, postRun: [() => programRan()]};

if (typeof WebAssembly !== 'object') {
  showLoadError();
} else {
  const program = document.createElement('script');
  program.src = 'quorvel-core.js';
  program.addEventListener('error', showLoadError);
  document.body.append(program);
}

// A new release's service worker waits, its files kept, until this page has
// all of its own: from then on the page fetches nothing, and the next load
// is the new release whole.
if ('serviceWorker' in navigator) {
  navigator.serviceWorker.register('service-worker.js').then((registration) => {
    const takeOver = () => loaded.then(() => registration.waiting?.postMessage('take over'));
    takeOver();
    registration.addEventListener('updatefound', () => {
      const worker = registration.installing;
      worker.addEventListener('statechange', () => worker.state === 'installed' && takeOver());
    });
  }).catch(() => {});
}
