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
