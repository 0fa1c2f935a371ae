// A stand-in for the native side of page_bridge.mjs: just enough page logic to show that
// events arrive in order and that requests reach the page. Appends what it receives to
// the log file named by its argument, one JSON line per event or reply.
import { appendFileSync } from 'node:fs';
import { createInterface } from 'node:readline';
import { setTimeout as sleep } from 'node:timers/promises';

const log = process.argv[2];
const lines = createInterface({ input: process.stdin })[Symbol.asyncIterator]();
let onOptionsPage = true;

function note(entry) {
  appendFileSync(log, `${JSON.stringify(entry)}\n`);
}

async function request(op) {
  process.stdout.write(`${JSON.stringify(op)}\n`);
  const { reply } = JSON.parse((await lines.next()).value);
  note({ op: op.op, id: op.id, reply });
  return reply;
}

async function handle(event) {
  if (event.event === 'documentComplete' && onOptionsPage) {
    await request({ op: 'setInputValue', id: 'change_interval_id', value: '17' });
    await request({ op: 'getInputValue', id: 'no_such_id' });
    await request({ op: 'getSelectIndex', id: 'auto_change_id' });
    await request({ op: 'setCheckbox', id: 'auto_change_id', checked: true });
  } else if (event.event === 'documentComplete') {
    await request({ op: 'setElementHtml', id: 'table_body',
      html: "<table><tbody><tr><td> <a href='#setwp?7.jpg' >7.jpg</a></td></tr></tbody></table>" });
  } else {
    const anchor = event.url.slice(event.url.lastIndexOf('#'));
    if (anchor === '#ostatnie') onOptionsPage = false;
    if (anchor === '#wroc') onOptionsPage = true;
    if (anchor === '#save') await request({ op: 'getCheckbox', id: 'auto_change_id' });
    if (anchor === '#slow') await sleep(200);
  }
}

for (;;) {
  const { value, done } = await lines.next();
  if (done) break;
  const event = JSON.parse(value);
  note({ received: event.event, url: event.url });
  await handle(event);
  note({ done: event.event, url: event.url });
  process.stdout.write('{"done":true}\n');
}
