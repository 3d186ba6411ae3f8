// Page-side spam rules: one verdict per collected comment.
// A verdict is {state, reason, score}: state "spam", "ok" or "skip"; reason a comma-separated
// list of codes ("contact", "invest", ...), strongest first; score 0..1.
const VtxSpam = (() => {
  // A message code: the application shows the reason in the owner's language.
  const LIKES_SKIP = 'skip.likes';
  const THRESHOLD = 0.5;

  // Zero-width characters and the marks people put between letters to dodge filters.
  const INVISIBLE = /[\u200B-\u200F\u2060-\u2064\uFEFF\u00AD\u180E]/g;
  const normal = (s) => String(s || '').normalize('NFKC').replace(INVISIBLE, '').toLowerCase();
  const compact = (s) => normal(s).replace(/[\s.·•,_\-~!*'"`|/\\()[\]{}<>♡♥★☆▶►→◆■●]+/g, '');

  // Text copied out of a web page's source keeps its entities ("i&#39;m") and line breaks ("<br />").
  const ENTITY = { '&quot;': '"', '&amp;': '&', '&lt;': '<', '&gt;': '>', '&apos;': "'" };
  const unescape = (n) => n.replace(/<br\s*\/?>/g, ' ')
    .replace(/&#(\d{1,6});/g, (m, d) => (Number(d) <= 0x10ffff ? String.fromCodePoint(Number(d)) : m))
    .replace(/&(?:quot|amp|lt|gt|apos);/g, (m) => ENTITY[m]);
  // Latin letters without their accents ("mê" reads "me"), curly quotes straight, one space between
  // words: the form the English phrases are matched on. Hangul is decomposed and put back together.
  const folded = (n) => unescape(n).normalize('NFD').replace(/[\u0300-\u036f]/g, '').normalize('NFC')
    .replace(/[\u2018\u2019\u02bc`´]/g, "'").replace(/[\u201c\u201d]/g, '"').replace(/\s+/g, ' ').trim();
  const re = (src, flags) => new RegExp(src, flags);

  const MESSENGER = /(카톡|카카오톡|오픈채팅|오픈톡|오픈카톡|텔레그램|텔그|텔레방|telegram|whatsapp|왓츠앱|wechat|위챗|kakaotalk|라인아이디|라인id|snapchat)/;
  const CONTACT_VERB = /(아이디|id:|추가|검색|연락|문의|친추|톡주|메세지|메시지|contact|message|@[a-z0-9_]{3,}|\+?\d[\d ]{7,}|[a-z]+\d{2,}|\d+[a-z]{2,})/;

  // Links. A dot written with spaces on both sides or before it still counts ("shop . com", "win .club");
  // a space after it only is the end of a sentence ("so. me too"), unless no word could follow (". com").
  const TLD = '(?:com|net|org|info|biz|kr|co\\.kr|club|xyz|io|me|top|site|online|vip|shop|app|tv|ly|gl|gg|link|live|store|website|eu|pn|ws)';
  const SHORTENER = /\b(bit\.ly|t\.me|open\.kakao\.com|han\.gl|me2\.kr|url\.kr|tinyurl\.com|linktr\.ee|vo\.la|buly\.kr|wa\.me|cutt\.ly|goo\.gl|ow\.ly|is\.gd)[/\\]/;
  const URL = re(`(https?:\\/\\/|www\\.)\\S+|\\b[a-z0-9-]{2,}(?:\\.|\\s\\.\\s?)${TLD}\\b(\\/\\S*)?|\\b[a-z0-9-]{4,}\\.\\s(?:com|org|xyz|info)\\b(\\/\\S*)?`, 'g');
  // "name*com", "name dot com", "name(dot)com", "w w w.name": a disguised address.
  const MASKED = re(`\\b[a-z0-9-]{4,}\\s?(?:\\*|\\(dot\\)|\\[dot\\]|\\{dot\\}|\\(\\.\\)|\\[\\.\\]|\\sdot\\s)\\s?(?:com|net|org)\\b|\\bw\\s+w\\s+w\\s?\\.\\s?[a-z0-9]`);
  const OWN_SITE = /(youtube\.com|youtu\.be|youtube\.com\/@)/;
  // The site's own addresses, whole or cut down ("youtu be/abc", "/watch?v=abc"): a target to send people to.
  const SITE_LINK = /(youtube\.com\/\S+|youtu\.?\s{0,2}be\s?\/\s?[\w-]{6,}|(^|[\s:(/])watch\?v=[\w-]{6,}|instagram\.com\/\S+)/;

  // Addresses under any other ending: with a path ("name.it/abc", "name.co\\x"), under a country's second
  // level ("name.co.uk", "name.us.mn"), under endings no sentence ends with ("name.tk"), "http" typed apart,
  // a stray letter after ".com" or "dot" glued to the name ("namedotcom").
  const OTHER_URL = re('\\b[a-z][a-z0-9-]{2,}\\.(?:[a-z]{2,4}\\.)?[a-z]{2,4}[/\\\\][\\w?=&%-]|\\b[a-z][a-z0-9-]{2,}\\.\\s(?:it|ly|gl|co|me|tk|to|cc|us|gd)/[\\w-]{3,}|' +
    '\\b[a-z][a-z0-9-]{2,}\\.(?:co|com|net|org|ac|gov|us|blogspot)\\.[a-z]{2,3}\\b|' +
    '\\b[a-z][a-z0-9-]{2,}\\.(?:tk|ml|ga|cf|gq|cc|ru|pw|su|mn|uk|de|fr|nl|pl|cz|ca|au|ph|pk|br|mx|es|asia|pro|co|fm)\\b(?!\\.)|' +
    '\\b(?:h t ?t ?p|ht t ?p|htt p) ?s? ?: ?/ ?/|\\bhttps? :\\s?/\\s?/|\\b[a-z0-9-]{4,}\\.com[il]\\b|\\b[a-z0-9]{4,}dot(?:com|net|org)\\b', 'g');

  function linkHit(n) {
    if (SHORTENER.test(n) || MASKED.test(n)) return true;
    const found = (n.match(URL) || []).concat(n.match(OTHER_URL) || []);
    return found.some((u) => !OWN_SITE.test(u) && !/^(?:youtu|instagram)/.test(u));
  }
  const anyLink = (n) => linkHit(n) || SITE_LINK.test(n);

  // Self-promotion is a request (subscribe, check out, listen, give me a chance...) together with a target
  // (my channel or music, a link, a handle, the writer presenting himself as an artist). Strong requests
  // and targets pair with anything; "please" and a bare mention of a channel only with a strong other half.
  const MEDIA = '(?:channel|chanel|channal|chanell|page|videos?|vids?|vlogs?|music|muzik|songs?|tracks?|covers?|remix(?:es)?|' +
    'mixtapes?|albums?|playlists?|beats?|raps?|freestyles?|mash ?ups?|site|website|blog|profile|account|content|' +
    'art(?:work)?|stuff|performances?|gameplays?|vines|films?|podcasts?|streams?|clips?|shorts|instagram|insta|soundcloud|tiktok|twitch|facebook|fb|bio)';
  // Words that end the reach from "my" to its noun: "my kids love your music" is not the writer's music.
  const STOP = '(?:i|you|your|u|ur|he|his|she|her|they|their|it|its|this|that|the|a|an|is|are|was|were|be|and|or|but|to|of|for|in|on|at|' +
    'with|from|by|love|loves|like|likes|hate|hates|fav|favorite|favourite|all|time|dad|mom|mum|brother|sister|friends?|kids?|son|' +
    'daughter|wife|husband|family|girlfriend|boyfriend|teacher|life|whole|own life)';
  // Misspelt and stretched too: "subscibe", "subcribe", "subscrib", "subbbb".
  const SUB = '(?:su+b+s*c*r+i*b+(?:e+|le)?|sus+c+r+i+b+e+|s+u+b+s*c*r*i*b+e*|sub)';
  // "sub" alone is also a subtitle ("eng sub please"): only with a target or a plea after it.
  const SUB_FULL = '(?:su+b+s*c*r+i*b+(?:e+|le)?|sus+c+r+i+b+e+|s+u+b+s*c*r*i*b+e*)';
  const SUB_ASK = '(?:su+b+s*c*r+i*b+(?:e+|le)?|sus+c+r+i+b+e+|s+u+b+s*c*r*i*b+e*|sub(?=\\s(?:to|2|me|us|my|our|back|4|for|pls|please|plz)\\b))';
  const PLEASE = '(?:please|pls|plz+|plez|plese|pleas|pleeease|plis)';
  // "Our song" is a couple's song, not a band's.
  const SELF_TARGET = re(`\\b(?:my|mah|our(?!\\ssongs?\\b))\\s(?:(?!${STOP}\\b)[\\w'&.+-]+\\s){0,4}?${MEDIA}\\b`);
  const ARTIST = re("\\b(?:i'?m|im|i am|we'?re|we are|this is)\\s(?:(?:just|only|a|an|\\d+\\s?(?:years?|yrs?|yr|y\\/?o)(?:[\\s-]old)?|[\\w'-]+)\\s){0,5}?" +
    '(?:rapper|singer|songwriter|artist|producer|youtuber|musician|mc|dj|band|duo|group|vlogger|gamer|beatmaker|composer|' +
    'guitarist|drummer|pianist|dancer|comedian|animator|streamer|creator)s?\\b');
  const STRONG_REQUEST = [
    /\b(?:check|chek|chck|chk|cheack|cheak|chec)(?:ing)?\s(?:(?:it|them|him|her|this|that|these|me|us|em)\s)?out\b/,
    /\b(?:checkout|chekout)\b/,
    re(`\\b(?:check|chek|chck|cheak)(?:ing)?\\s(?:my|our)\\b`),
    /\b(?:join|look(?:\sat)?|peek at|stop by|drop by|swing by|pop over to)\s(?:my|our)\b/,
    /\bconsider\s(?:subscribing|subbing|following|checking)\b|\bshow\s(?:me|us)\s(?:some\s)?(?:love|support|luv)\b/,
    /(?<!\b(?:i|we|they|he|she|always|i'll|i will|we'll|used to)\s)\b(?:go|come|head)(?:\s(?:and|n|&))?\s(?:to|check|watch|see|listen|visit|subscribe|sub|look|hear|share|like|vote)\b/,
    /\b(?:visit|listen to|watch)\s(?:my|our|me|us)\b|\bvisit\s(?:the |this )?(?:link|site|website|page|channel|https?|www)\b/,
    /\b(?:have a (?:listen|look)|take a (?:look|listen|moment|minute|second|sec)|look me up|look us up)\b/,
    /\bgive\s(?:me|us|it|him|them|my|our|this)\s(?:\w+\s)?a\s(?:chance|listen|try|look|shot|view|like|thumbs? ?up)\b/,
    // Not "I'll subscribe to your channel": that is a viewer, not a request.
    re(`(?<!\\b(?:i|i'll|ill|i will|i'd|i would|gonna|going to|just|already|i'm|im|will|to|finally)\\s)\\b${SUB_ASK}\\b(?!\\s(?:to\\s)?(?:you|your|ur|him|her|them|u)\\b)`),
    /\b(?:like|comment|rate|view|watch)(?:\s?(?:,|and|&|n|\+|\/)?\s?(?:like|share|comment|rate))*\s?(?:,|and|&|n|\+|\/)?\s?(?:subscribe|subcribe|suscribe|sub|share)\b/,
    /\bleave\s(?:a |some |your |me |us )?(?:feedback|feed back|comments?|like|likes|response|thumbs)\b/,
    /\b(?:feedback|support|comments?|likes|views|subs)\s(?:is |are |would be |will be )?(?:much |greatly |really |very |highly |truly |so ){0,2}appreciated\b/,
    /\bhelp\s(?:me|us|my|our)\s(?:get|reach|hit|grow|make|achieve|become|out|dreams?|channel)\b/,
    /\b(?:would|will|it'?d|that'?d) mean (?:a lot|alot|so much|the world)\b/,
    /\b(?:type in|search for|search up|look (?:it|him|her|them) up)\b|\b(?:search|look up)\s["']|\bsearch\s(?:\S+\s){1,4}on\s(?:youtube|spotify|soundcloud|apple music|itunes|instagram|tiktok)\b/,
    /\b(?:would|i'd|id)\s(?:really\s)?(?:love|appreciate)\s(?:some|any|your|the|a)?\s?(?:support|feedback|views|subs|subscribers|likes)\b/,
    /(?<!\b(?:i|we|i always|i still|i usually|i often|i'll|i will)\s)\b(?:watch|listen to|see|hear|find)\s(?:it|them|this|that|more|the rest)\s(?:on|at|in)\s(?:my|our)\b/,
    /\bclick(?!\s?bait)\b/,
    /\bsupport\s(?:me|us|my|our|small|independent|upcoming|new|local|young|up and coming)\b/,
    /\b(?:read this|read my)\b/,
    /\b(?:remember|don'?t forget|make sure)\sto\s(?:subscribe|sub|like|comment|share|follow|check)\b/,
    /\bhelp\s(?:me\s|us\s)?(?:please|pls|plz)\b|\bplease help\s(?:me|us)\b/,
    /\b(?:before you|don'?t|dont|do not|please don'?t)\s(?:ignore|skip|scroll)\b/,
  ];
  const WEAK_REQUEST = [re(`\\b${PLEASE}\\b`), /\b(?:i'?d|id|i would|we'?d|we would) (?:love|appreciate|be grateful)\b/];
  const STRONG_TARGET = [
    SELF_TARGET,
    re(`(?<!\\b(?:i|i'll|ill|i will|gonna|going to|i'm|im|just|already)\\s)\\b${SUB}\\s(?:to\\s|2\\s)?(?:me|us|my|our|mine)\\b`),
    // Something the writer made: "a song I wrote", "this new video I made".
    /\b(?:video|song|track|remix|cover|beat|rap|album|mixtape|music|freestyle)s?\s(?:that\s)?(?:i|we)\s(?:just\s)?(?:made|did|recorded|wrote|uploaded|produced|posted|released|created)\b/,
    /\b(?:check|support|follow)\s(?:me|us)\b/,
    /\b(?:subed|subbed|subscribed|subbing|subscribing)\s(?:to\s)?(?:me|us|my|our)\b/,
    /\b(?:this|these|the|his|her|their|that)\s(?:(?:new|latest|hot|dope|sick|awesome|amazing|great|cool|brand new|extraordinary)\s)*(?:video|song|track|remix|cover|album|mixtape|playlist|channel|page|beat|rap|freestyle|website|site|link|book)s?\s(?:on youtube|called|named|titled|entitled|by)\b/,
    /\b(?:channel|site|website|video|song|track|page|mixtape|album)\s(?:called|named|titled)\b/,
  ];
  const WEAK_TARGET = [
    ARTIST,
    /\bmy name is\b/,
    /\b(?:guy|girl|dude|rapper|singer|band|artist|kid|group|youtuber)\s(?:named|called)\b/,
    /\b(?:i|we)(?:'ve| have)?\s(?:just\s|recently\s)?(?:started|began|begun)\s(?:rapping|singing|making (?:music|videos|beats)|producing|a (?:youtube )?channel|youtube|(?:my|our) (?:youtube )?channel)\b/,
    // A channel with a name; "this", "your" or "his channel" on the owner's post is the owner's own.
    /(?<!\b(?:this|the|your|ur|ya|his|her|their|other|same)\s)\b(?:channel|chanel|channal)\b/,
    /\b(?:right here|down below|link (?:below|above|in)|in my (?:bio|description|profile))\b/,
    /(?:-{2,}\s?>|={2,}\s?>|►|→|➡|👉)/,
    /\b\d[\d,.]*k?\s(?:subs|subscribers|followers|views)\b/,
    /\b(?:i|we)\s(?:upload|make|post|record|create|do)\s(?:\w+\s){0,3}?(?:videos|vids|music|songs|covers|beats|content|gameplay|let'?s plays)\b/,
    /\b(?:we are|we'?re|i am|i'?m)\s(?:new|a beginner|beginner|starting out)\b/,
    /\b(?:sorry (?:for|about) (?:the )?(?:spam|spamming|self[\s-]?promo\w*|advertising)|i'?m spamming|im spamming|i know (?:this is|it'?s) spam)\b/,
  ];

  const GREET_ALL = /\b(?:hey|hi|hello|yo|sup|what'?s up)\s(?:guys|everyone|everybody|people|peeps|y'?all|all|youtube|fans)\b/;
  const UPLOADS = /\b(?:new|daily|weekly)\s(?:videos?|vids?|uploads?|content|episodes?)\b|\b(?:upload|post|stream)(?:s|ing)?\b.{0,30}\bevery\s(?:day|week|monday|tuesday|wednesday|thursday|friday|saturday|sunday|weekend)\b/;

  function selfPromo(f) {
    const has = (list) => list.some((r) => r.test(f));
    const strongReq = has(STRONG_REQUEST);
    const strongTarget = has(STRONG_TARGET) || anyLink(f);
    if (SELF_TARGET.test(f) && (GREET_ALL.test(f) || UPLOADS.test(f))) return true;
    // A moment of the video ("check out the flow at 1:20") is a viewer pointing at the video itself.
    const moment = /\b\d{1,2}:\d{2}\b/.test(f);
    if (strongReq && (strongTarget || (!moment && has(WEAK_TARGET)))) return true;
    // Two different calls to action ("check it out and subscribe", "check out ... click") ask for the writer.
    if (!moment && STRONG_REQUEST.filter((r) => r.test(f)).length >= 2) return true;
    return strongTarget && has(WEAK_REQUEST);
  }

  const ENGLISH_PROMO = [
    // The site's share card pasted as a comment.
    /\b(?:check out|take a look at|look at|watch) this (?:video|playlist|channel|song|short|live ?stream) on youtube\b/,
    re(`\\b(?:${SUB}|follow)\\s?(?:4|for|4 a|for a)\\s?(?:${SUB}|follow)\\b|\\b(?:s4s|f4f|l4l|like4like)\\b`),
    re(`\\b${SUB}(?: you)? back\\b|\\bfollow (?:me |you )?back\\b|\\bfollowback\\b`),
    // "Please subscribe" with no one else named is for the writer.
    re(`\\b${PLEASE}\\s(?:just\\s)?${SUB_FULL}\\b(?!\\s(?:to|2)\\s(?!(?:me|us|my|our)\\b))|\\b${SUB_FULL}\\s${PLEASE}\\b`),
    /\b(?:use|enter|with|join with|sign up with) my (?:referral|invite|invitation|promo|ref) (?:code|link)\b/,
    // Asking for likes to lift the comment itself.
    re(`\\b${PLEASE}\\s(?:\\w+\\s)?(?:like|thumbs? up|upvote)\\s(?:this|my)\\s(?:comment|post)\\b`),
    /\b(?:like|thumbs?(?: up)?|upvote)(?:\s(?:this|my|it))?(?:\scomment)?(?:\sup)?[\s"'!.,]*so\s(?:that\s)?(?:others|more|every(?:one|body)|people|it|this|my comment)\b(?:\s\w+)?\s(?:can|will|could|may)\s(?:see|notice|read)\b/,
    // A row of calls to action ("view, like, subscribe", "click! subscribe!").
    re(`\\b(?:like|comment|share|view|watch|rate)[\\s!.,&+/]+(?:and\\s|n\\s)?(?:like|comment|share|rate)[\\s!.,&+/]+(?:and\\s|n\\s)?(?:${SUB_ASK}|share)\\b|\\bclick[\\s!.,&]+${SUB_ASK}\\b`),
    re(`\\bif (?:you|u|ya) (?:like|liked|love|enjoy(?:ed)?|dig) (?:it|this|that|them|my \\w+|what (?:you|u) (?:hear|see))[\\s,.!]+(?:please\\s|pls\\s|plz\\s|then\\s)?(?:${SUB_ASK}|follow)\\b(?!\\s(?:to\\s)?(?:her|him|them|you|your)\\b)`),
    re(`(?<!\\b(?:i|i'll|ill|i will|gonna|going to|i'm|im|just|already)\\s)\\b${SUB_ASK}\\s(?:to\\s(?:hear|see|watch|get)|for\\s(?:more|daily|weekly|new))\\b`),
    // Subscribing traded: "subscribe and I'll check out your channel".
    re(`(?<!\\b(?:i|i'll|ill|i will|gonna|going to|i'm|im|just|already)\\s)\\b${SUB_ASK}\\b.{0,40}?(?:\\b(?:and|&|then)\\s)?\\b(?:i|we)(?:'ll|ll| will| wil)\\s(?:${SUB_ASK}|check|watch|like|follow|do the same)\\b`),
    /\blike this comment (?:then|and) (?:type|share|subscribe)\b/,
    /\blinks? (?:is |are )?(?:in|on) my (?:page|bio|profile|channel)\b/,
    /(?<!\b(?:i|i'll|ill|i will|gonna|going to|to|i'm|im|we|will|just|already)\s)\b(?:share|repost) (?:this|it|the video|this video|my video)? ?(?:on|to|in) (?:facebook|fb|twitter|g\+|google ?\+|google plus|instagram|whatsapp)\b/,
    // Channel growth sold: an offer of views or subscribers with a price, a link or a way to get in touch.
    /\bpromote your (?:channel|video|music|page|account)\b/,
    /\b(?:promote|feature|submit)\s(?:it|this|your\s\w+)\s(?:on|to|at|with)\s@[a-z0-9_.]{3,}/,
    /\b(?:want|need|wanna)\s(?:more\s)?(?:\d[\d,.]*k?\s)?(?:real\s|active\s|free\s|cheap\s|instant\s|organic\s)?(?:youtube\s|yt\s|ig\s|instagram\s|tiktok\s)?(?:views|subscribers?|subs|followers|likes)\?/,
    // Someone else sent to: "check out <a name>" said to everyone, not a moment or a part of this video.
    /(?:^|[.!?:]\s?|\b(?:go|guys|everyone|everybody|all|y'?all|dude|bro|also|pls|please|plz|should|must|gotta|and|then|(?:you|u) (?:need|have|ought) to)\s)(?:check|chek|chck|cheack|cheak)\sout\s(?!(?:the|this|that|these|those|it|its|how|at|when|what|where|why|who|his|her|their|your|ur|a|an|some|all|more|him|them|me|us|my|our)\b)[a-z0-9@"]/,
    // Likes asked for the comment itself: "like this comment if ...", "who's watching in 2015? like".
    /\b(?:like|thumbs? up|upvote)\s(?:this|my)\s(?:comment|post)\s(?:if|so|and|to)\b|\b1\s?like\s?=/,
    /\bwho(?:'?s| is| else is| else'?s)\s(?:still\s)?(?:watching|listening|here)\b.{0,80}\b(?:like (?:this|my)|give (?:me|this)|notice me|attention|reply)\b/,
    re(`^\\W*(?:${PLEASE}\\s)?likes?\\s${PLEASE}\\W*$`),
    // A bare, short call to subscribe that names no one else ("SUBSCRIBE guys!!", "<--- subscribe").
    re(`^(?:[^a-z]*|(?:hey|hi|yo|guys|everyone|plz|pls|please)\\W+)${SUB_FULL}\\b(?!\\s(?:to|2)\\s(?!(?:me|us|my|our)\\b))(?!\\s(?:button|count|numbers?|box|bar)\\b)(?:\\W+\\w+){0,6}\\W*$`),
    /\b(?:please|pls|plz)\sconsider\s(?:subscribing|subbing)\b/,
    // A title in quotes to look for: 'watch youtube video "..."', 'type in "..."'.
    /(?:^|[.!?]\s?|\b(?:please|plz|pls|go|just|and|guys|everyone|everybody)\s)(?:watch|search(?: for)?|type in|look up)\s(?:the\s)?(?:youtube\s)?(?:video\s)?["“][^"”]{3,}["”]/,
    // Someone to look up elsewhere: "search for <a name> on youtube", "type in <a name>".
    /(?:^|[.!?]\s?|\b(?:please|plz|pls|go|just|and|guys|everyone|everybody|all)\s)(?:search(?: for| up)?|look up|type in)\s(?!(?:the|this|it|that)\b)(?:\S+\s){1,4}(?:on|in)\s(?:youtube|spotify|soundcloud|apple music|itunes|instagram|tiktok|google)\b/,
    // The writer's own channel offered to everyone, with no request: a greeting to all or new uploads.
    /\b(?:i|we)\s(?:just\s)?(?:uploaded|posted|made|did|recorded|put up)\s.{0,40}\b(?:on|to)\s(?:my|our)\s(?:channel|page|profile)\b/,
    // Selling a channel or an account.
    /\b(?:selling|sell|buying)\s(?:this|my|your)\s(?:channel|account)\b/,
  ];

  // Letters typed apart ("S u b s c r i b e"), read as one word.
  const SPACED_ASK = /^(?:subscribe|subtome|checkout|checkmy|sub4sub)/;
  const spacedAsk = (f) => (f.match(/\b(?:[a-z0-9] ){4,}[a-z0-9]\b/g) || []).some((run) => SPACED_ASK.test(run.replace(/ /g, '')));

  // Money made without effort, with or without a link.
  const EASY_MONEY = /\b(?:make|making|earn|earning|win|winning)\s(?:\w+\s){0,2}?(?:money|dollars|cash|\$\d+)\b.{0,60}?\b(?:sleeping|from home|online|easy|easily|fast|quick|free|per (?:day|week|hour)|a day|every day|daily|play(?:ing)? games|watching videos|while you)\b|\bmake money\s(?:play|watch|online|fast|now)\b/;
  // Hacks and free paid goods behind steps or a site.
  const HACK = /\b(?:hack|hacks|hacking|cheats?|generator|crack(?:ed)?)\b.{0,60}\b(?:free|download|visit|go to|step 1|get (?:any|free|unlimited))\b|\bfree\b.{0,30}\b(?:cd keys?|itunes|game keys?|steam keys?|paid apps?)\b.{0,60}\b(?:step|download|site|visit|go to|here|join)\b/;

  // Chain posts and sermons pasted into comments: a threat or a promise for passing it on, or a long
  // address to the reader about salvation.
  const CHAIN = /\b(?:copy and paste|copy (?:&|n) paste|paste this|repost this|post this (?:on|to|in) (?:\d+|five|ten|three)|send this to (?:\d+|five|ten|three)|in the next \d+ (?:minutes|hours)|bad luck for|you will (?:die|be killed|have bad luck|be cursed)|will appear (?:in|on) your|this is not a joke)\b/;
  const SALVATION = /\b(?:jesus|christ|lord|god'?s|saviou?r|salvation|sins?|sinners?|repent\w*|heaven|hell|bible|gospel|scriptures?|eternal life|born again|holy spirit|cross|crucified|resurrect\w*|amen|pray(?:ing|er)?|judgement|judgment|righteous\w*)\b/g;
  function sermon(f) {
    const terms = new Set(f.match(SALVATION) || []);
    return terms.size >= 4 && f.split(' ').length >= 25 && /\b(?:you|your|ye|thee)\b/.test(f);
  }
  const GROWTH_OFFER = /\b(?:buy|get|gain|boost|increase|grow|need|want|wanna)\s(?:\w+\s){0,2}?(?:\d[\d,.]*k?\s)?(?:real\s|active\s|free\s|cheap\s|instant\s|organic\s|more\s)?(?:youtube\s|yt\s|ig\s|instagram\s|tiktok\s)?(?:views|subscribers?|subs|followers|likes|watch ?time)\b/;
  const REAL_AUDIENCE = /\b(?:real|active|organic|cheap|instant|guaranteed)\s(?:youtube\s|ig\s|instagram\s)?(?:views|subscribers|followers|likes)\b/;
  const DEAL = /\b(?:(?:dm|contact|message|inbox|call|text|e?-?mail)\s(?:me|us)|dm|whatsapp|telegram|e?-?mail|on fb|on facebook|cheapest|prices?|packages?|guaranteed|instantly|with us)\b|\$\d/;
  const growthForSale = (f) => (GROWTH_OFFER.test(f) || REAL_AUDIENCE.test(f)) && (DEAL.test(f) || linkHit(f));

  // Other sites named as the place to find or reach the writer.
  const NETWORK = '(?:twitter|instagram|insta|ig|facebook|fb|snapchat|snap|sc|kik|tumblr|tiktok|soundcloud|vine|google\\+|g\\+|twitch|whatsapp|telegram|discord|skype|wechat|line)';
  const FOLLOW_ME = [
    re(`\\b(?:follow|add|find|hit|hmu|message|msg|dm|inbox|friend)\\s(?:me|us)\\s(?:up\\s)?(?:on|at|in|@|:)\\s?${NETWORK}\\b`),
    re(`\\b(?:my|our)\\s${NETWORK}\\s?(?:(?:is|id|-)\\s?@|:|=)\\s?@?[a-z0-9_.]{3,}`),
    re(`(?:^|[\\s(])(?:ig|insta|snap|sc|kik|twitter|tiktok|fb)\\s?(?::|@|👉|->)\\s?@?[a-z0-9_.]{3,}`),
    /\b(?:dm|message|inbox)\s(?:us|me|@[a-z0-9_.]+)?\s?(?:for|to get|to be)\s(?:a\s)?(?:promo|promotion|feature|featured|shout ?out|collab|collaboration|paid)\b/,
  ];

  // Free gift cards, codes and the like behind a survey or a link: a prize lure.
  const FREE_STUFF = /\bfree\s(?:\$?\d+\s)?(?:amazon\s|itunes\s|apple\s|google play\s|steam\s|psn\s|playstation\s|xbox(?: live)?\s|walmart\s|visa\s|paypal\s|netflix\s|roblox\s|fortnite\s)?(?:gift ?cards?|codes?|robux|v-?bucks|gems|coins|iphones?|ipads?|ps[345]|xbox)\b/;
  const CLAIM = /\b(?:claim|grab|click|visit|go to|here|survey|surveys|generator|generate|download|link|referral|sign up|signup|invite)\b/;
  // "Like and share this page to win ...".
  const LIKE_TO_WIN = /\b(?:like|share|comment|follow|subscribe|tag)(?:\s?(?:and|&|\+|,)\s?(?:like|share|comment|follow|subscribe|tag))*(?:\s(?:this|the|my|our)\s(?:page|post|video|comment|account))?\s(?:to|for a chance to|and) win\b/;
  const SURVEY = /\b(?:complete|take|fill(?: out| in)?|doing)\s(?:a\s|the\s|this\s|one\s)?(?:short\s|quick\s|simple\s|easy\s)?(?:surveys?|offers?)\b/;

  // Adult offers: the word alone is a compliment ("sexy shakira"), "xxx" signs a comment off with kisses.
  const ADULT_EN = [
    /\b(?:hot singles|onlyfans|only fans|sex ?cam|webcam girls?|adult videos?|18\+ (?:videos?|content|pics?|chat))\b/,
    /\b(?:naked|nude|horny|xxx|porn)\s(?:girls?|women|ladies|singles|pics?|photos?|videos?|vids?|chat|cams?|content|site|movies?)\b/,
    /\b(?:my|free)\s(?:private|nude|naked|sexy|hot)\s(?:pics?|photos?|videos?|vids?|content)\b|\bher\s(?:private|nude|naked)\s(?:pics?|photos?|videos?|vids?)\b/,
    /\b(?:see|view)\smy\snudes\b/,
    // "sexy" only where something is offered: a place to go or a way in.
    /\bsexy\s(?:girls?|women|ladies|singles|pics?|photos?|videos?|vids?|chat|cams?)\b.{0,40}\b(?:near you|in your (?:area|city)|waiting|click|my (?:profile|bio|page)|dm|message me|here|link)\b/,
    /\b(?:porn|xxx) ?(?:videos?|site|link|hub)\b|\badult video clip\b/,
  ];

  // Korean self-promotion: my channel or video and an invitation, or a plain request for subscribers.
  const KO_SELF = '(?:제|저의|저희|제가만든|제가올린|제가부른|제가쓴)(?:새|첫|최신)?(?:채널|유튜브|영상|노래(?!방)|커버|음악|블로그|인스타|계정|방송|틱톡|쇼츠|뮤비|앨범|곡|작품|프로필|페이지)';
  // "좋아요" is also "it's good": only the button pressed ("좋아요 눌러") asks for something.
  const KO_ASK = '(?:놀러|구경(?:오|와|하러|해주)|방문(?:해주|하세요|부탁)|봐주|봐줘|봐봐|보러(?:와|오)|들어주|들어줘|들어봐|들으러(?:와|오)|구독(?!자)|' +
    '응원|관심|사랑해주|좋아요눌러|눌러주|찾아와|찾아주|들러주|와주|와줘|오세요|클릭|검색해|부탁)';
  const KOREAN_PROMO = [
    /(구독자(늘리|구매|올려)|조회수(구매|올려)|홍보대행|맞구독|구독품앗이|맞팔|선팔|팔로우반사|팔로반사|팔반|좋반|구독반사|홍보죄송|홍보해서죄송|셀프홍보)/,
    /구독(?:좀|꼭|한번|하나)?(?:부탁|해주세요|해주실|해줄래|해줘|해주시면|눌러주세요|눌러주시면|버튼눌러)/,
    /(?:구독|좋아요)(?:와|과|이랑|랑|및|,)?(?:구독|좋아요)(?:부탁|해주세요|눌러주세요)/,
    re(`${KO_SELF}.{0,20}?${KO_ASK}`),
    /(채널|유튜브|블로그|방송|인스타|계정).{0,8}?(놀러|구경|방문|들러)\S{0,2}?(주세요|오세요|와요|와주|오실|와줘|해주|하세요|부탁)/,
    /(초보|신입|새내기|작은|새싹|신생|병아리|소규모)(유튜버|채널|크리에이터).{0,30}?(구독|놀러|봐주|응원|부탁)/,
  ];

  // [code, weight, test on {n: normal text, c: compact text, f: folded text}]
  const RULES = [
    ['contact', 0.6, (t) => (MESSENGER.test(t.c) && CONTACT_VERB.test(t.c)) ||
      /\b(dm|message|text|contact) me\b/.test(t.n) || /(010|070)[\s.-]?\d{3,4}[\s.-]?\d{4}/.test(t.n) ||
      (/\+\d{1,3}[\s-]?\d{3,4}[\s-]?\d{3,4}[\s-]?\d{2,4}\b/.test(t.f) && /\b(call|text|talk to|whatsapp|message|contact|dm|hmu)\b/.test(t.f)) ||
      FOLLOW_ME.some((r) => r.test(t.f))],
    ['invest', 0.6, (t) => /(리딩방|선물리딩|코인선물|급등주|수익률\d+%|수익보장|원금보장|종목추천|무료추천|고수익보장|시그널방)/.test(t.c) ||
      /(trading signals?|guaranteed (daily |weekly )?(profit|returns?)|forex|binary options?|crypto signals?|\d+% accuracy|double your (money|bitcoin)|investment platform)/.test(t.n)],
    ['gambling', 0.6, (t) => /(토토|카지노|바카라|슬롯|안전놀이터|놀이터추천|꽁머니|첫충|매충|먹튀|배팅|파워볼|홀덤)/.test(t.c) ||
      /(online casino|casino|free spins|welcome bonus|sports ?betting|bet now|jackpot|poker site)/.test(t.n)],
    ['loan', 0.6, (t) => /(대출|급전|현금화|소액결제|무직자|저신용|신용불량|작업대출|카드깡|내구제)/.test(t.c) ||
      /(payday loans?|instant loan|no credit check|loan approval|cash fast|quick cash|fast cash)/.test(t.n)],
    ['sidejob', 0.6, (t) => /(부업|재택알바|고수익알바|재택부업|하루\d+시간|월\d+(만원)?벌|일당\d+|주급\d+)/.test(t.c) || EASY_MONEY.test(t.f) ||
      /(work(ing)? from home|no experience (needed|required)|make \$?\d+[k]? (a|per) (day|week|hour)|extra income|passive income|earn \$\d+|get paid (to|for) (take|taking|do|doing|fill|filling|complete|completing) (surveys?|offers?))/.test(t.n)],
    ['adult', 0.6, (t) => /(19금|성인영상|성인방송|야동|조건만남|외로운분|외로운남자|만남사이트|🔞)/.test(t.c) ||
      /섹시(한)?(영상|사진|방송|언니|여자).{0,20}(보러|클릭|프로필|링크|무료|놀러|보세요|연락)/.test(t.c) ||
      ADULT_EN.some((r) => r.test(t.f))],
    ['impersonation', 0.6, (t) => /(당첨되셨|당첨축하|경품|이벤트당첨|당첨자|선물을드립니다)/.test(t.c) ||
      /(congratulations.{0,60}(winner|won|selected)|claim (your )?(prize|reward|gift)|you (have )?won(?!['’]t)\b|giveaway winner|selected as (a |the )?winner)/.test(t.n) ||
      (FREE_STUFF.test(t.f) && (CLAIM.test(t.f) || anyLink(t.f))) || LIKE_TO_WIN.test(t.f) || (SURVEY.test(t.f) && /\b(free|gift|reward|prize|\$\d)/.test(t.f)) ||
      HACK.test(t.f)],
    ['testimonial', 0.6, (t) => /((덕분에|덕택에|도움으로|덕에).{0,40}(수익|원금|손실|복구|\d+배|벌었|벌고))|(전문가선생님|리딩선생님|투자선생님)/.test(t.c) ||
      /((thanks to|because of|grateful to) .{0,60}(portfolio|profit|\$\d|earn(ed|ing)?|invest))|(financial advisor|account manager|investment manager|(mrs?|ms)\.? [a-z]+ [a-z]+ .{0,30}(invest|trading|portfolio))/.test(t.n)],
    ['promo', 0.6, (t) => KOREAN_PROMO.some((r) => r.test(t.c)) || ENGLISH_PROMO.some((r) => r.test(t.f)) ||
      growthForSale(t.f) || selfPromo(t.f) || spacedAsk(t.f) || CHAIN.test(t.f) || sermon(t.f)],
  ];

  const AUTHOR = /(수익|텔레|카톡|리딩|투자|💰|부업|대출|토토|카지노|19금|코인|casino|crypto|profit|telegram|whatsapp|invest|bitcoin|forex|loan|onlyfans)/;

  // Letters that stand in for others in look-alike handles.
  const skeleton = (s) => normal(s).replace(/^@/, '').replace(/[1|!]/g, 'l').replace(/0/g, 'o').replace(/3/g, 'e')
    .replace(/5/g, 's').replace(/rn/g, 'm').replace(/vv/g, 'w').replace(/[\s._\-]/g, '');

  function judge(item, opts, owners) {
    const likes = item.likeCount;
    if (item.isOwner) return { state: 'ok', reason: '', score: 0 };
    if (opts && opts.noLikesOnly && typeof likes === 'number' && likes >= Math.max(1, Number(opts.minLikes) || 1)) {
      return { state: 'skip', reason: LIKES_SKIP, score: 0 };
    }
    const n = normal(item.text);
    const t = { n, c: compact(item.text), f: folded(n) };
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
