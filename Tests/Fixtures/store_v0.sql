-- A history file of the first version: no runs, fewer columns, user_version 0.
CREATE TABLE posts (url TEXT PRIMARY KEY, site TEXT NOT NULL, title TEXT NOT NULL,
  scanned_at REAL NOT NULL, total INTEGER NOT NULL, flagged INTEGER NOT NULL);
CREATE TABLE comments (site TEXT NOT NULL, id TEXT NOT NULL, post TEXT NOT NULL, hash TEXT NOT NULL,
  options TEXT, spam REAL, abuse REAL, sexual REAL, seen_at REAL NOT NULL, PRIMARY KEY (site, id));
INSERT INTO posts VALUES ('https://www.youtube.com/watch?v=aaa', 'youtube', 'A', 1700000000.0, 10, 1);
INSERT INTO posts VALUES ('https://www.instagram.com/p/ddd/', 'instagram', 'D', 1700000050.0, 4, 0);
INSERT INTO posts VALUES ('https://www.youtube.com/watch?v=bbb', 'youtube', 'B', 1700000100.0, 0, 0);
INSERT INTO posts VALUES ('https://www.youtube.com/watch?v=ccc', 'youtube', 'C', 1700000401.0, 7, 2);
INSERT INTO posts VALUES ('https://www.youtube.com/watch?v=eee', 'youtube', 'E', 0.0, 0, 0);
INSERT INTO comments VALUES ('youtube', 'c1', 'https://www.youtube.com/watch?v=aaa',
  'e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855', 'spam', 0.9, 0.0, 0.0, 1700000000.0);
