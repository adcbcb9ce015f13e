-- Generated prices of a large installation: one price for nine materials in ten (the same
-- materials as the stock), three history rows a price.
SET TERM ^ ;
EXECUTE BLOCK AS
  DECLARE nMaterials INTEGER;
  DECLARE i INTEGER = 1;
  DECLARE k INTEGER = 3;
  DECLARE h INTEGER = 3;
  DECLARE x BIGINT = 1903;
  DECLARE cost NUMERIC(15,2);
BEGIN
  nMaterials = MAXVALUE(1, CAST(100000 * @SCALE@ AS INTEGER));
  WHILE (i <= nMaterials) DO
  BEGIN
    IF (MOD(i, 10) <> 0) THEN
    BEGIN
      x = MOD(x * 1103515245 + 12345, 2147483648);
      cost = 10 + MOD(x, 500000) / 100.0;
      k = k + 1;
      INSERT INTO Price (KodPrice, KodMaterial, CostBase, NDS, COSTBASENDS, CostSale, Discount, Currency, DateChange, NameManager)
      VALUES (:k, 6 + :i, :cost, 20, :cost * 1.2, :cost * 1.45, MOD(:x / 7, 4) * 5, 'RUB', DATEADD(MOD(:x, 900) DAY TO DATE '2017-01-01'),
              IIF(MOD(:x, 3) = 0, NULL, 'Менеджер ' || MOD(:x / 3, 50)));
      INSERT INTO PRICEHISTORY (KodHistory, KodMaterial, DateChange, CostBase, NDS, COSTBASENDS, CostSale)
      VALUES (:h + 1, 6 + :i, DATE '2016-01-10', :cost * 0.8, 18, :cost * 0.8 * 1.18, :cost * 1.1);
      INSERT INTO PRICEHISTORY (KodHistory, KodMaterial, DateChange, CostBase, NDS, COSTBASENDS, CostSale)
      VALUES (:h + 2, 6 + :i, DATE '2018-01-10', :cost * 0.9, 18, :cost * 0.9 * 1.18, :cost * 1.3);
      INSERT INTO PRICEHISTORY (KodHistory, KodMaterial, DateChange, CostBase, NDS, COSTBASENDS, CostSale)
      VALUES (:h + 3, 6 + :i, DATE '2019-01-10', :cost, 20, :cost * 1.2, :cost * 1.45);
      h = h + 3;
    END
    i = i + 1;
  END
END^
SET TERM ; ^
