// The functions the application calls: window.__vtx.{info, scan, remove, flag, reveal} and
// window.__vtxProgress. Site work is done by the adapter (VtxSite), verdicts by VtxSpam.
// An adapter gives: info(), collect(opts, ctx), and for deletion and marking refuseRemoval(url),
// parentOf(id), nodeById(id), findNode(id), removeOne(id, node), blocked() (optional),
// removeUnseen(id) (optional: deletes a comment the page does not show, or gives null),
// removePauseMs, shownComments() as [{id, node}], videoRef(url), and its message codes MSG.
(() => {
  const SAMPLE_COUNT = 6;
  // Progress texts as message codes; one with values travels as the JSON text of {code, args}.
  const MSG = {
    loading: 'progress.loading', collecting: 'progress.collecting', collectingOf: 'progress.collectingOf',
    checking: 'progress.checking', done: 'progress.done', deleting: 'progress.deleting',
    deleted: 'progress.deleted', deleteStopped: 'progress.deleteStopped',
  };
  const say = (code, ...args) => JSON.stringify({ code, args });
  let progress = null;
  let running = null;   // the operation in progress, so that a second one waits for it

  const snapshot = () => progress && JSON.parse(JSON.stringify(progress));
  window.__vtxProgress = snapshot;

  function toComment(raw, order, verdict) {
    const c = {
      id: String(raw.id), text: String(raw.text || ''), authorName: String(raw.authorName || ''),
      order, state: verdict.state, reason: verdict.reason, score: verdict.score,
      checked: verdict.state === 'spam', isOwner: !!raw.isOwner,
    };
    if (typeof raw.publishedAt === 'number' && isFinite(raw.publishedAt)) c.publishedAt = raw.publishedAt;
    if (typeof raw.likeCount === 'number' && isFinite(raw.likeCount)) c.likeCount = raw.likeCount;
    if (raw.avatar) c.avatar = String(raw.avatar);
    if (typeof raw.authorId === 'string' && raw.authorId.trim()) c.authorId = raw.authorId.trim();
    return c;
  }

  // One operation at a time per page: a new scan waits until the previous one has ended.
  async function exclusive(fn) {
    while (running) { try { await running; } catch (e) { /* the earlier caller gets its own error */ } }
    const p = fn();
    running = p;
    try { return await p; } finally { if (running === p) running = null; }
  }

  async function scan(opts) {
    opts = opts || {};
    return exclusive(async () => {
      window.__vtxStop = false;
      const started = performance.now();
      progress = { phase: 'collect', count: 0, total: 0, text: MSG.loading, samples: [], collected: 0, flagged: 0 };
      let flagged = 0;
      const ctx = {
        stopped: () => window.__vtxStop === true,
        progress: (count, total) => {
          progress.count = count;
          progress.total = Math.max(total || 0, count);
          progress.collected = count;
          progress.text = total ? say(MSG.collectingOf, count, total) : say(MSG.collecting, count);
        },
        sample: (raw, owners) => {
          const v = VtxSpam.judge(raw, opts, owners);
          if (v.state === 'spam') { flagged++; progress.flagged = flagged; }
          progress.samples.push(toComment(raw, progress.collected, v));
          if (progress.samples.length > SAMPLE_COUNT) progress.samples.shift();
        },
      };
      try {
        const r = await VtxSite.collect(opts, ctx);
        progress.phase = 'check';
        progress.text = MSG.checking;
        progress.count = 0;
        progress.total = r.items.length;
        const owners = new Set(r.owners || []);
        for (const raw of r.items) if (raw.isOwner && raw.authorName) owners.add(raw.authorName);
        const items = r.items.map((raw, i) => toComment(raw, i, VtxSpam.judge(raw, opts, owners)));
        const spam = items.filter((c) => c.state === 'spam').length;
        const out = { items, siteSorted: !!r.siteSorted, total: Number(r.total) || items.length, canRemove: !!r.canRemove, likesUnknown: !!r.likesUnknown };
        for (const k of ['caughtUp', 'complete', 'hidden', 'limited']) if (typeof r[k] === 'boolean') out[k] = r[k];
        // Only a collection that reached the end is complete; one that did not says why.
        if (typeof r.partial === 'string' && r.partial) { out.partial = r.partial; delete out.complete; }
        progress = { phase: 'done', count: items.length, total: out.total, text: out.partial || MSG.done, collected: items.length, flagged: spam,
          samples: items.filter((c) => c.state === 'spam').slice(0, SAMPLE_COUNT) };
        out.pageMs = Math.round((performance.now() - started) * 10) / 10;
        return out;
      } catch (e) {
        progress = null;
        throw e;
      }
    });
  }

  const { sleep } = VtxTime;

  // Deletes the chosen comments one by one through the owner's own controls, reporting each as it goes.
  async function removeEach(ids, url, ctx) {
    const SITE = VtxSite.MSG;
    const refused = VtxSite.refuseRemoval(url);
    if (refused) return { gone: [], stopped: refused };
    const gone = [];
    const missing = [];
    for (let i = 0; i < ids.length; i++) {
      const id = ids[i];
      if (window.__vtxStop) return { gone, stopped: { text: SITE.cancelled, kind: 'cancelled' } };
      ctx.progress(i, ids.length);
      // A removed thread took its replies with it.
      const parent = VtxSite.parentOf(id);
      if (parent && gone.includes(parent) && !VtxSite.nodeById(id)) { gone.push(id); ctx.gone(id); continue; }
      // One the page does not show goes by the site's own request when the scan saw what that
      // needs, instead of loading the list down to it.
      let r = null;
      if (VtxSite.removeUnseen && !VtxSite.nodeById(id)) {
        const blocked = VtxSite.blocked ? VtxSite.blocked() : null;
        if (blocked) return { gone, stopped: blocked };
        r = await VtxSite.removeUnseen(id);
      }
      if (!r) {
        const node = await VtxSite.findNode(id);
        if (window.__vtxStop) return { gone, stopped: { text: SITE.cancelled, kind: 'cancelled' } };
        const blocked = VtxSite.blocked ? VtxSite.blocked() : null;
        if (blocked) return { gone, stopped: blocked };
        if (!node) { missing.push(id); continue; }
        r = await VtxSite.removeOne(id, node);
      }
      if (r.stop) return { gone, stopped: r.stop };
      gone.push(id);
      ctx.gone(id);
      await ctx.taken();
      await sleep(VtxSite.removePauseMs);
    }
    ctx.progress(ids.length, ids.length);
    if (missing.length) return { gone, stopped: { text: SITE.notFound, kind: 'error' } };
    return { gone };
  }

  const FLAG_STYLE = 'outline: 2px solid #e5484d; outline-offset: 2px; border-radius: 6px;';
  function flag(ids) {
    for (const n of document.querySelectorAll('[data-vtx-flag]')) {
      n.removeAttribute('data-vtx-flag');
      n.style.outline = '';
      n.style.outlineOffset = '';
    }
    const want = new Set(ids.map(String));
    let any = false;
    for (const { id, node } of VtxSite.shownComments()) {
      if (id && want.has(id)) { node.setAttribute('data-vtx-flag', '1'); node.style.cssText += FLAG_STYLE; any = true; }
    }
    return any;
  }

  async function reveal(id) {
    const node = VtxSite.nodeById(id) || await VtxSite.findNode(id);
    if (!node) return false;
    node.scrollIntoView({ block: 'center', behavior: 'smooth' });
    node.animate([{ backgroundColor: 'rgba(255, 214, 10, 0.45)' }, { backgroundColor: 'transparent' }], { duration: 1600 });
    return true;
  }

  // How many of the reported deletions the application has recorded (window.__vtxAck).
  let acked = 0;
  window.__vtxAck = (n) => { if (typeof n === 'number' && n > acked) acked = n; };

  async function remove(ids, url, opts) {
    ids = Array.isArray(ids) ? ids.map(String) : [];
    const ackMs = opts && typeof opts.ackMs === 'number' && opts.ackMs > 0 ? opts.ackMs : 0;
    return exclusive(async () => {
      window.__vtxStop = false;
      acked = 0;
      const gone = [];
      progress = { phase: 'delete', count: 0, total: ids.length, text: say(MSG.deleting, 0, ids.length), gone };
      const ctx = {
        progress: (count, total) => { progress.count = count; progress.total = total; progress.text = say(MSG.deleting, count, total); },
        gone: (id) => { gone.push(id); progress.count = gone.length; progress.text = say(MSG.deleting, gone.length, ids.length); },
        // With ackMs, the next deletion waits until the application has recorded this one (a
        // while at most), so that a crash loses no more than the one in flight.
        taken: async () => {
          const until = performance.now() + ackMs;
          while (ackMs && acked < gone.length && !window.__vtxStop && performance.now() < until) await sleep(20);
        },
      };
      try {
        const r = await removeEach(ids, url, ctx);
        const out = { gone: Array.from(new Set(r.gone.map(String))) };
        if (r.stopped) out.stopped = { text: String(r.stopped.text), kind: String(r.stopped.kind) };
        progress = { phase: 'done', count: out.gone.length, total: ids.length, text: MSG.deleted, gone: out.gone };
        return out;
      } catch (e) {
        progress = { phase: 'done', count: gone.length, total: ids.length, text: MSG.deleteStopped, gone: gone.slice() };
        throw e;
      }
    });
  }

  window.__vtx = {
    info: () => VtxSite.info(),
    scan,
    remove,
    flag: async (ids, url) => {
      const v = VtxSite.videoRef ? VtxSite.videoRef(url) : null;
      const here = VtxSite.videoRef ? VtxSite.videoRef() : null;
      if (VtxSite.videoRef && (!v || !here || v.id !== here.id)) return false;
      return flag(Array.isArray(ids) ? ids : []);
    },
    reveal: (id) => reveal(String(id)),
  };
})();
