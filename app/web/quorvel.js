// The page's side of the web host (runtime/web/page_form.cpp). The C++ host
// builds the controls through `page` from the window's description, reads,
// writes, selects and marks the boxes, gives them their hints, and awaits
// the answers of message boxes and the clipboard; the page hands every
// button click, Alt key and command back to it by name, and every change of
// a box's text. Loaded before the WebAssembly module, which reads `Module`.
import {createDataEditor} from './data_editor.js';

const kKinds = ['TextBox', 'Label', 'CommandButton', 'Image'];
const kOkOnly = 0;
const kAnswerOk = 1;
const kAnswerNo = 7;

const stage = document.getElementById('Static');
const dialog = document.getElementById('message');
const menu = document.getElementById('box-menu');
const wholeText = document.getElementById('whole-text');
const mnemonics = new Map();  // letter -> the button whose caption marks it
const boxes = new Map();      // name -> the text box as the host reads, writes and selects it
const resultBoxes = [];       // the boxes that offer the window's command, in order
const written = new Set();    // the boxes the procedure under way wrote
const measure = document.createElement('canvas').getContext('2d');
let running = false;          // the core runs a procedure, or waits in one
let waiting = false;          // ... waits for the page: a message box, the clipboard
let shortcutCommand = '';     // the command Ctrl+Shift+Enter runs
let menuBox = null;           // the box whose menu is open
let reading = '';             // the text of the box the host reads, on its way to the heap

// Without WebAssembly nothing can run; with it, a failure means the page's
// files did not all arrive, or came from different releases.
function showLoadError() {
  document.getElementById(typeof WebAssembly === 'object' ? 'files-error' : 'wasm-error').hidden = false;
  stage.hidden = true;
}

// Copies a text, unit by unit, to 16-bit words from `first` on; the data
// box's text in slices of 64K units, read much faster than its lines one by
// one, with no copy of the whole made on the way.
function copyText(text, words, first) {
  const slice = typeof text === 'string' ? (from, to) => text.slice(from, to) : (from, to) => text.sliceString(from, to);
  for (let from = 0; from < text.length; from += 65536) {
    const piece = slice(from, Math.min(text.length, from + 65536));
    for (let i = 0; i < piece.length; ++i) words[first + from + i] = piece.charCodeAt(i);
  }
}

// A single-line box shows an ellipsis (in CSS) where its text goes on, and
// the host gives it the whole text as its hint. Written, or left for another
// control of the window, it shows the text's start again; a message box or
// a menu opening over it keeps its caret and view.
function lineBox(name, input) {
  input.addEventListener('input', () => run('quorvel_change', name));
  // The browser itself shows the start of a box that loses the focus, before
  // and after it tells: the view is kept as the box scrolls, and put back
  // before the next frame, without the ellipsis, which would hide it.
  let view = 0;
  input.addEventListener('scroll', () => {
    if (document.activeElement === input) view = input.scrollLeft;
  });
  input.addEventListener('blur', (event) => {
    const kept = stage.contains(event.relatedTarget) ? 0 : view;
    requestAnimationFrame(() => {
      input.classList.toggle('scrolled', kept > 0);
      input.scrollLeft = kept;
    });
  });
  input.addEventListener('focus', () => input.classList.remove('scrolled'));
  // On a touch screen, which shows no tooltip, a tap tells what the box
  // does not show; the next tap closes it. (The click comes after the
  // pointer's release, which would close a popover opened on it.)
  let tapped = false;
  input.addEventListener('pointerdown', (event) => {
    tapped = event.pointerType === 'touch' && !wholeText.matches(':popover-open');
  });
  input.addEventListener('click', () => {
    if (!tapped || !input.hasAttribute('aria-description')) return;
    const {left, bottom} = input.getBoundingClientRect();
    wholeText.textContent = input.getAttribute('aria-description');
    Object.assign(wholeText.style, {left: `${left}px`, top: `${bottom}px`});
    wholeText.showPopover();
  });
  return {
    length: () => input.value.length,
    text: () => input.value,
    write(text) {
      input.value = text;
      input.scrollLeft = 0;
    },
    select(start, end) {
      input.focus();
      input.setSelectionRange(start, end);
    },
  };
}

function setOrRemove(element, attribute, value) {
  if (value) element.setAttribute(attribute, value);
  else element.removeAttribute(attribute);
}

// A new element each time, so that the same words are said again.
function announce(text) {
  const said = document.createElement('p');
  said.textContent = text;
  document.getElementById('announce').replaceChildren(said);
}

