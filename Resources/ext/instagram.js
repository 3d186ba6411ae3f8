// Instagram adapter: reads the open post or reel, collects its comments from the site's own
// REST answers (the requests the page makes for a signed-in viewer) and falls back to the
// rendered comment list; deletes and marks comments through the page's own comment controls.
const VtxSite = (() => {
  // Message codes, not sentences: the application shows each in the owner's language.
  const MSG = {
    intro: 'instagram.intro',
    guide: 'instagram.guide',
    empty: 'instagram.empty',
    readOnly: 'instagram.readOnly',
    unsupported: 'unsupported',
    notFound: 'notFound',
    pageChanged: 'pageChanged',
    signIn: 'signIn',
    noOptions: 'instagram.noOptions',
    noDelete: 'instagram.noDelete',
    notGone: 'notGone',
    cancelled: 'cancelled',
    // Why a collection ended before the end the site reports.
    partialData: 'partialData',
    partialReplies: 'partialReplies',
    partialStopped: 'partialStopped',
  };
  const WEB_APP_ID = '936619743392459';

  const { waitFor, Halt, pause, fetchText } = VtxTime;
  const stopped = VtxTime.stopRequested;
  const isStop = (e) => e instanceof Halt && e.kind === 'stopped';
  // Each attempt of a data request gives up after this long; a stop ends it at once.
  const REQUEST_MS = 10000;

  // ---- the page ------------------------------------------------------------------------

  // /p/<code>/, /reel/<code>/, /reels/<code>/, also under /<username>/.
  function postRef(href) {
    let u;
    try { u = new URL(href || location.href, location.href); } catch (e) { return null; }
    if (!/(^|\.)instagram\.com$/.test(u.hostname)) return null;
    const m = u.pathname.match(/^\/(?:[A-Za-z0-9._]{1,30}\/)?(p|reels?|tv)\/([A-Za-z0-9_-]{5,})\/?/);
    if (!m) return null;
    return { id: m[2], reel: m[1] !== 'p' };
  }
  const canonical = (p) => 'https://www.instagram.com/' + (p.reel ? 'reel/' : 'p/') + p.id + '/';

  const cookie = (name) => {
    const m = document.cookie.match(new RegExp('(?:^|;\\s*)' + name + '=([^;]*)'));
    return m ? decodeURIComponent(m[1]) : '';
  };
  const viewerId = () => cookie('ds_user_id');
  const loggedIn = () => /^\d+$/.test(viewerId());

  // The page's own JSON blobs (script type="application/json"); page globals are out of reach
  // from this world, the script texts are not.
  let blobCache = null;
  function blobs() {
    if (blobCache && blobCache.doc === document && blobCache.n === document.scripts.length) return blobCache.list;
    const list = [];
    for (const s of document.querySelectorAll('script[type="application/json"]')) {
      const text = s.textContent || '';
      if (text.length < 2) continue;
      try { list.push(JSON.parse(text)); } catch (e) { /* not ours */ }
    }
    blobCache = { doc: document, n: document.scripts.length, list };
    return list;
  }
  function findObjects(obj, test, out = [], depth = 0) {
    if (!obj || typeof obj !== 'object' || depth > 80) return out;
    if (Array.isArray(obj)) { for (const x of obj) findObjects(x, test, out, depth + 1); return out; }
    if (test(obj)) out.push(obj);
    for (const k in obj) { const v = obj[k]; if (v && typeof v === 'object') findObjects(v, test, out, depth + 1); }
    return out;
  }
  function pageText() {
    let s = '';
    for (const el of document.querySelectorAll('script:not([src])')) s += el.textContent + '\n';
    return s;
  }
  function appId() {
    const m = pageText().match(/"(?:X-IG-App-ID|appId|APP_ID|app_id)"\s*:\s*"(\d{6,})"/);
    return m ? m[1] : WEB_APP_ID;
  }
  function csrfToken() {
    const c = cookie('csrftoken');
    if (c) return c;
    const m = pageText().match(/"csrf_token"\s*:\s*"([^"]+)"/);
    return m ? m[1] : '';
  }

  // The media object of the open post in the page's data: {pk, ownerId, count, caption, thumb}.
  function mediaFromPage(code) {
    for (const b of blobs()) {
      const found = findObjects(b, (o) => o.code === code && (o.pk || o.id));
      for (const o of found) {
        const pk = String(o.pk || o.id).split('_')[0];
        if (!/^\d+$/.test(pk)) continue;
        const owner = o.user || o.owner || {};
        const cand = ((o.image_versions2 || {}).candidates || [])[0];
        return { pk, ownerId: owner.pk || owner.id ? String(owner.pk || owner.id) : '', ownerName: owner.username || '',
          count: typeof o.comment_count === 'number' ? o.comment_count : null, thumb: cand && cand.url };
      }
    }
    return null;
  }
  // Shortcodes are the media id in base 64 (private posts carry 28 more characters).
  function pkFromCode(code) {
    const ABC = 'ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_';
    let c = code.length > 28 ? code.slice(0, code.length - 28) : code;
    c = c.slice(0, 11);
    let n = 0n;
    for (const ch of c) {
      const i = ABC.indexOf(ch);
      if (i < 0) return null;
      n = n * 64n + BigInt(i);
    }
    return n.toString();
  }

  // The site asks for a sign-in or a check.
  class Blocked extends Error {
    constructor(why) { super(MSG.signIn); this.why = why; }
  }
  class ApiError extends Error {
    constructor(status, body) { super('HTTP ' + status); this.status = status; this.body = body; }
  }
  // Ids are 17 to 19 digits: written as bare numbers they would lose their last digits.
  const parseJson = (text) => JSON.parse(text.replace(/("(?:pk|id|pk_id|media_id|user_id|parent_comment_id|next_max_id|next_min_id)"\s*:\s*)(\d{16,})(?=\s*[,}\]])/g, '$1"$2"'));
  let wwwClaim = '0';
  const BLOCK_WORDS = /^(login_required|checkpoint_required|challenge_required|feedback_required|consent_required)$/;
  // options: method, body; once (a write: one attempt only, so that its outcome is known); budget
  // (a stall budget: attempts wait no longer than what is left of it, and none is made once it
  // is gone, Halt 'timeout').
  async function api(path, options = {}) {
    const headers = { 'X-IG-App-ID': appId(), 'X-Requested-With': 'XMLHttpRequest', 'X-ASBD-ID': '129477', 'X-IG-WWW-Claim': wwwClaim,
      'Accept': '*/*' };
    const csrf = csrfToken();
    if (csrf) headers['X-CSRFToken'] = csrf;
    if (options.method === 'POST') headers['Content-Type'] = 'application/x-www-form-urlencoded';
    const budget = options.budget;
    const gaveUp = options.once ? () => false : budget ? () => stopped() || budget.gone : stopped;
    let lastError = null;
    for (let attempt = 0; attempt < (options.once ? 1 : 3); attempt++) {
      if (budget && budget.gone) throw new Halt('timeout');
      const started = Date.now();
      let got;
      try {
        got = await fetchText('/api/v1/' + path, { method: options.method || 'GET', credentials: 'include', headers, body: options.body },
          budget ? Math.max(1, Math.min(REQUEST_MS, budget.left)) : REQUEST_MS, gaveUp);
      } catch (e) {
        if (isStop(e) && stopped()) throw e;
        if (e instanceof Halt && budget) {
          budget.spend(Date.now() - started);
          if (budget.gone) throw new Halt('timeout');
        }
        lastError = e;
        if (options.once) break;
        await pause(400 * (attempt + 1));
        continue;
      }
      const res = got.res;
      const claim = res.headers.get('x-ig-set-www-claim');
      if (claim) wwwClaim = claim;
      if (res.redirected && /\/(accounts\/login|challenge)\//.test(res.url)) throw new Blocked('redirect');
      let body = null;
      try { body = parseJson(got.text); } catch (e) { body = null; }
      const word = body && (body.message || body.error_type);
      if (body && (body.require_login || body.checkpoint_url || body.challenge || BLOCK_WORDS.test(String(word || '')))) throw new Blocked(String(word || 'login'));
      if (res.ok && body && body.status !== 'fail') return body;
      lastError = new ApiError(res.status, body);
      if (options.once) break;
      // An answer that is no JSON (an error page sent with 200, a cut-off body) is tried again.
      if (res.ok && !body) { await pause(1000 * (attempt + 1)); continue; }
      if (res.status !== 429 && res.status < 500) break;
      await pause(1000 * (attempt + 1));
    }
    throw lastError;
  }

  let mediaCache = null;
  async function media(p) {
    if (mediaCache && mediaCache.code === p.id && mediaCache.doc === document) return mediaCache.m;
    let m = mediaFromPage(p.id);
    if ((!m || !m.ownerId) && loggedIn()) {
      const pk = (m && m.pk) || pkFromCode(p.id);
      try {
        const info = await api('media/' + pk + '/info/');
        const item = (info.items || [])[0];
        if (item) {
          const owner = item.user || item.owner || {};
          const cand = ((item.image_versions2 || {}).candidates || [])[0];
          m = { pk: String(item.pk || pk).split('_')[0], ownerId: String(owner.pk || owner.id || ''), ownerName: owner.username || '',
            count: typeof item.comment_count === 'number' ? item.comment_count : null, thumb: cand && cand.url };
        }
      } catch (e) {
        if (e instanceof Blocked || isStop(e)) throw e;
      }
    }
    if (!m) m = { pk: pkFromCode(p.id), ownerId: '', ownerName: '', count: null };
    mediaCache = { code: p.id, doc: document, m };
    return m;
  }
  const owns = (m) => loggedIn() && !!m.ownerId && m.ownerId === viewerId();

  // ---- reading comments from the site's data ---------------------------------------------

  // A user's id: the text forms first, since a number this long may not survive as one.
  function userIdOf(user) {
    for (const v of [user.pk_id, user.id, user.pk]) {
      if (typeof v === 'string' && /^\d+$/.test(v)) return v;
      if (typeof v === 'number' && Number.isSafeInteger(v) && v > 0) return String(v);
    }
    return undefined;
  }

  function fromApi(c, m, parent) {
    const user = c.user || {};
    return {
      id: String(c.pk || c.id),
      parent: parent || '',
      text: String(c.text || ''),
      authorName: String(user.username || ''),
      authorId: userIdOf(user),
      publishedAt: typeof c.created_at === 'number' ? c.created_at * 1000 : VtxTime.parse(c.created_at_utc || c.created_at),
      likeCount: typeof c.comment_like_count === 'number' ? c.comment_like_count : undefined,
      isOwner: !!(m.ownerId && String(user.pk || user.id || '') === m.ownerId),
      avatar: user.profile_pic_url || undefined,
      replies: typeof c.child_comment_count === 'number' ? c.child_comment_count : 0,
      preview: Array.isArray(c.preview_child_comments) ? c.preview_child_comments : [],
      siteSpam: false,
    };
  }

  async function repliesOf(m, thread, onReply, stopped, budget) {
    // Preview replies come with the thread; the rest page by page.
    for (const r of thread.preview) onReply(fromApi(r, m, thread.id));
    if (thread.replies <= thread.preview.length) return;
    // The site pages replies from the tail (max_id) or from the head (min_id); each cursor goes
    // back in its own parameter.
    let cursor = '', key = '';
    for (let guard = 0; guard < 500; guard++) {
      if (stopped()) return;
      const q = cursor ? '?' + key + '=' + encodeURIComponent(cursor) : '';
      const page = await api('media/' + m.pk + '/comments/' + thread.id + '/child_comments/' + q, { budget });
      for (const r of page.child_comments || []) onReply(fromApi(r, m, thread.id));
      const tail = page.has_more_tail_child_comments && page.next_max_child_cursor;
      const next = tail || page.has_more_head_child_comments && page.next_min_child_cursor || '';
      if (!next || next === cursor) return;
      key = tail ? 'max_id' : 'min_id';
      cursor = String(next);
    }
  }

  async function collectFromData(p, opts, ctx) {
    const m = await media(p);
    const limit = Number(opts.limit) > 0 ? Number(opts.limit) : Infinity;
    const known = new Set(Array.isArray(opts.known) ? opts.known.map(String) : []);
    const need = new Set(Array.isArray(opts.need) ? opts.need.map(String) : []);
    const stopAtKnown = Number(opts.stopAtKnown) > 0 && known.size ? Number(opts.stopAtKnown) : 0;
    const result = { items: [], siteSorted: false, total: m.count || 0, canRemove: owns(m), likesUnknown: false,
      owners: new Set(m.ownerName ? [m.ownerName] : []) };
    const seen = new Set();
    let stoppedEarly = false, knownSeen = 0;
    let partial = '';
    // Newest first holds while every thread is no newer than the one before it.
    let newestFirst = true, lastTime = Infinity;
    const add = (c) => {
      if (!c.id || seen.has(c.id)) return false;
      if (result.items.length >= limit) { result.limited = true; stoppedEarly = true; return false; }
      seen.add(c.id);
      need.delete(c.id);
      result.items.push(c);
      ctx.sample(c, result.owners);
      return true;
    };

    // Reply requests the site leaves unanswered share one budget of waiting: once it is spent the
    // remaining threads keep the replies that came with them.
    const budget = VtxTime.stallBudget(opts);
    let cursor = '', direction = '';
    // Cursors sometimes run in a circle: one seen before, or pages that bring no comment not
    // seen yet, end the list.
    const usedCursors = new Set();
    let idlePages = 0;
    for (let guard = 0; guard < 100000; guard++) {
      if (ctx.stopped()) { stoppedEarly = true; break; }
      const before = result.items.length;
      let q = '?can_support_threading=true&permalink_enabled=false';
      if (cursor) q += '&' + direction + '=' + encodeURIComponent(cursor);
      let page;
      try {
        page = await api('media/' + m.pk + '/comments/' + q);
      } catch (e) {
        // A later page that fails keeps what was read and says so; the first one lets the page
        // route try.
        if (isStop(e)) { stoppedEarly = true; break; }
        if (guard === 0 || e instanceof Blocked) throw e;
        partial = MSG.partialData;
        break;
      }
      if (guard === 0 && typeof page.comment_count === 'number') result.total = page.comment_count;
      const threads = (page.comments || []).map((c) => fromApi(c, m, ''));
      const fresh = [];
      for (const t of threads) {
        if (typeof t.publishedAt === 'number') {
          if (t.publishedAt > lastTime) newestFirst = false;
          lastTime = t.publishedAt;
        }
        if (!add(t)) { if (result.limited) break; continue; }
        fresh.push(t);
        if (known.has(t.id)) knownSeen++;
      }
      // Replies of this page's threads, a few threads at a time.
      let next = 0;
      const worker = async () => {
        while (next < fresh.length && !result.limited) {
          const t = fresh[next++];
          const list = [];
          try {
            await repliesOf(m, t, (r) => list.push(r), ctx.stopped, budget);
          } catch (e) {
            // One thread's replies that would not load leave the collection incomplete, not failed.
            if (e instanceof Blocked) throw e;
            if (isStop(e) && stopped()) stoppedEarly = true;
            else if (!partial) partial = MSG.partialReplies;
          }
          // Replies stay right after their thread in the collection order.
          for (const r of list) {
            if (seen.has(r.id)) continue;
            if (result.items.length >= limit) { result.limited = true; stoppedEarly = true; break; }
            seen.add(r.id); need.delete(r.id);
            const at = result.items.findIndex((x) => x.id === t.id);
            let end = at + 1;
            while (end < result.items.length && result.items[end].parent === t.id) end++;
            result.items.splice(end, 0, r);
            ctx.sample(r, result.owners);
          }
          ctx.progress(result.items.length, result.total);
        }
      };
      await Promise.all([worker(), worker(), worker(), worker()]);
      ctx.progress(result.items.length, result.total);
      if (result.limited) break;
      if (stopAtKnown && newestFirst && knownSeen >= stopAtKnown && need.size === 0) { result.caughtUp = true; break; }
      const headload = page.has_more_headload_comments && page.next_min_id;
      const tail = page.has_more_comments && page.next_max_id;
      const nextCursor = headload ? page.next_min_id : tail ? page.next_max_id : '';
      idlePages = result.items.length === before ? idlePages + 1 : 0;
      if (!nextCursor || idlePages >= 3) break;
      direction = headload ? 'min_id' : 'max_id';
      cursor = typeof nextCursor === 'string' ? nextCursor : JSON.stringify(nextCursor);
      if (usedCursors.has(direction + cursor)) break;
      usedCursors.add(direction + cursor);
    }
    if (ctx.stopped()) stoppedEarly = true;
    result.siteSorted = !!opts.sortNewest && newestFirst && result.items.length > 0;
    if (partial) result.partial = partial;
    else if (stoppedEarly && !result.limited) result.partial = MSG.partialStopped;
    if (!stoppedEarly && !result.caughtUp && !partial) result.complete = true;
    if (!result.total) result.total = result.items.length;
    return result;
  }

  // ---- the rendered comment list ---------------------------------------------------------

  // Every comment carries a link to itself: /p/<code>/c/<id>/ (a reply: .../c/<parent>/r/<id>/).
  const PERMALINK = /\/(?:p|reels?|tv)\/[A-Za-z0-9_-]+\/c\/(\d+)(?:\/r\/(\d+))?\/?/;
  function permalinks(scope) {
    return Array.from((scope || document).querySelectorAll('a[href*="/c/"]')).filter((a) => PERMALINK.test(a.getAttribute('href') || ''));
  }
  function idOfLink(a) {
    const m = PERMALINK.exec(a.getAttribute('href') || '');
    return m ? { id: m[2] || m[1], parent: m[2] ? m[1] : '' } : null;
  }
  // The comment's own block: the largest ancestor that holds no other comment's link.
  function blockOf(a) {
    let node = a;
    while (node.tagName !== 'LI' && node.parentElement && node.parentElement !== document.body) {
      const links = permalinks(node.parentElement);
      if (links.length !== 1) break;
      node = node.parentElement;
    }
    return node;
  }
  function commentNodes() {
    const out = [];
    for (const a of permalinks(document)) {
      const ref = idOfLink(a);
      if (ref) out.push({ ref, node: blockOf(a), link: a });
    }
    return out;
  }
  function nodeById(id) {
    for (const c of commentNodes()) if (c.ref.id === id) return c.node;
    return null;
  }

  function parseCount(text) {
    const s = String(text || '').replace(/\s/g, '');
    const exact = s.match(/\d[\d,.]*/);
    if (!exact) return null;
    const unit = s.match(/\d[\d,.]*(k|m|천|만)/i);
    if (!unit) return parseInt(exact[0].replace(/[,.]/g, ''), 10);
    const n = parseFloat(exact[0].replace(/,/g, ''));
    return Math.round(n * { k: 1e3, m: 1e6, 천: 1e3, 만: 1e4 }[unit[1].toLowerCase()]);
  }
  const LIKES_TEXT = /^(?:([\d,.]+\s*[KkMm천만]?)\s*(?:likes?|me gusta|j’aime|j'aime|gefällt|curtidas?)|좋아요\s*([\d,.]+\s*[천만]?)\s*개)$/;
  function readNode(entry, now) {
    const node = entry.node;
    const profile = Array.from(node.querySelectorAll('a[href^="/"]')).find((a) => /^\/[A-Za-z0-9._]{1,30}\/$/.test(a.getAttribute('href')) && a.textContent.trim());
    const authorName = profile ? profile.getAttribute('href').slice(1, -1) : '';
    let likes = 0;
    let text = '';
    for (const el of node.querySelectorAll('span, button, div[role="button"]')) {
      const t = el.textContent.trim();
      const lm = LIKES_TEXT.exec(t);
      if (lm && el.children.length <= 1) { const n = parseCount(lm[1] || lm[2]); if (n !== null) likes = n; }
    }
    for (const el of node.querySelectorAll('span[dir="auto"], h1[dir="auto"], div[dir="auto"]')) {
      // Links, buttons ("Reply", "See translation") and the time are not the text.
      const control = el.closest('a, button, time, [role="button"]');
      if (control && control !== node && node.contains(control)) continue;
      const t = el.textContent.trim();
      if (t.length > text.length && !LIKES_TEXT.test(t)) text = t;
    }
    const time = node.querySelector('time[datetime]');
    const avatar = node.querySelector('img[src^="http"]');
    return {
      id: entry.ref.id, parent: entry.ref.parent, text, authorName,
      publishedAt: time ? VtxTime.parse(time.getAttribute('datetime')) : undefined,
      likeCount: likes, isOwner: false, avatar: avatar ? avatar.src : undefined, siteSpam: false,
    };
  }

  const labelled = (re) => Array.from(document.querySelectorAll('svg[aria-label], [aria-label]'))
    .filter((e) => re.test(e.getAttribute('aria-label') || '')).map((e) => e.closest('button, [role="button"]') || e);
  const texted = (re) => Array.from(document.querySelectorAll('button, [role="button"]')).filter((b) => re.test(b.textContent.trim()));
  const LOAD_MORE = /^(load more comments|댓글 더 읽어들이기|더 많은 댓글 (보기|로드하기)|cargar más comentarios|weitere kommentare laden|charger d’autres commentaires)$/i;
  const VIEW_REPLIES = /^(view (all )?(\d+ )?repl(y|ies)( \(\d+\))?|답글 보기\s*\(?\d*개?\)?|ver (las )?respuestas.*|antworten ansehen.*|afficher les réponses.*)$/i;
  const VIEW_HIDDEN = /^(view hidden comments|숨겨진 댓글 보기)$/i;
  const visible = (el) => el && el.isConnected && !el.closest('[hidden], [aria-hidden="true"]');

  async function clickAndWait(button, before) {
    button.scrollIntoView({ block: 'center' });
    button.click();
    return !!(await waitFor(() => commentNodes().length !== before || !button.isConnected || stopped(), 8000));
  }
  // One more step of the rendered list: hidden comments, replies, then more comments.
  // threadsOnly leaves the replies closed (when looking for a thread).
  // Gives 'grew', 'end' (nothing more to open), 'stalled' (the page did not load it in time)
  // or 'stopped'.
  async function loadMore(threadsOnly) {
    const before = commentNodes().length;
    const hidden = texted(VIEW_HIDDEN).find(visible);
    const replies = threadsOnly ? null : texted(VIEW_REPLIES).find(visible);
    const more = labelled(LOAD_MORE).find(visible) || texted(LOAD_MORE).find(visible);
    const button = hidden || replies || more;
    if (!button) return 'end';
    const grew = await clickAndWait(button, before);
    if (stopped()) return 'stopped';
    return grew ? 'grew' : 'stalled';
  }

  // A reel shows its comments in a sheet opened by its comment button.
  async function openComments() {
    if (commentNodes().length) return;
    const button = labelled(/^(comment|comments|댓글 달기|댓글|comentar|kommentieren|commenter)$/i).find(visible);
    if (!button) return;
    button.click();
    await waitFor(() => commentNodes().length > 0, 3000);
  }

  async function collectFromPage(p, opts, ctx) {
    await openComments();
    const now = Date.now();
    const limit = Number(opts.limit) > 0 ? Number(opts.limit) : Infinity;
    let m = null;
    try { m = await media(p); } catch (e) { m = null; }
    const result = { items: [], siteSorted: false, total: (m && m.count) || 0, canRemove: !!m && owns(m), likesUnknown: false,
      owners: new Set(m && m.ownerName ? [m.ownerName] : []), hidden: document.hidden || undefined };
    await waitFor(() => commentNodes().length > 0, 3000);
    const seen = new Set();
    let stoppedEarly = false;
    let partial = '';
    for (let guard = 0; guard < 5000; guard++) {
      for (const entry of commentNodes()) {
        if (seen.has(entry.ref.id)) continue;
        if (result.items.length >= limit) { result.limited = true; break; }
        const c = readNode(entry, now);
        if (m && m.ownerName && c.authorName === m.ownerName) {
          c.isOwner = true;
          if (m.ownerId) c.authorId = m.ownerId;
        }
        seen.add(c.id);
        result.items.push(c);
        ctx.sample(c, result.owners);
      }
      ctx.progress(result.items.length, result.total);
      if (result.limited || ctx.stopped()) { stoppedEarly = true; break; }
      const step = await loadMore();
      if (step === 'stopped') { stoppedEarly = true; break; }
      if (step === 'stalled') { partial = MSG.partialData; break; }
      if (step === 'end') break;
    }
    // Keep each reply right after its thread, in page order otherwise.
    const order = new Map(result.items.map((c, i) => [c.id, i]));
    const key = (c) => c.parent && order.has(c.parent) ? [order.get(c.parent), 1, order.get(c.id)] : [order.get(c.id), 0, 0];
    result.items.sort((a, b) => { const x = key(a), y = key(b); return x[0] - y[0] || x[1] - y[1] || x[2] - y[2]; });
    // The page says there are comments but shows none: not an empty success.
    if (!result.items.length && result.total > 0 && !ctx.stopped()) throw new Error(MSG.empty);
    if (ctx.stopped()) stoppedEarly = true;
    if (partial) result.partial = partial;
    else if (stoppedEarly && !result.limited) result.partial = MSG.partialStopped;
    if (!stoppedEarly && !partial) result.complete = true;
    if (!result.total) result.total = result.items.length;
    return result;
  }

  // ---- operations ------------------------------------------------------------------------

  // The post's picture: from its media data, else the page's og:image while that page is this
  // post (a post opened from the profile grid keeps the profile's document and its og:image).
  function thumbnail(p, m) {
    if (m && typeof m.thumb === 'string' && m.thumb.startsWith('https://')) return m.thumb;
    const og = document.querySelector('meta[property="og:image"]');
    const ogUrl = document.querySelector('meta[property="og:url"]');
    const u = og && og.getAttribute('content');
    const here = ogUrl && postRef(ogUrl.getAttribute('content') || '');
    return u && u.startsWith('https://') && here && here.id === p.id ? u : undefined;
  }

  async function info() {
    const p = postRef();
    const base = { site: 'instagram', supported: false, canRemove: false, intro: MSG.intro, guide: MSG.guide, emptyText: MSG.empty,
      readOnlyHint: MSG.readOnly, url: location.href };
    if (!p) return base;
    let m = null;
    try { m = await media(p); } catch (e) { m = null; }
    const out = Object.assign(base, { supported: true, canRemove: !!m && owns(m), url: canonical(p) });
    const thumb = thumbnail(p, m);
    if (thumb) out.thumbnail = thumb;
    return out;
  }

  // Thread ids by reply id, from the last collection (the rendered list shows no such link).
  let parents = new Map();
  let threads = new Set();
  let collectedOn = '';

  async function collect(opts, ctx) {
    const p = postRef();
    if (!p) throw new Error(MSG.unsupported);
    let result = null;
    if (loggedIn()) {
      try { result = await collectFromData(p, opts, ctx); }
      catch (e) {
        if (e instanceof Blocked) throw e;
        // Stopped before anything was read: nothing to fall back on.
        result = isStop(e) ? { items: [], siteSorted: false, total: 0, canRemove: false, likesUnknown: false, owners: new Set(),
                               partial: MSG.partialStopped } : null;
      }
    }
    if (!result) result = await collectFromPage(p, opts, ctx);
    const now = postRef();
    if (!now || now.id !== p.id) throw new Error(MSG.pageChanged);
    collectedOn = p.id;
    parents = new Map(result.items.filter((c) => c.parent).map((c) => [c.id, c.parent]));
    threads = new Set(result.items.filter((c) => !c.parent).map((c) => c.id));
    result.likesUnknown = result.items.length > 0 && result.items.every((c) => typeof c.likeCount !== 'number');
    return result;
  }

  function signInShown() {
    if (/^\/(accounts\/login|challenge)\//.test(location.pathname)) return true;
    return !!Array.from(document.querySelectorAll('[role="dialog"]')).find((d) => visible(d)
      && (d.querySelector('a[href*="/accounts/login"], input[name="username"], a[href*="/challenge/"]')));
  }
  const DELETE_WORDS = ['delete', '삭제', 'eliminar', 'löschen', 'supprimer', 'excluir', 'elimina', 'verwijderen', '削除', '删除', '刪除'];
  const isDelete = (b) => { const t = b.textContent.trim().toLowerCase(); return DELETE_WORDS.some((w) => t === w || t.startsWith(w + ' ')); };
  const dialogs = () => Array.from(document.querySelectorAll('[role="dialog"]')).filter(visible);
  // Menus and confirmations: dialogs that hold no comments (a post opened from the grid is
  // itself a dialog, with the comment list in it).
  const dialogButtons = () => dialogs().filter((d) => !permalinks(d).length)
    .flatMap((d) => Array.from(d.querySelectorAll('button, [role="button"]')).filter((b) => !b.closest('[role="dialog"]') || b.closest('[role="dialog"]') === d));
  const closeDialogs = () => {
    const cancel = dialogButtons().find((b) => /^(cancel|취소|cancelar|abbrechen|annuler)$/i.test(b.textContent.trim()));
    if (cancel) cancel.click();
    else document.dispatchEvent(new KeyboardEvent('keydown', { key: 'Escape', bubbles: true }));
  };
  const OPTIONS = /^(comment options|댓글 옵션|opciones del comentario|kommentaroptionen|options du commentaire|opções de comentário|more options|옵션 더 보기)$/i;

  async function findNode(id) {
    let node = nodeById(id);
    if (node) return node;
    await openComments();
    const parent = parents.get(id);
    for (let guard = 0; guard < 3000; guard++) {
      if (window.__vtxStop) return null;
      if (parent) {
        const p = nodeById(parent);
        if (p) {
          // Open this thread's replies until the reply shows.
          const box = p.parentElement ? p.parentElement : p;
          const button = Array.from(box.querySelectorAll('button, [role="button"]')).find((b) => VIEW_REPLIES.test(b.textContent.trim()) && visible(b));
          if (button && await clickAndWait(button, commentNodes().length)) { node = nodeById(id); if (node) return node; continue; }
        }
      }
      if ((await loadMore(!!parent || threads.has(id))) !== 'grew') break;
      node = nodeById(id);
      if (node) return node;
    }
    return nodeById(id);
  }

  // The comment's controls show while the pointer is over it.
  function hover(node) {
    const link = permalinks(node)[0] || node;
    link.dispatchEvent(new MouseEvent('mouseover', { bubbles: true }));
    link.dispatchEvent(new MouseEvent('mousemove', { bubbles: true }));
    for (let e = link; e; e = e === node ? null : e.parentElement) e.dispatchEvent(new MouseEvent('mouseenter', { bubbles: false }));
  }

  async function removeOne(id, node) {
    node.scrollIntoView({ block: 'center' });
    hover(node);
    const button = await waitFor(() => Array.from(node.querySelectorAll('svg[aria-label], [aria-label]'))
      .filter((e) => OPTIONS.test(e.getAttribute('aria-label') || '')).map((e) => e.closest('button, [role="button"]') || e)[0], 1500);
    if (!button) return { stop: { text: MSG.noOptions, kind: 'error' } };
    button.click();
    const opened = await waitFor(() => signInShown() ? 'signin' : dialogButtons().length ? 'menu' : null, 4000);
    if (opened === 'signin') return { stop: { text: MSG.signIn, kind: 'blocked' } };
    if (!opened) return { stop: { text: MSG.noOptions, kind: 'error' } };
    const del = dialogButtons().find(isDelete);
    if (!del) { closeDialogs(); return { stop: { text: MSG.noDelete, kind: 'error' } }; }
    del.click();
    // Some versions confirm once more with a second Delete.
    let confirmed = false;
    const outcome = await waitFor(() => {
      if (!nodeById(id)) return 'gone';
      if (signInShown()) return 'signin';
      if (!confirmed) {
        const again = dialogButtons().find((b) => b !== del && isDelete(b));
        if (again) { confirmed = true; again.click(); }
      }
      return null;
    }, 8000);
    if (outcome === 'signin') return { stop: { text: MSG.signIn, kind: 'blocked' } };
    if (outcome !== 'gone') { closeDialogs(); return { stop: { text: MSG.notGone, kind: 'error' } }; }
    return { gone: true };
  }

  // A comment the page does not show, seen by the last collection of this post: the Delete of the
  // comment options sent as the page sends it (null for a comment the collection did not see).
  async function removeUnseen(id) {
    const p = postRef();
    if (!p || p.id !== collectedOn || !(threads.has(id) || parents.has(id))) return null;
    try {
      const m = await media(p);
      if (!m.pk) return null;
      await api('web/comments/' + m.pk + '/delete/' + id + '/', { method: 'POST', body: '', once: true });
    } catch (e) {
      if (e instanceof Blocked) return { stop: { text: MSG.signIn, kind: 'blocked' } };
      if (e instanceof ApiError && e.status === 403) return { stop: { text: MSG.noDelete, kind: 'error' } };
      return { stop: { text: MSG.notGone, kind: 'error' } };
    }
    threads.delete(id);
    parents.delete(id);
    return { gone: true };
  }

  // Deletion may start only on the post it was asked for, by a signed-in owner.
  function refuseRemoval(url) {
    const p = postRef(), target = postRef(url);
    if (!p || !target || p.id !== target.id) return { text: MSG.pageChanged, kind: 'error' };
    if (!loggedIn() || signInShown()) return { text: MSG.signIn, kind: 'blocked' };
    return null;
  }
  const parentOf = (id) => (parents.has(id) ? parents.get(id) : null);
  const blocked = () => (signInShown() ? { text: MSG.signIn, kind: 'blocked' } : null);
  const shownComments = () => commentNodes().map((c) => ({ id: c.ref.id, node: c.node }));

  return { name: 'instagram', info, collect, refuseRemoval, parentOf, nodeById, findNode, removeOne, removeUnseen, blocked,
           removePauseMs: 250, shownComments, videoRef: postRef, MSG };
})();
