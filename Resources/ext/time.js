// Dates as the sites write them: relative ("3 days ago", "3일 전", "(edited)") or absolute; and
// waiting on the page: a pause, polling until a test gives something, and the sites' requests
// bounded in time and ended by a stop.
const VtxTime = (() => {
  const UNITS = [
    [/(second|sec|초)/, 1000], [/(minute|min|분)/, 60000], [/(hour|hr|시간)/, 3600000],
    [/(day|일)/, 86400000], [/(week|주)/, 604800000], [/(month|개월|달)/, 2592000000], [/(year|yr|년)/, 31536000000],
  ];

  function parse(text, now) {
    if (typeof text === 'number' && isFinite(text)) return text < 1e12 ? text * 1000 : text;
    const s = String(text || '').toLowerCase().replace(/\((edited|수정됨)\)|edited|수정됨/g, '').trim();
    if (!s) return null;
    now = now || Date.now();
    if (/^(just now|방금|방금 전|now)$/.test(s)) return now;
    const rel = s.match(/(\d+(?:[.,]\d+)?)\s*([a-z가-힣]+)/);
    if (rel && /(ago|전)/.test(s)) {
      const n = parseFloat(rel[1].replace(',', '.'));
      for (const [re, ms] of UNITS) if (re.test(rel[2])) return Math.round(now - n * ms);
    }
    const ko = s.match(/(\d{4})\s*[.년-]\s*(\d{1,2})\s*[.월-]\s*(\d{1,2})/);
    if (ko) return Date.UTC(+ko[1], +ko[2] - 1, +ko[3]);
    const t = Date.parse(String(text));
    return isNaN(t) ? null : t;
  }

  const sleep = (ms) => new Promise((r) => setTimeout(r, ms));
  // The first truthy value of test(), or null after timeout ms.
  async function waitFor(test, timeout, step = 50) {
    const end = Date.now() + timeout;
    for (;;) {
      const v = test();
      if (v) return v;
      if (Date.now() >= end) return null;
      await sleep(step);
    }
  }

  // A request or pause that ended early: kind 'stopped' (the owner's stop) or 'timeout'.
  class Halt extends Error {
    constructor(kind) { super(kind); this.kind = kind; }
  }
  const stopRequested = () => window.__vtxStop === true;

  // A pause that ends at once on a stop (throws Halt 'stopped').
  async function pause(ms, stopped = stopRequested) {
    const end = Date.now() + ms;
    for (;;) {
      if (stopped()) throw new Halt('stopped');
      const left = end - Date.now();
      if (left <= 0) return;
      await sleep(Math.min(100, left));
    }
  }

  // fetch() and its body text, bounded: gives up after timeoutMs (Halt 'timeout') and within
  // 100 ms of a stop (Halt 'stopped'), aborting the request in flight either way.
  async function fetchText(url, init, timeoutMs, stopped = stopRequested) {
    if (stopped()) throw new Halt('stopped');
    const abort = new AbortController();
    let why = null;
    const end = (kind) => { if (!why) { why = kind; abort.abort(); } };
    const timer = setTimeout(() => end('timeout'), timeoutMs);
    const watch = setInterval(() => { if (stopped()) end('stopped'); }, 100);
    try {
      const res = await fetch(url, Object.assign({}, init, { signal: abort.signal }));
      const text = await res.text();
      return { res, text };
    } catch (e) {
      if (why) throw new Halt(why);
      throw e;
    } finally {
      clearTimeout(timer);
      clearInterval(watch);
    }
  }

  // The time one scan may spend waiting on requests the site leaves unanswered, shared by all
  // the requests given it: each attempt that runs out of time spends what it waited, and once
  // the budget is gone they give up at once instead of each waiting its own time in turn. A
  // minute in all, and never more than a quarter of the time the app gives the whole scan
  // (opts.timeLimitMs), so that the scan still answers with what it has.
  const STALL_MS = 60000;
  class StallBudget {
    constructor(ms) { this.left = ms; }
    get gone() { return this.left <= 0; }
    spend(ms) { this.left -= Math.max(0, ms); }
  }
  const stallBudget = (opts) => {
    const limit = Number(opts && opts.timeLimitMs);
    return new StallBudget(limit > 0 ? Math.min(STALL_MS, limit / 4) : STALL_MS);
  };

  return { parse, sleep, waitFor, Halt, pause, fetchText, stopRequested, stallBudget };
})();
