-- The bundled sample: the stock list of a small hardware shop, 300
-- products with an integer, a text, a real, a date and a memo column.
-- Rebuilt from this script each time: the same rows every time.
CREATE TABLE products(
  id INTEGER PRIMARY KEY,
  name VARCHAR(30),
  price REAL,
  received DATE,
  notes MEMO
);

WITH RECURSIVE
  n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 300),
  kinds(k, kind) AS (VALUES (0, 'Claw hammer'), (1, 'Screwdriver set'), (2, 'Adjustable wrench'),
                            (3, 'Tape measure'), (4, 'Hand saw'), (5, 'Spirit level'), (6, 'Utility knife'),
                            (7, 'Pliers'), (8, 'Wood chisel'), (9, 'Paint brush'), (10, 'Cordless drill'),
                            (11, 'Work gloves')),
  sizes(s, size) AS (VALUES (0, 'small'), (1, 'medium'), (2, 'large'), (3, 'heavy duty'), (4, 'compact'))
INSERT INTO products
SELECT i,
       (SELECT kind FROM kinds WHERE k = i % 12) || ', ' || (SELECT size FROM sizes WHERE s = (i / 12) % 5),
       round(2.5 + ((i * 37) % 400) / 4.0, 2),
       date('2024-01-02', '+' || ((i * 7) % 360) || ' days'),
       CASE i % 4
         WHEN 0 THEN 'Keep dry. Stored in the back room, upper shelf.'
         WHEN 1 THEN 'From the regional supplier; delivery takes about two weeks.'
         WHEN 2 THEN NULL
         ELSE 'Sells well: reorder when fewer than ' || (5 + i % 10) || ' are left.'
       END
FROM n;
