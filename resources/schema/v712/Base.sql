-- Base: the shared catalogue, its number, and a work that Config does not have.
UPDATE kv_Setting SET numberBase = 1;
INSERT INTO Rab (KODRABOTA, NAMERABOTA, UnitRab, Cost, RABNOTE, KODCAPITAL, Norm) VALUES (4, 'Доставка', 'км', 40, NULL, NULL, 0);
