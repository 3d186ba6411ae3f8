-- A history file of the second version: runs filed one session per post ("legacy:<url>"), user_version 1.
CREATE TABLE posts (url TEXT PRIMARY KEY, site TEXT NOT NULL, title TEXT NOT NULL,
  scanned_at REAL NOT NULL, total INTEGER NOT NULL, flagged INTEGER NOT NULL,
  watched INTEGER NOT NULL DEFAULT 0, deleted INTEGER NOT NULL DEFAULT 0, thumbnail TEXT);
CREATE TABLE comments (site TEXT NOT NULL, id TEXT NOT NULL, post TEXT NOT NULL, hash TEXT NOT NULL,
  options TEXT, spam REAL, abuse REAL, sexual REAL, seen_at REAL NOT NULL, author TEXT, text TEXT,
  published_at REAL, like_count REAL, state TEXT, kind TEXT, reason TEXT, ai_prob REAL,
  first_seen_at REAL, deleted_at REAL, PRIMARY KEY (site, id));
CREATE TABLE runs (id INTEGER PRIMARY KEY AUTOINCREMENT, session TEXT NOT NULL, kind TEXT NOT NULL,
  site TEXT NOT NULL, post TEXT NOT NULL, at REAL NOT NULL, total INTEGER NOT NULL DEFAULT 0,
  flagged INTEGER NOT NULL DEFAULT 0, added INTEGER NOT NULL DEFAULT 0, deleted INTEGER NOT NULL DEFAULT 0,
  failed INTEGER NOT NULL DEFAULT 0, note TEXT NOT NULL DEFAULT '', auto INTEGER NOT NULL DEFAULT 0);
CREATE TABLE run_items (run INTEGER NOT NULL, id TEXT NOT NULL, state TEXT NOT NULL,
  kind TEXT NOT NULL DEFAULT '', reason TEXT NOT NULL DEFAULT '', ai_prob REAL,
  fresh INTEGER NOT NULL DEFAULT 0, hits TEXT, PRIMARY KEY (run, id)) WITHOUT ROWID;
-- One chain on youtube, each run within 200 s of the last: one group from id 1.
INSERT INTO runs (id, session, kind, site, post, at, total, note) VALUES
  (1, 'legacy:https://www.youtube.com/watch?v=p1', 'scan', 'youtube', 'https://www.youtube.com/watch?v=p1', 1700000000.0, 3, 'kept'),
  (2, 'legacy:https://www.youtube.com/watch?v=p2', 'scan', 'youtube', 'https://www.youtube.com/watch?v=p2', 1700000200.0, 0, 'nothing new'),
  (3, 'legacy:https://www.youtube.com/watch?v=p3', 'scan', 'youtube', 'https://www.youtube.com/watch?v=p3', 1700000400.0, 5, ''),
  (4, 'legacy:https://www.youtube.com/watch?v=p4', 'scan', 'youtube', 'https://www.youtube.com/watch?v=p4', 1700000600.0, 2, '');
-- Exactly 300 s after the last: stays in the group.
INSERT INTO runs (id, session, kind, site, post, at, total, failed, note) VALUES
  (5, 'legacy:https://www.youtube.com/watch?v=p5', 'scan', 'youtube', 'https://www.youtube.com/watch?v=p5', 1700000900.0, 0, 1, 'failed to load');
-- 301 s after the last: a new group from id 6.
INSERT INTO runs (id, session, kind, site, post, at, total) VALUES
  (6, 'legacy:https://www.youtube.com/watch?v=p6', 'scan', 'youtube', 'https://www.youtube.com/watch?v=p6', 1700001201.0, 1);
-- Another site at the same time: its own group.
INSERT INTO runs (id, session, kind, site, post, at, total) VALUES
  (7, 'legacy:https://www.instagram.com/p/q1/', 'scan', 'instagram', 'https://www.instagram.com/p/q1/', 1700000100.0, 1);
-- A run that is not legacy is left alone; an unreadable time is skipped.
INSERT INTO runs (id, session, kind, site, post, at, total, note) VALUES
  (8, 'b4c1-session', 'scan', 'youtube', 'https://www.youtube.com/watch?v=p1', 1700000100.0, 0, 'own note'),
  (9, 'legacy:https://www.youtube.com/watch?v=p9', 'scan', 'youtube', 'https://www.youtube.com/watch?v=p9', 'soon', 1, '');
INSERT INTO run_items (run, id, state) VALUES (1, 'c1', 'ok');
-- Scanned but without a run: version 1 files are not given legacy runs again.
INSERT INTO posts VALUES ('https://www.youtube.com/watch?v=p7', 'youtube', 'P7', 1700000000.0, 1, 0, 0, 0, NULL);
PRAGMA user_version = 1;
