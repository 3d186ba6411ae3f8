// The application side of the interoperability test, played by the real application: the
// program interop_app (Tests/Support/programs/interop_app.cpp) runs it headless on the fixture
// site, with the owner's confirmation answered through its standard input. The same members as
// standin-app.mjs.
//   VT_INTEROP_APP=./real-app.mjs VT_APP=<interop_app> VT_AGENT=<veltrane-agent> node interop.mjs
import { spawn } from 'node:child_process';
import { createInterface } from 'node:readline';

export async function startApp({ home }) {
  const program = process.env.VT_APP;
  if (!program) throw new Error('VT_APP must name the interop_app program');
  // The control file is found from HOME, as the bridge finds it.
  const env = { PATH: process.env.PATH, HOME: home, QT_QPA_PLATFORM: 'offscreen', QTWEBENGINE_DISABLE_SANDBOX: '1', VT_LANG: 'ko' };
  const child = spawn(program, [], { env, stdio: ['pipe', 'pipe', 'inherit'] });
  const lines = createInterface({ input: child.stdout });
  const waiting = [];
  const heard = [];
  // Only the program's own lines; anything else on its output is not for the test.
  lines.on('line', (line) => {
    if (!/^(ready|confirm) /.test(line)) return;
    const next = waiting.shift();
    if (next) next(line); else heard.push(line);
  });
  const nextLine = () => new Promise((resolve, reject) => {
    if (heard.length) return resolve(heard.shift());
    waiting.push(resolve);
    child.once('exit', (code, signal) => reject(new Error(`the application ended (${code ?? signal})`)));
  });

  const ready = await nextLine();
  const [, , postUrl] = ready.split(' ');
  if (!postUrl) throw new Error(`unexpected first line: ${ready}`);

  return {
    postUrl,
    async confirmNextDeletion() {
      const line = await nextLine();
      child.stdin.write('yes\n');
      return line.slice('confirm '.length).split(',');
    },
    // Each call reads a selector of its own from the page; the answer names it.
    probe(i) {
      const selector = `#comments, #probe-${i}`;
      return {
        call: { name: 'veltrane_inspect', arguments: { selector } },
        check: (value) => value.selector === selector,
      };
    },
    // A whole scan of the post: the site answers slowly enough that it is still running when aborted.
    slowCall: { name: 'veltrane_scan', arguments: {} },
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
