-- Generated stock of a large installation (at scale 1: 2,000 groups, 100,000 materials,
-- 20,000 second units). The names follow the pattern that the catalogue and the orders use;
-- every 400th group is there twice. The same scale always gives the same rows.
SET TERM ^ ;
EXECUTE BLOCK AS
  DECLARE nGroups INTEGER;
  DECLARE i INTEGER = 1;
BEGIN
  nGroups = MAXVALUE(1, CAST(2000 * @SCALE@ AS INTEGER));
  WHILE (i <= nGroups) DO
  BEGIN
    INSERT INTO stock_Group (GroupMain, SubGroup, Vid, NoteP, NoteF, Group_Note)
    VALUES ('Группа ' || :i, SUBSTRING('ABCD' FROM MOD(:i, 4) + 1 FOR 1), 'П',
            DECODE(MOD(:i, 6), 0, 'T', 1, 'F', 2, '', 3, 't', 4, 'X', NULL),
            DECODE(MOD(:i, 3), 0, 'T', 1, 'F', ''), IIF(MOD(:i, 10) = 0, 'Группа материалов ' || :i, NULL));
    IF (MOD(:i, 400) = 0) THEN
      INSERT INTO stock_Group (GroupMain, SubGroup, Vid, NoteP, NoteF, Group_Note)
      VALUES ('Группа ' || :i, 'A', 'П', 'T', 'T', 'Повтор имени');
    i = i + 1;
  END
END^

EXECUTE BLOCK AS
  DECLARE nMaterials INTEGER;
  DECLARE i INTEGER = 1;
  DECLARE x BIGINT = 20190514;
BEGIN
  nMaterials = MAXVALUE(1, CAST(100000 * @SCALE@ AS INTEGER));
  WHILE (i <= nMaterials) DO
  BEGIN
    x = MOD(x * 1103515245 + 12345, 2147483648);
    -- Numbered by GEN_STOCKMAIN through BI_STOCKMAIN, right after the materials already there.
    INSERT INTO StockMain (KodBuch, KodBuch_2, Material, Artikul, UnitMat, Package, MinQuantity, Norm, Ration, Info)
    VALUES (100000 + :i, IIF(MOD(:i, 3) = 0, NULL, 200000 + :i), 'Материал ' || :i, 'А-' || MOD(:x, 100000),
            DECODE(MOD(:i, 4), 0, 'м', 1, 'шт', 2, 'м2', 'кг'), 1 + MOD(:x / 7, 50), MOD(:x / 11, 100), 1 + MOD(:x / 13, 3),
            IIF(MOD(:i, 50) = 49, NULL, DECODE(MOD(:i, 4), 0, 2.5, 1, 3.5, 2, MOD(:x / 17, 1000) / 100.0, 1)),
            CAST(IIF(MOD(:i, 10) = 0, 'Цвет ' || MOD(:x, 12) || ASCII_CHAR(13) || ASCII_CHAR(10) || 'Партия ' || MOD(:x / 3, 500), NULL)
                 AS VARCHAR(60) CHARACTER SET WIN1251));
    i = i + 1;
  END
END^

EXECUTE BLOCK AS
  DECLARE nUnits INTEGER;
  DECLARE nMaterials INTEGER;
  DECLARE i INTEGER = 1;
  DECLARE x BIGINT = 1105;
BEGIN
  nUnits = MAXVALUE(1, CAST(20000 * @SCALE@ AS INTEGER));
  SELECT MAX(KodMaterial) FROM StockMain INTO :nMaterials;
  WHILE (i <= nUnits) DO
  BEGIN
    x = MOD(x * 1103515245 + 12345, 2147483648);
    INSERT INTO Stock_Unit (KodUnit, KodMaterial, Unit2, K1, Znak1)
    VALUES (3 + :i, 1 + MOD(:x, :nMaterials), DECODE(MOD(:x / 5, 3), 0, 'упак', 1, 'хлыст', 'лист'), 1 + MOD(:x / 7, 20), MOD(:x / 3, 2));
    i = i + 1;
  END
END^
SET TERM ; ^
