'use strict';
// The page's side of the web host (runtime/web/page_form.cpp). The C++ host
// builds the controls through `page` from the window's description, reads,
// writes and selects the boxes' texts, and awaits the answers of message
// boxes; the page hands every button click and Alt key back to it by the
// control's name. Loaded before the WebAssembly module, which reads `Module`.

const kKinds = ['TextBox', 'Label', 'CommandButton', 'Image'];
const kOkOnly = 0;
const kAnswerOk = 1;
const kAnswerNo = 7;

const stage = document.getElementById('Static');
const dialog = document.getElementById('message');
const mnemonics = new Map();  // letter -> the button whose caption marks it
let clicking = false;         // a click procedure is under way
let readText = '';            // the box text on its way to the heap

function showLoadError() {
  document.getElementById('load-error').hidden = false;
  stage.hidden = true;
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
      const box = control.multiLine ? windowedTextArea(document.createElement('textarea'))
                                    : document.createElement('input');
      box.value = control.text;
      box.spellcheck = false;
      box.autocomplete = 'off';
      box.addEventListener('input', () => markOverflow(box));
      box.addEventListener('blur', () => markOverflow(box, true));
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
    element.className = kKinds[control.kind];
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
    readText = document.getElementById(name).value;
    return readText.length;
  },

  copyReadText(heap, pointer) {
    const first = pointer >> 1;
    for (let i = 0; i < readText.length; ++i) heap[first + i] = readText.charCodeAt(i);
    readText = '';
  },

  setBox(name, text) {
    // The data box is written as an edit, so that Ctrl+Z in it brings back
    // what 清空 emptied. The result boxes are written plainly and leave that
    // step on top of the page's one undo history.
    const box = document.getElementById(name);
    if (box.write) {
      box.write(text);
    } else {
      box.value = text;
      markOverflow(box, true);
    }
  },

  select(name, start, length) {
    // The data box scrolls to the selection itself: Chromium does not
    // scroll a text area to a selection made by script.
    const box = document.getElementById(name);
    box.focus();
    box.setSelectionRange(start, start + length);
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

// 是(Y) and 否(N) answer with their letters too, with or without Alt.
// Escape is taken here rather than left to the browser, which may ignore it
// when one dialog follows another without a click between.
dialog.addEventListener('keydown', (event) => {
  if (event.ctrlKey || event.metaKey) return;
  const button = {KeyY: 'message-yes', KeyN: 'message-no'}[event.code];
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
// keys are; the letter is taken from the key's place, so a layout or a Mac's
// Option key that turns it into another character still counts.
document.addEventListener('keydown', (event) => {
  if (!event.altKey || event.ctrlKey || event.metaKey || dialog.open) return;
  const button = mnemonics.get(event.code.replace('Key', ''));
  if (!button) return;
  event.preventDefault();
  button.click();
}, true);

var Module = {page, onAbort: showLoadError};  // eslint-disable-line no-var

if (typeof WebAssembly !== 'object') {
  showLoadError();
} else {
  const program = document.createElement('script');
  program.src = 'quorvel-core.js';
  program.addEventListener('error', showLoadError);
  document.body.append(program);
}

if ('serviceWorker' in navigator) {
  navigator.serviceWorker.register('service-worker.js').catch(() => {});
}
