-- The benchmark's table: 1,000,000 rows of six columns (an integer, a short
-- text, a real, a date, a longer text and an integer), the same every time.
CREATE TABLE orders(
  id INTEGER PRIMARY KEY,
  code VARCHAR(8),
  amount REAL,
  shipped DATE,
  note VARCHAR(60),
  qty INTEGER
);
WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 1000000)
INSERT INTO orders
SELECT i,
       printf('K%06d', (i * 7919) % 1000000),
       round(((i * 7907) % 1000000) / 100.0, 2),
       date('2000-01-01', '+' || ((i * 31) % 9000) || ' days'),
       substr('shipped by sea to the northern warehouse with care and handle upright; fragile goods inside',
              1 + (i % 17), 24 + (i * 13) % 36),
       (i * 101) % 5000
FROM n;

-- The same rows with texts in several scripts: Latin letters with accents,
-- Greek, CJK ideographs (two cells each) and Cyrillic, cut at different
-- characters from row to row.
CREATE TABLE orders_mixed(
  id INTEGER PRIMARY KEY,
  code VARCHAR(8),
  amount REAL,
  shipped DATE,
  note VARCHAR(60),
  qty INTEGER
);
INSERT INTO orders_mixed
SELECT id,
       'Ü' || substr(code, 2),
       amount,
       shipped,
       substr('Lieferung über Zürich, Αποστολή στην Αθήνα, 送货到北京仓库, доставка в Москву; fragile',
              1 + (id % 17), 24 + (id * 13) % 36),
       qty
FROM orders;
