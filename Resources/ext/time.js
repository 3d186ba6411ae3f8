// Dates as the sites write them: relative ("3 days ago", "3일 전", "(edited)") or absolute.
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

  return { parse };
})();
