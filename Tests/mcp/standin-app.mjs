// The application side of the interoperability test, played by the stand-in control server
// (Tests/Support/programs/control_standin.cpp). An adapter for the real application offers the
// same members: start() resolves once the control file is written; postUrl is a post that the
// application can open and scan; confirmNextDeletion() answers the owner's confirmation of the
// next requested deletion and resolves with the ids it asked about; probe(i) and slowCall are
// tool calls for the parallel and the aborted step; crash() ends it without removing its
// control file; stop() ends it cleanly.
import { spawn } from 'node:child_process';
import { readFileSync } from 'node:fs';
import { createInterface } from 'node:readline';

export async function startApp({ home }) {
  const program = process.env.VT_STANDIN;
  if (!program) throw new Error('VT_STANDIN must name the control_standin program');
  const env = { PATH: process.env.PATH, HOME: home };
  const child = spawn(program, [], { env, stdio: ['pipe', 'pipe', 'inherit'] });
  const lines = createInterface({ input: child.stdout });
  const waiting = [];
  const heard = [];
  lines.on('line', (line) => {
    const next = waiting.shift();
    if (next) next(line); else heard.push(line);
  });
  const nextLine = () => new Promise((resolve, reject) => {
    if (heard.length) return resolve(heard.shift());
    waiting.push(resolve);
    child.once('exit', (code) => reject(new Error(`the stand-in ended (${code})`)));
  });

  const ready = await nextLine();
  if (!ready.startsWith('ready ')) throw new Error(`unexpected first line: ${ready}`);
  const fixture = JSON.parse(readFileSync(new URL('post.json', `file://${process.env.VT_FIXTURES}/agent/`)));

  return {
    postUrl: fixture.url,
    async confirmNextDeletion() {
      const line = await nextLine();
      if (!line.startsWith('confirm ')) throw new Error(`expected a confirmation, got: ${line}`);
      child.stdin.write('yes\n');
      return line.slice('confirm '.length).split(',');
    },
    probe(i) {
      const selector = `#comment-${i}`;
      return {
        call: { name: 'veltrane_inspect', arguments: { selector } },
        check: (value) => value.selector === selector,
      };
    },
    slowCall: { name: 'veltrane_inspect', arguments: { selector: 'slow' } },
    async crash() {
      const ended = new Promise((resolve) => child.once('exit', resolve));
      child.kill('SIGKILL');
      await ended;
    },
    async stop() {
      if (child.exitCode !== null || child.signalCode !== null) return;
      const ended = new Promise((resolve) => child.once('exit', resolve));
      child.stdin.end();
      await ended;
    },
  };
}
