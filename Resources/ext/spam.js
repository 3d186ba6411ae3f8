// Page-side spam rules: one verdict per collected comment.
// A verdict is {state, reason, score}: state "spam", "ok" or "skip"; reason a comma-separated
// list of codes ("contact", "invest", ...), strongest first; score 0..1.
const VtxSpam = (() => {
  const LIKES_SKIP = '좋아요가 있어 검사에서 제외';
  const THRESHOLD = 0.5;

  // Zero-width characters and the marks people put between letters to dodge filters.
  const INVISIBLE = /[\u200B-\u200F\u2060-\u2064\uFEFF\u00AD\u180E]/g;
  const normal = (s) => String(s || '').normalize('NFKC').replace(INVISIBLE, '').toLowerCase();
  const compact = (s) => normal(s).replace(/[\s.·•,_\-~!*'"`|/\\()[\]{}<>♡♥★☆▶►→◆■●]+/g, '');

  const MESSENGER = /(카톡|카카오톡|오픈채팅|오픈톡|오픈카톡|텔레그램|텔그|텔레방|telegram|whatsapp|왓츠앱|wechat|위챗|kakaotalk|라인아이디|라인id|snapchat)/;
  const CONTACT_VERB = /(아이디|id:|추가|검색|연락|문의|친추|톡주|메세지|메시지|contact|message|@[a-z0-9_]{3,}|\+?\d[\d ]{7,}|[a-z]+\d{2,}|\d+[a-z]{2,})/;

  // [code, weight, test on {n: normal text, c: compact text}]
  const RULES = [
    ['contact', 0.6, (t) => (MESSENGER.test(t.c) && CONTACT_VERB.test(t.c)) ||
      /\b(dm|message|text|contact) me\b/.test(t.n) || /(010|070)[\s.-]?\d{3,4}[\s.-]?\d{4}/.test(t.n)],
    ['invest', 0.6, (t) => /(리딩방|선물리딩|코인선물|급등주|수익률\d+%|수익보장|원금보장|종목추천|무료추천|고수익보장|시그널방)/.test(t.c) ||
      /(trading signals?|guaranteed (daily |weekly )?(profit|returns?)|forex|binary options?|crypto signals?|\d+% accuracy|double your (money|bitcoin)|investment platform)/.test(t.n)],
    ['gambling', 0.6, (t) => /(토토|카지노|바카라|슬롯|안전놀이터|놀이터추천|꽁머니|첫충|매충|먹튀|배팅|파워볼|홀덤)/.test(t.c) ||
      /(online casino|casino|free spins|welcome bonus|sports ?betting|bet now|jackpot|poker site)/.test(t.n)],
    ['loan', 0.6, (t) => /(대출|급전|현금화|소액결제|무직자|저신용|신용불량|작업대출|카드깡|내구제)/.test(t.c) ||
      /(payday loans?|instant loan|no credit check|loan approval|cash fast|quick cash|fast cash)/.test(t.n)],
    ['sidejob', 0.6, (t) => /(부업|재택알바|고수익알바|재택부업|하루\d+시간|월\d+(만원)?벌|일당\d+|주급\d+)/.test(t.c) ||
      /(work(ing)? from home|no experience (needed|required)|make \$?\d+[k]? (a|per) (day|week|hour)|extra income|passive income|earn \$\d+)/.test(t.n)],
    ['adult', 0.6, (t) => /(19금|성인영상|성인방송|야동|조건만남|외로운분|외로운남자|만남사이트|💋|🔞|섹시)/.test(t.c) ||
      /(hot singles|sexy|nudes?|onlyfans|xxx|hook ?up|private videos?|18\+|adult videos?)/.test(t.n)],
    ['impersonation', 0.6, (t) => /(당첨되셨|당첨축하|경품|이벤트당첨|당첨자|선물을드립니다)/.test(t.c) ||
      /(congratulations.{0,60}(winner|won|selected)|claim (your )?(prize|reward|gift)|you (have )?won|giveaway winner|selected as (a |the )?winner)/.test(t.n)],
    ['testimonial', 0.6, (t) => /((덕분에|덕택에|도움으로|덕에).{0,40}(수익|원금|손실|복구|\d+배|벌었|벌고))|(전문가선생님|리딩선생님|투자선생님)/.test(t.c) ||
      /((thanks to|because of|grateful to) .{0,60}(portfolio|profit|\$\d|earn(ed|ing)?|invest))|(financial advisor|account manager|investment manager|(mrs?|ms)\.? [a-z]+ [a-z]+ .{0,30}(invest|trading|portfolio))/.test(t.n)],
    ['promo', 0.6, (t) => /(구독자(늘리|구매|올려)|조회수(구매|올려)|홍보대행|맞구독|구독품앗이|제채널(놀러|구경|방문))/.test(t.c) ||
      /(promote your (channel|video)|real subscribers|buy (views|subscribers|likes)|more views\?|check (out )?my (channel|profile)|visit my channel|sub ?4 ?sub)/.test(t.n)],
  ];

  const SHORTENER = /\b(bit\.ly|t\.me|open\.kakao\.com|han\.gl|me2\.kr|url\.kr|tinyurl\.com|linktr\.ee|vo\.la|buly\.kr|wa\.me|cutt\.ly)\//;
  const URL = /(https?:\/\/|www\.)\S+|\b[a-z0-9-]{2,}\s?\.\s?(com|net|kr|co\.kr|club|xyz|io|me|top|site|online|vip|shop|app)\b(\/\S*)?/g;
  const OWN_SITE = /(youtube\.com|youtu\.be|youtube\.com\/@)/;

  function linkHit(n) {
    if (SHORTENER.test(n)) return true;
    const found = n.match(URL) || [];
    return found.some((u) => !OWN_SITE.test(u));
  }

  const AUTHOR = /(수익|텔레|카톡|리딩|투자|💰|부업|대출|토토|카지노|19금|코인|casino|crypto|profit|telegram|whatsapp|invest|bitcoin|forex|loan|sexy|onlyfans)/;

  // Letters that stand in for others in look-alike handles.
  const skeleton = (s) => normal(s).replace(/^@/, '').replace(/[1|!]/g, 'l').replace(/0/g, 'o').replace(/3/g, 'e')
    .replace(/5/g, 's').replace(/rn/g, 'm').replace(/vv/g, 'w').replace(/[\s._\-]/g, '');

  function judge(item, opts, owners) {
    const likes = item.likeCount;
    if (item.isOwner) return { state: 'ok', reason: '', score: 0 };
    if (opts && opts.noLikesOnly && typeof likes === 'number' && likes >= Math.max(1, Number(opts.minLikes) || 1)) {
      return { state: 'skip', reason: LIKES_SKIP, score: 0 };
    }
    const t = { n: normal(item.text), c: compact(item.text) };
    const hits = [];
    let score = 0;
    const add = (code, weight) => { if (!hits.includes(code)) { hits.push(code); score += weight; } };
    if (item.siteSpam) add('youtube', 1);
    for (const [code, weight, test] of RULES) if (test(t)) add(code, weight);
    if (linkHit(t.n)) add('link', SHORTENER.test(t.n) ? 0.6 : 0.5);
    if (AUTHOR.test(compact(item.authorName))) add('author', 0.6);
    if (owners && owners.size) {
      const me = skeleton(item.authorName);
      for (const o of owners) {
        if (o !== item.authorName && skeleton(o) === me) { add('impersonation', 0.6); break; }
      }
    }
    score = Math.min(1, Math.round(score * 100) / 100);
    if (score >= THRESHOLD) return { state: 'spam', reason: hits.join(','), score };
    return { state: 'ok', reason: '', score: 0 };
  }

  return { judge, normal, compact, LIKES_SKIP };
})();