// After a calculation, its results are said as a person reads them.
function announceResults() {
  if (!resultBoxes.some((name) => written.has(name))) return;
  const said = resultBoxes.map((name) => document.getElementById(name)).filter((box) => box.value)
      .map((box) => `${box.getAttribute('aria-label')} ${box.value}`);
  if (said.length) announce(said.join('，'));
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

// Runs a click (`quorvel_click`) or a change (`quorvel_change`) in the core.
// While a procedure runs, or waits with its stack put aside, the core cannot
// be entered again: a click that comes meanwhile is dropped, as the modal
// message box means it to be, and so is a change, since the window marks
// its results itself when the procedure ends.
function run(entry, name) {
  if (running) return;
  running = true;
  waiting = false;
  written.clear();
  const done = Module.ccall(entry, null, ['string'], [name], {async: true});
  const finish = () => {
    running = false;
    stage.removeAttribute('aria-busy');
    announceResults();
  };
  if (!waiting) return finish();
  stage.setAttribute('aria-busy', 'true');
  done.finally(finish);
}

// The result boxes' own menu, for a right click or a long press; Shift keeps
// the browser's.
function openMenu(event, box) {
  if (event.shiftKey) return;
  event.preventDefault();
  menuBox = box;
  box.focus();  // where the focus returns when the menu closes
  const {left, bottom} = box.getBoundingClientRect();
  Object.assign(menu.style, {left: `${event.clientX || left}px`, top: `${event.clientY || bottom}px`});
  menu.showPopover();
  menu.querySelector('[role=menuitem]').focus();
}

// 复制 as a box's own menu has it: the selection, or with none the whole text.
function copyBox(box) {
  const {selectionStart, selectionEnd, selectionDirection, scrollLeft} = box;
  if (selectionStart === selectionEnd) box.select();
  document.execCommand('copy');
  box.setSelectionRange(selectionStart, selectionEnd, selectionDirection);
  box.scrollLeft = scrollLeft;
}

function createElement(control) {
  switch (kKinds[control.kind]) {
    case 'TextBox': {
      if (control.multiLine) {
        const editor = createDataEditor(control.text, control.accessibleName,
                                        () => run('quorvel_change', control.name));
        boxes.set(control.name, {...editor, text: editor.document});
        return editor.element;
      }
      const box = document.createElement('input');
      box.value = control.text;
      box.spellcheck = false;
      box.autocomplete = 'off';
      boxes.set(control.name, lineBox(control.name, box));
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
      button.addEventListener('click', () => run('quorvel_click', control.name));
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

  // A command in the box's own menu and on the page's shortcut (the tip in
  // page_form.cpp names the same key).
  offerCommand(name, command, caption) {
    const box = document.getElementById(name);
    box.setAttribute('aria-keyshortcuts', 'Control+Shift+Enter');
    box.addEventListener('contextmenu', (event) => openMenu(event, box));
    resultBoxes.push(name);
    shortcutCommand = command;
    if (menu.querySelector(`[data-command="${command}"]`)) return;
    const item = document.getElementById('menu-copy').cloneNode();
    item.removeAttribute('id');
    item.dataset.command = command;
    item.textContent = caption;
    item.addEventListener('click', () => {
      menu.hidePopover();
      run('quorvel_click', command);
    });
    menu.prepend(item);
  },

  boxLength(name) {
    return boxes.get(name).length();
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
    written.add(name);
  },

  markStale(name, stale) {
    document.getElementById(name).classList.toggle('stale', stale);
  },

  // The width of a box's text and the room for it, in fractions of a pixel.
  textWidth(name) {
    const box = document.getElementById(name);
    const style = getComputedStyle(box);
    measure.font = `${style.fontStyle} ${style.fontWeight} ${style.fontSize} ${style.fontFamily}`;
    return measure.measureText(box.value).width;
  },

  room(name) {
    const style = getComputedStyle(document.getElementById(name));
    return ['paddingLeft', 'paddingRight', 'borderLeftWidth', 'borderRightWidth']
        .reduce((room, edge) => room - Number.parseFloat(style[edge]), Number.parseFloat(style.width));
  },

  showHint(name, tooltip, description) {
    const box = document.getElementById(name);
    setOrRemove(box, 'title', tooltip);
    setOrRemove(box, 'aria-description', description);
  },

  announce,

  // 1 once the clipboard holds the text; 0, with nothing copied, where the
  // browser has no clipboard for the page or refuses it.
  async copy(text) {
    waiting = true;
    try {
      await navigator.clipboard.writeText(text);
      return 1;
    } catch {
      return 0;
    }
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
    waiting = true;
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

menu.addEventListener('keydown', (event) => {
  const items = [...menu.querySelectorAll('[role=menuitem]')];
  const at = items.indexOf(document.activeElement);
  const to = {ArrowDown: at + 1, ArrowUp: at - 1, Home: 0, End: -1}[event.key];
  if (to === undefined) return;
  event.preventDefault();
  items.at(to % items.length).focus();
});
// Tab out of the menu closes it, as a click elsewhere does.
menu.addEventListener('focusout', (event) => {
  if (!menu.contains(event.relatedTarget) && menu.matches(':popover-open')) menu.hidePopover();
});
document.getElementById('menu-copy').addEventListener('click', () => {
  menu.hidePopover();
  copyBox(menuBox);
});
wholeText.addEventListener('click', () => wholeText.hidePopover());

// Ctrl+Shift+Enter runs the window's command from anywhere in it; the data
// box, which sees the key after the page, leaves a key so taken alone.
document.addEventListener('keydown', (event) => {
  if (event.key !== 'Enter' || !event.ctrlKey || !event.shiftKey || event.altKey || event.metaKey ||
      dialog.open) return;
  event.preventDefault();
  run('quorvel_click', shortcutCommand);
}, true);

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
