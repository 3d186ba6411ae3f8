// The fixture post page's own application: renders the comment list from the site's REST
// answers (or, signed out, from the preview in the page data), loads more comments and
// replies on its buttons, shows the comment options on hover and runs Delete with the
// site's answer. Runs in the page's main world, like the real page's bundle.
(function () {
  'use strict';
  const cfg = window.__igPost;
  const list = document.getElementById('vt-fixture-comments');
  const cookie = (n) => { const m = document.cookie.match(new RegExp('(?:^|;\\s*)' + n + '=([^;]*)')); return m ? m[1] : ''; };
  const viewer = cookie('ds_user_id');
  const base = (cfg.reel ? '/reel/' : '/p/') + cfg.code + '/';

  const el = (tag, attrs, ...children) => {
    const e = document.createElement(tag);
    for (const [k, v] of Object.entries(attrs || {})) {
      if (k === 'text') e.textContent = v; else e.setAttribute(k, v);
    }
    for (const c of children) if (c) e.appendChild(typeof c === 'string' ? document.createTextNode(c) : c);
    return e;
  };
  const headers = () => ({ 'X-IG-App-ID': cfg.appId, 'X-CSRFToken': cookie('csrftoken'), 'X-Requested-With': 'XMLHttpRequest', 'X-Fixture-Page': '1' });
  async function api(path, options) {
    const res = await fetch('/api/v1/' + path, Object.assign({ credentials: 'include', headers: headers() }, options || {}));
    // Comment pks come as bare numbers too long for a double: keep them as text.
    const text = await res.text();
    let json = {};
    try { json = JSON.parse(text.replace(/("pk"\s*:\s*)(\d{16,})/g, '$1"$2"')); } catch (e) { json = {}; }
    return { status: res.status, json };
  }
  const ago = (secs) => {
    const s = Math.max(0, Math.floor(Date.now() / 1000 - secs));
    if (s < 3600) return Math.max(1, Math.floor(s / 60)) + 'm';
    if (s < 86400) return Math.floor(s / 3600) + 'h';
    if (s < 7 * 86400) return Math.floor(s / 86400) + 'd';
    return Math.floor(s / (7 * 86400)) + 'w';
  };

  function commentBlock(c, parentId) {
    const link = parentId ? base + 'c/' + parentId + '/r/' + c.pk + '/' : base + 'c/' + c.pk + '/';
    const d = new Date(c.created_at * 1000);
    const row = el('div', { class: '_ae5q _akl_ _akm0' },
      el('span', { class: '_ae5o' }, el('a', { class: 'x1i10hfl', href: link, role: 'link' },
        el('time', { class: '_a9ze _a9zf', datetime: d.toISOString(), title: d.toDateString() }, ago(c.created_at)))),
      c.comment_like_count > 0 ? el('button', { class: '_a9ze', type: 'button' },
        el('span', { class: 'x1lliihq' }, c.comment_like_count + (c.comment_like_count === 1 ? ' like' : ' likes'))) : null,
      el('button', { class: '_a9ze', type: 'button' }, el('span', { class: 'x1lliihq' }, 'Reply')),
      el('div', { role: 'button', class: 'x1i10hfl', tabindex: '0' }, el('span', { dir: 'auto' }, 'See translation')));
    const li = el('li', { class: '_a9zj _a9zl' },
      el('div', { class: '_a9zm' },
        el('div', { class: '_a9zn _a9zo' }, el('a', { href: '/' + c.user.username + '/', role: 'link', tabindex: '-1' },
          el('img', { alt: c.user.username + "'s profile picture", src: c.user.profile_pic_url, class: 'xpdipgo' }))),
        el('div', { class: '_a9zr' },
          el('h3', { class: '_a9zc' }, el('div', {}, el('span', {}, el('a', { href: '/' + c.user.username + '/', role: 'link' }, c.user.username)))),
          el('div', { class: '_a9zs' }, el('span', { class: '_ap3a _aaco _aacu _aacx _aad7 _aade', dir: 'auto' }, c.text)),
          row),
        el('span', { class: '_a9zu' }, el('div', { role: 'button', tabindex: '0' }, el('svg', { 'aria-label': 'Like', role: 'img' })))));
    li.addEventListener('mouseover', () => {
      // The options button is rendered on hover only.
      if (li.querySelector('[aria-label="Comment Options"]')) return;
      const button = el('div', { class: '_a9zf', role: 'button', tabindex: '0' }, el('svg', { 'aria-label': 'Comment Options', role: 'img', viewBox: '0 0 24 24' }));
      // The menu renders a moment after the click, as on the site.
      button.addEventListener('click', () => setTimeout(() => openOptions(c, parentId), 120));
      row.appendChild(button);
    });
    return li;
  }

  function thread(c) {
    const box = el('div', { class: 'x1n2onr6', 'data-fixture-thread': c.pk });
    box.appendChild(commentBlock(c, ''));
    if (c.child_comment_count > 0) {
      const ul = el('ul', { class: '_a9yo' });
      const shown = new Set();
      for (const r of c.preview_child_comments || []) { ul.appendChild(commentBlock(r, c.pk)); shown.add(r.pk); }
      let cursor = '', cursorKey = 'max_id';
      let remaining = c.child_comment_count - shown.size;
      const label = el('span', { class: '_a9yi' });
      const button = el('button', { class: '_acan _acao _acas', type: 'button' }, el('div', { class: '_a9yh' }), label);
      const setLabel = () => { label.textContent = remaining > 0 ? 'View replies (' + remaining + ')' : 'Hide replies'; };
      setLabel();
      button.addEventListener('click', async () => {
        if (remaining <= 0) { ul.hidden = !ul.hidden; return; }
        const { json } = await api('media/' + cfg.pk + '/comments/' + c.pk + '/child_comments/' + (cursor ? '?' + cursorKey + '=' + encodeURIComponent(cursor) : ''));
        for (const r of json.child_comments || []) {
          if (shown.has(r.pk)) continue;
          shown.add(r.pk);
          ul.insertBefore(commentBlock(r, c.pk), more);
          remaining--;
        }
        cursor = json.next_max_child_cursor || json.next_min_child_cursor || '';
        cursorKey = json.next_max_child_cursor ? 'max_id' : 'min_id';
        if (!json.has_more_tail_child_comments && !json.has_more_head_child_comments) remaining = 0;
        setLabel();
      });
      const more = el('li', {}, el('div', { class: '_a9yp' }, button));
      ul.appendChild(more);
      box.appendChild(el('li', {}, ul));
    }
    return box;
  }

  let cursor = '';
  const moreItem = el('li', { class: '_abm0-wrap' }, el('div', { class: '_abm0' },
    el('button', { class: '_abl-', type: 'button' }, el('div', { class: '_abm0 _abm1' }, el('svg', { 'aria-label': 'Load more comments', role: 'img', viewBox: '0 0 24 24' })))));
  moreItem.querySelector('button').addEventListener('click', () => loadPage());
  let loading = false;
  async function loadPage() {
    if (loading) return;
    loading = true;
    const { status, json } = await api('media/' + cfg.pk + '/comments/?can_support_threading=true&permalink_enabled=false' + (cursor ? '&min_id=' + encodeURIComponent(cursor) : ''));
    loading = false;
    if (status !== 200) return;
    for (const c of json.comments || []) {
      if (moreItem.parentNode === list) list.insertBefore(thread(c), moreItem); else list.appendChild(thread(c));
    }
    cursor = json.next_min_id || '';
    if (json.has_more_headload_comments && cursor) list.appendChild(moreItem); else moreItem.remove();
  }

  function dialog(...buttons) {
    const layer = el('div', { class: 'x1n2onr6 xzkaem6' }, el('div', { role: 'dialog', 'aria-modal': 'true', class: '_a9-v' }, el('div', { class: '_a9-z' }, ...buttons)));
    document.body.appendChild(layer);
    return layer;
  }
  function button(text, cls, onClick) {
    const b = el('button', { class: '_a9-- _ap36 ' + (cls || ''), tabindex: '0' }, text);
    b.addEventListener('click', onClick);
    return b;
  }
  function toast(text) {
    const t = el('div', { role: 'alert', class: 'x1n2onr6 toast' }, text);
    document.body.appendChild(t);
    setTimeout(() => t.remove(), 4000);
  }
  function signInWall(url) {
    dialog(el('div', {}, el('h2', {}, 'Log in to continue'), el('a', { href: url || '/accounts/login/?next=' + encodeURIComponent(base) }, 'Log in')));
  }

  function openOptions(c, parentId) {
    const canDelete = viewer && (viewer === cfg.ownerId || viewer === String(c.user.pk));
    let layer = null;
    const close = () => layer && layer.remove();
    const items = [button('Report', '_a9-_', close)];
    if (canDelete) {
      items.push(button('Delete', '_a9-_', async () => {
        close();
        const { status, json } = await api('web/comments/' + cfg.pk + '/delete/' + c.pk + '/', { method: 'POST', headers: Object.assign(headers(), { 'Content-Type': 'application/x-www-form-urlencoded' }), body: '' });
        if (status === 200 && json.status === 'ok') {
          const gone = parentId ? document.querySelector('a[href="' + base + 'c/' + parentId + '/r/' + c.pk + '/"]').closest('li')
            : document.querySelector('[data-fixture-thread="' + c.pk + '"]');
          if (gone) gone.remove();
        } else if (json.message === 'checkpoint_required' || json.message === 'login_required') {
          signInWall(json.checkpoint_url);
        } else {
          toast("Couldn't delete comment.");
        }
      }));
    }
    items.push(button('Cancel', '_a9-_', close));
    layer = dialog(...items);
  }

  if (cfg.preview) {
    // Signed out: the page shows a few comments from its own data and asks for a sign-in.
    for (const c of cfg.preview) list.appendChild(thread(Object.assign({}, c, { child_comment_count: 0 })));
  } else {
    loadPage();
  }
})();
