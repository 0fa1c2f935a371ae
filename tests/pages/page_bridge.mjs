// Lets a native program run its page logic against a real page in Chromium, in place of the
// web-browser control. Both sides write one JSON object per line (UTF-8):
//
//   to the program:   {"event":"beforeNavigate","url":"<full url>"}
//                     {"event":"documentComplete"}
//                     {"reply":{...}}                      the answer to each request
//   from the program, while it handles an event, any number of requests, then {"done":true}:
//     {"op":"setInputValue","id":I,"value":S}     -> {"ok":B}
//     {"op":"getInputValue","id":I}               -> {"ok":B,"value":S}
//     {"op":"setCheckbox","id":I,"checked":B}     -> {"ok":B}
//     {"op":"getCheckbox","id":I}                 -> {"ok":B,"checked":B}
//     {"op":"enableInput","id":I,"enabled":B}     -> {"ok":B}
//     {"op":"setSelectIndex","id":I,"index":N}    -> {"ok":B}
//     {"op":"getSelectIndex","id":I}              -> {"ok":B,"index":N}
//     {"op":"enableSelect","id":I,"enabled":B}    -> {"ok":B}
//     {"op":"showElement","id":I,"show":B}        -> {"ok":true}   className := show/hide
//     {"op":"setElementHtml","id":I,"html":S}     -> {"ok":true}   innerHTML := S
//   "ok" is false when the element is missing or of the wrong kind.
//
// Every navigation of the main frame reaches the program as beforeNavigate with its full
// address, and every finished load of the main document as documentComplete, one event at
// a time, in order.
import { spawn } from 'node:child_process';
import { createInterface } from 'node:readline';

let connections = 0;

// Runs in the page: one DOM operation, as the program's document operations do it.
function applyOperation(request) {
  const element = document.getElementById(String(request.id));
  const isInput = !!element && element.tagName === 'INPUT';
  const isSelect = !!element && element.tagName === 'SELECT';
  switch (request.op) {
    case 'setInputValue':
      if (isInput) element.value = String(request.value);
      return { ok: isInput };
    case 'getInputValue':
      return { ok: isInput, value: isInput ? element.value : '' };
    case 'setCheckbox':
      if (isInput) element.checked = !!request.checked;
      return { ok: isInput };
    case 'getCheckbox':
      return { ok: isInput, checked: isInput && element.checked };
    case 'enableInput':
      if (isInput) element.disabled = !request.enabled;
      return { ok: isInput };
    case 'setSelectIndex':
      if (isSelect) element.selectedIndex = request.index;
      return { ok: isSelect };
    case 'getSelectIndex':
      return { ok: isSelect, index: isSelect ? element.selectedIndex : -1 };
    case 'enableSelect':
      if (isSelect) element.disabled = !request.enabled;
      return { ok: isSelect };
    case 'showElement':
      if (element) element.className = request.show ? 'show' : 'hide';
      return { ok: true };
    case 'setElementHtml':
      if (element) element.innerHTML = String(request.html);
      return { ok: true };
    default:
      return { ok: false, error: `unknown op ${request.op}` };
  }
}

// Runs in the page. Chromium reports nothing when a script sets the hash it already has,
// while the browser control reports every navigation; so the hash is taken away again,
// without a navigation, as soon as it has been passed on.
function watchHashNavigations(binding) {
  if (window.__kolorowiskoWatched) return;
  window.__kolorowiskoWatched = true;
  window.addEventListener('hashchange', () => {
    const address = location.href;
    history.replaceState(history.state, '', address.split('#')[0]);
    window[binding](address);
  });
}

export async function connectNative(page, command, args = []) {
  const binding = `__kolorowiskoNavigated${++connections}`;
  const child = spawn(command, args, { stdio: ['pipe', 'pipe', 'inherit'] });
  const lines = createInterface({ input: child.stdout })[Symbol.asyncIterator]();
  let exited = null;
  const exit = new Promise((resolve) => child.on('exit', (code, signal) => {
    exited = signal ? `signal ${signal}` : `code ${code}`;
    resolve();
  }));
  child.stdin.on('error', () => {}); // a program that has gone shows up as a missing reply

  let queue = Promise.resolve();
  let firstFailure = null;

  function write(message) {
    child.stdin.write(`${JSON.stringify(message)}\n`);
  }

  async function nextMessage() {
    for (;;) {
      const { value, done } = await lines.next();
      if (done) throw new Error(`native program ended (${exited ?? 'stdout closed'})`);
      try {
        return JSON.parse(value);
      } catch {
        process.stderr.write(`native program printed: ${value}\n`);
      }
    }
  }

  async function answer(request) {
    try {
      return await page.evaluate(applyOperation, request);
    } catch (error) {
      // The document went away under the request, as during a page change.
      return { ok: false, error: String(error.message || error) };
    }
  }

  async function handle(event) {
    write(event);
    for (;;) {
      const message = await nextMessage();
      if (message.done) return;
      if (typeof message.op !== 'string') throw new Error(`unexpected message ${JSON.stringify(message)}`);
      write({ reply: await answer(message) });
    }
  }

  function send(event) {
    const handled = queue.then(() => handle(event));
    queue = handled.catch(() => {});
    return handled;
  }

  function forward(event) {
    send(event).catch((error) => { firstFailure ??= error; });
  }

  // A document request of the main frame starts a page change; its commit carries the full
  // address, the anchor included, which the request itself has dropped.
  let documentRequested = false;
  const onRequest = (request) => {
    if (request.isNavigationRequest() && request.frame() === page.mainFrame()) documentRequested = true;
  };
  const onNavigated = (frame) => {
    if (frame !== page.mainFrame() || !documentRequested) return;
    documentRequested = false;
    forward({ event: 'beforeNavigate', url: frame.url() });
  };
  const onLoad = () => forward({ event: 'documentComplete' });

  await page.exposeBinding(binding, (_source, address) => forward({ event: 'beforeNavigate', url: address }));
  await page.addInitScript(watchHashNavigations, binding);
  await page.evaluate(watchHashNavigations, binding).catch(() => {}); // no document yet is fine
  page.on('request', onRequest);
  page.on('framenavigated', onNavigated);
  page.on('load', onLoad);

  return {
    send,
    // Settles when every event passed on so far has been handled.
    async idle() {
      await queue;
    },
    // Lets the events passed on so far finish (for at most a few seconds), then ends the
    // program; throws what went wrong with any event passed on automatically.
    async close() {
      page.off('request', onRequest);
      page.off('framenavigated', onNavigated);
      page.off('load', onLoad);
      let timer;
      const patience = new Promise((resolve) => { timer = setTimeout(resolve, 5000); });
      await Promise.race([queue, patience]);
      child.stdin.end();
      await Promise.race([exit, patience]);
      if (exited === null) child.kill();
      await exit;
      clearTimeout(timer);
      if (firstFailure) throw firstFailure;
    },
  };
}
