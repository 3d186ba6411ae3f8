-- A history file of the fourth version (user_version 3): kept totals, no author ids yet. Ann and Dan
-- had comments deleted; Ann's name is shared later by someone else.
CREATE TABLE posts (url TEXT PRIMARY KEY, site TEXT NOT NULL, title TEXT NOT NULL, scanned_at REAL NOT NULL, total INTEGER NOT NULL, flagged INTEGER NOT NULL, watched INTEGER NOT NULL DEFAULT 0, deleted INTEGER NOT NULL DEFAULT 0, thumbnail TEXT, full_at REAL);
CREATE TABLE comments (site TEXT NOT NULL, id TEXT NOT NULL, post TEXT NOT NULL, hash TEXT NOT NULL, options TEXT, spam REAL, abuse REAL, sexual REAL, seen_at REAL NOT NULL, author TEXT, text TEXT, published_at REAL, like_count REAL, state TEXT, kind TEXT, reason TEXT, ai_prob REAL, first_seen_at REAL, deleted_at REAL, avatar TEXT, rules TEXT, kept_at REAL, PRIMARY KEY (site, id));
CREATE INDEX comments_post ON comments (post, seen_at);
CREATE INDEX comments_deleted_author ON comments (site, author) WHERE deleted_at IS NOT NULL;
CREATE INDEX comments_pending ON comments (post) WHERE state = 'spam' AND deleted_at IS NULL;
CREATE TABLE runs (id INTEGER PRIMARY KEY AUTOINCREMENT, session TEXT NOT NULL, kind TEXT NOT NULL, site TEXT NOT NULL, post TEXT NOT NULL, at REAL NOT NULL, total INTEGER NOT NULL DEFAULT 0, flagged INTEGER NOT NULL DEFAULT 0, added INTEGER NOT NULL DEFAULT 0, deleted INTEGER NOT NULL DEFAULT 0, failed INTEGER NOT NULL DEFAULT 0, note TEXT NOT NULL DEFAULT '', auto INTEGER NOT NULL DEFAULT 0);
CREATE TABLE run_items (run INTEGER NOT NULL, id TEXT NOT NULL, state TEXT NOT NULL, kind TEXT NOT NULL DEFAULT '', reason TEXT NOT NULL DEFAULT '', ai_prob REAL, fresh INTEGER NOT NULL DEFAULT 0, hits TEXT, PRIMARY KEY (run, id)) WITHOUT ROWID;
CREATE TABLE found (url TEXT PRIMARY KEY, site TEXT NOT NULL, title TEXT NOT NULL, thumbnail TEXT, found_at REAL NOT NULL);
CREATE TABLE dismissed (url TEXT PRIMARY KEY, site TEXT NOT NULL, at REAL NOT NULL);
CREATE INDEX runs_post ON runs (post, id);
CREATE INDEX runs_site ON runs (site, id);
CREATE TABLE comment_totals (site TEXT PRIMARY KEY, comments INTEGER NOT NULL DEFAULT 0, deleted INTEGER NOT NULL DEFAULT 0);
CREATE TRIGGER comment_totals_insert AFTER INSERT ON comments BEGIN INSERT INTO comment_totals (site, comments, deleted) VALUES (new.site, 1, new.deleted_at IS NOT NULL) ON CONFLICT (site) DO UPDATE SET comments = comments + 1, deleted = deleted + excluded.deleted; END;
CREATE TRIGGER comment_totals_delete AFTER DELETE ON comments BEGIN UPDATE comment_totals SET comments = comments - 1, deleted = deleted - (old.deleted_at IS NOT NULL) WHERE site = old.site; END;
CREATE TRIGGER comment_totals_update AFTER UPDATE OF site, deleted_at ON comments WHEN old.site IS NOT new.site OR (old.deleted_at IS NULL) != (new.deleted_at IS NULL) BEGIN UPDATE comment_totals SET comments = comments - 1, deleted = deleted - (old.deleted_at IS NOT NULL) WHERE site = old.site; INSERT INTO comment_totals (site, comments, deleted) VALUES (new.site, 1, new.deleted_at IS NOT NULL) ON CONFLICT (site) DO UPDATE SET comments = comments + 1, deleted = deleted + excluded.deleted; END;
CREATE INDEX comments_pending_seen ON comments (site, post, seen_at) WHERE state = 'spam' AND deleted_at IS NULL;
CREATE INDEX comments_deleted_at ON comments (deleted_at) WHERE deleted_at IS NOT NULL;
CREATE INDEX comments_spam_first ON comments (first_seen_at) WHERE state = 'spam';
-- p1 had a full scan at 1700000500: its comments seen only before that are not current.
INSERT INTO posts VALUES ('https://www.youtube.com/watch?v=p1', 'youtube', 'P1', 1700000600.0, 2, 1, 0, 1, NULL, 1700000500.0);
INSERT INTO posts VALUES ('https://www.youtube.com/watch?v=p2', 'youtube', 'P2', 1700000100.0, 1, 1, 0, 1, NULL, NULL);
INSERT INTO posts VALUES ('https://www.instagram.com/p/q1/', 'instagram', 'Q1', 1700000200.0, 2, 1, 1, 0, NULL, NULL);
INSERT INTO comments (site, id, post, hash, seen_at, author, text, state, kind, reason, first_seen_at, deleted_at) VALUES
  ('youtube', 'c1', 'https://www.youtube.com/watch?v=p1', 'h1', 1700000000.0, 'Ann', 'old spam', 'spam', 'spam', 'link', 1700000000.0, NULL),
  ('youtube', 'c2', 'https://www.youtube.com/watch?v=p1', 'h2', 1700000600.0, 'Ann', 'spam', 'spam', 'spam', 'link', 1700000000.0, NULL),
  ('youtube', 'c3', 'https://www.youtube.com/watch?v=p1', 'h3', 1700000600.0, 'Bob', 'fine', 'ok', '', '', 1700000600.0, NULL),
  ('youtube', 'c4', 'https://www.youtube.com/watch?v=p1', 'h4', 1700000600.0, 'Ann', 'gone', 'spam', 'spam', 'link', 1700000600.0, 1700000700.0),
  ('youtube', 'd1', 'https://www.youtube.com/watch?v=p2', 'h5', 1700000100.0, 'Cat', 'spam', 'spam', 'spam', 'promo', 1700000100.0, NULL),
  ('youtube', 'd2', 'https://www.youtube.com/watch?v=p2', 'h6', 1700000100.0, 'Dan', 'rude', 'ok', '', '', 1700000100.0, 1700086500.0),
  -- a comment of a post without a row, stored before first_seen_at existed
  ('youtube', 'e1', 'https://www.youtube.com/watch?v=p9', 'h7', 1700000100.0, NULL, NULL, 'spam', 'spam', 'link', NULL, NULL),
  ('instagram', 'i1', 'https://www.instagram.com/p/q1/', 'h8', 1700000200.0, 'Eve', 'spam', 'spam', 'spam', 'link', 1700000200.0, NULL),
  ('instagram', 'i2', 'https://www.instagram.com/p/q1/', 'h9', 1700000200.0, 'Fay', 'nice', NULL, NULL, NULL, 1700000200.0, NULL);
INSERT INTO runs (session, kind, site, post, at, total, flagged) VALUES
  ('s1', 'scan', 'youtube', 'https://www.youtube.com/watch?v=p1', 1700000600.0, 2, 1);
PRAGMA user_version = 3;
