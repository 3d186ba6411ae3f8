// What a page writes inline in its script texts, e.g. ytcfg.set({...}) and
// var ytInitialData = {...}. Page globals live in the page's own world, so the script text is
// the source. Shared by the YouTube adapter and the channel script.
const VtxPageData = (() => {
  function balanced(text, start) {
    let depth = 0, inString = false, quote = '';
    for (let i = start; i < text.length; i++) {
      const ch = text[i];
      if (inString) {
        if (ch === '\\') i++;
        else if (ch === quote) inString = false;
      } else if (ch === '"' || ch === "'") { inString = true; quote = ch; }
      else if (ch === '{') depth++;
      else if (ch === '}') { if (--depth === 0) return text.slice(start, i + 1); }
    }
    return null;
  }
  function inlineObjects(marker) {
    const out = [];
    for (const s of document.querySelectorAll('script:not([src])')) {
      const text = s.textContent || '';
      // A text marker, or a pattern for the forms a page may write (var x = ..., window["x"] = ...).
      const re = typeof marker === 'string' ? null : new RegExp(marker.source, 'g');
      let i = 0;
      for (;;) {
        if (re) {
          re.lastIndex = i;
          const m = re.exec(text);
          if (!m) break;
          i = m.index + m[0].length;
        } else {
          const at = text.indexOf(marker, i);
          if (at < 0) break;
          i = at + marker.length;
        }
        const j = text.indexOf('{', i);
        if (j < 0 || j - i > 8) continue;
        const obj = balanced(text, j);
        if (!obj) continue;
        try { out.push(JSON.parse(obj)); } catch (e) { /* not JSON: skip */ }
      }
    }
    return out;
  }
  const textOf = (t) => !t ? '' : typeof t === 'string' ? t : t.simpleText || t.content || (t.runs || []).map((r) => r.text).join('');
  return { balanced, inlineObjects, textOf };
})();
