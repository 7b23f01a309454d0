-- Tables of the shop
/* A block comment
   across two lines */
CREATE TABLE [order items] (id INT NOT NULL PRIMARY KEY, "name" VARCHAR(40), price NUMERIC(10, 2));
select count(*), sum(price) from orders o where o.total >= 10.5 and o.note like 'it''s%';
INSERT INTO orders VALUES (1, 'a', 2.5e3, @var, NULL);
update orders set total = total * 1.2 where id in (select id from archive) -- trailing
DELETE FROM orders WHERE "quoted "" name" = 1 OR [bracket]] name] = 2;
declare @x int; exec sp_help 'orders'; go
SELECT 'unterminated
