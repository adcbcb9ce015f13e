-- Generated catalogue of a large installation, alike in Base and Config (at scale 1: 2,000
-- groups, 100,000 materials, 300 pointers, 200 works, 1,000 dictionary elements, 2,000 fittings
-- sets and 60,000 fittings materials). Names follow fixed patterns shared with Sorvin and the
-- orders ("Группа k", "Указатель k", "Работа k", "Атрибут k", "Элемент k"), and about one in ten
-- matches nothing: another case, a trailing blank, NULL or a name nobody has. Lists take every
-- line-break kind, junk lines, 0, repeats and empty lines. The same scale gives the same rows.
SET TERM ^ ;
EXECUTE BLOCK AS
  DECLARE nGroups INTEGER;
  DECLARE nMaterials INTEGER;
  DECLARE i INTEGER = 1;
  DECLARE x BIGINT = 20190514;
BEGIN
  nGroups = MAXVALUE(1, CAST(2000 * @SCALE@ AS INTEGER));
  nMaterials = MAXVALUE(1, CAST(100000 * @SCALE@ AS INTEGER));
  WHILE (i <= nGroups) DO
  BEGIN
    INSERT INTO stock_Group (GroupMain, SubGroup, Vid, NoteP, NoteF, Group_Note)
    VALUES ('Группа ' || :i, SUBSTRING('ABCD' FROM MOD(:i, 4) + 1 FOR 1), 'П', 'T', 'F', NULL);
    i = i + 1;
  END
  i = 1;
  -- The same materials as Sorvin's StockMain, numbered from 7 on.
  WHILE (i <= nMaterials) DO
  BEGIN
    x = MOD(x * 1103515245 + 12345, 2147483648);
    INSERT INTO Stock (KodMaterial, KodBuch, Material, Artikul, UnitMat, Package, MinQuantity, Norm, Ration, CostBase, Quantity, Info)
    VALUES (6 + :i, 100000 + :i, 'Материал ' || :i, 'А-' || MOD(:x, 100000), DECODE(MOD(:i, 4), 0, 'м', 1, 'шт', 2, 'м2', 'кг'),
            1 + MOD(:x / 7, 50), MOD(:x / 11, 100), 1 + MOD(:x / 13, 3), DECODE(MOD(:i, 5), 0, 2.5, 1, 3.5, 1),
            10 + MOD(:x, 500000) / 100.0, MOD(:x / 3, 10000), CAST(IIF(MOD(:i, 10) = 0, 'Партия ' || MOD(:x / 3, 500), NULL) AS VARCHAR(40) CHARACTER SET WIN1251));
    i = i + 1;
  END
  i = 1;
  WHILE (i <= nMaterials / 5) DO
  BEGIN
    x = MOD(x * 1103515245 + 12345, 2147483648);
    INSERT INTO STOCK_SIZE (NumberMain, KodMaterial, LengthMat, WidthMat, HeightMat, Weight, MinLength, MaxLength)
    VALUES (2 + :i, 6 + 5 * :i, 6000, 40 + MOD(:x, 60), 50 + MOD(:x / 3, 60), MOD(:x, 300) / 100.0, 300, 6000);
    INSERT INTO con_1 (NumberMain, KodMaterial, KodMaterial1, Kolvo) VALUES (2 + :i, 6 + 5 * :i, 1 + MOD(:x, :nMaterials), 1);
    i = i + 1;
  END
  i = 1;
  WHILE (i <= nMaterials / 100) DO
  BEGIN
    INSERT INTO stock_SizeFilling (NumberMain, KodMaterial, WidthFilling, HeightFilling) VALUES (1 + :i, 6 + 100 * :i, 2000, 3000);
    INSERT INTO STOCK_RISUNOK (KodMaterial, NameRisunok) VALUES (6 + 100 * :i, 'Сечение ' || :i);
    i = i + 1;
  END
END^

-- Reference lists: attributes, pointers (kinds A and B, every 50th name repeated, a few of kind
-- "a"), works, the element dictionary and the element parameters.
EXECUTE BLOCK AS
  DECLARE nAttributes INTEGER;
  DECLARE nPointers INTEGER;
  DECLARE nWorks INTEGER;
  DECLARE nGroups INTEGER;
  DECLARE nElements INTEGER;
  DECLARE nNames INTEGER;
  DECLARE nParameters INTEGER;
  DECLARE i INTEGER = 1;
BEGIN
  nAttributes = MAXVALUE(1, CAST(20 * @SCALE@ AS INTEGER));
  nPointers = MAXVALUE(1, CAST(300 * @SCALE@ AS INTEGER));
  nWorks = MAXVALUE(1, CAST(200 * @SCALE@ AS INTEGER));
  nGroups = MAXVALUE(1, CAST(2000 * @SCALE@ AS INTEGER));
  nElements = MAXVALUE(1, CAST(1000 * @SCALE@ AS INTEGER));
  nNames = MAXVALUE(1, nElements / 4);
  nParameters = MAXVALUE(1, CAST(50 * @SCALE@ AS INTEGER));
  WHILE (i <= nAttributes) DO
  BEGIN
    INSERT INTO set_Config (Attribute, AttributeColor, Note) VALUES ('Атрибут ' || :i, MOD(:i, 16), NULL);
    i = i + 1;
  END
  i = 1;
  WHILE (i <= nPointers) DO
  BEGIN
    INSERT INTO SET_UKAZATEL (NUMBERMAIN, VID, UKAZATEL, Note)
    VALUES (11 + :i, IIF(MOD(:i, 100) = 99, 'a', IIF(MOD(:i, 2) = 0, 'A', 'B')),
            'Указатель ' || IIF(MOD(:i, 50) = 0, :i - 2, :i), NULL);
    i = i + 1;
  END
  i = 1;
  WHILE (i <= nWorks) DO
  BEGIN
    INSERT INTO Rab (KODRABOTA, NAMERABOTA, UnitRab, Cost, RABNOTE, KODCAPITAL, Norm)
    VALUES (6 + :i, 'Работа ' || :i, IIF(MOD(:i, 3) = 0, 'м', 'шт'), 100 + MOD(:i * 37, 2000), NULL, MOD(:i, 4), 1);
    INSERT INTO W_OPERATION (NumberMain, KODRABOTA, NameOperation, Norm, Cost) VALUES (2 + :i, 6 + :i, 'Операция ' || :i, 0.1, 20);
    i = i + 1;
  END
  i = 1;
  WHILE (i <= nElements) DO
  BEGIN
    INSERT INTO de (KodElement, Structure, NameElement, ConnectW, ConnectH, Capital, kodLimit, WidthMin, WidthMax)
    VALUES (6 + :i, 'Группа ' || (1 + MOD(:i * 7, :nGroups)), 'Элемент ' || (1 + MOD(:i, :nNames)), MOD(:i, 2), MOD(:i / 2, 2), MOD(:i, 3), NULL, 300, 3000);
    INSERT INTO SET_ELEMENT (NumberMain, NameElement, KodMaterial, Note) VALUES (2 + :i, 'Элемент ' || (1 + MOD(:i, :nNames)), 6 + :i, NULL);
    i = i + 1;
  END
  i = 1;
  WHILE (i <= nParameters) DO
  BEGIN
    INSERT INTO Set_ParameterDE (NUMBERMAIN, NAMEPARAMETER) VALUES (3 + :i, 'Параметр ' || :i);
    i = i + 1;
  END
END^

-- Material lists that name groups and pointers, and the sides of openings with their side
-- pointer lists.
EXECUTE BLOCK AS
  DECLARE nGroups INTEGER;
  DECLARE nMaterials INTEGER;
  DECLARE nPointers INTEGER;
  DECLARE nWorks INTEGER;
  DECLARE nParameters INTEGER;
  DECLARE n INTEGER;
  DECLARE i INTEGER = 1;
  DECLARE j INTEGER;
  DECLARE x BIGINT = 7741;
  DECLARE karta VARCHAR(1000) CHARACTER SET WIN1251;
  DECLARE FUNCTION groupName(x BIGINT, n INTEGER) RETURNS VARCHAR(24) CHARACTER SET WIN1251 AS
    DECLARE r INTEGER;
  BEGIN
    r = MOD(x, 100);
    RETURN CASE WHEN r < 90 THEN 'Группа ' || (1 + MOD(x / 100, n)) WHEN r < 93 THEN 'группа ' || (1 + MOD(x / 100, n))
                WHEN r < 96 THEN 'Группа ' || (1 + MOD(x / 100, n)) || ' ' WHEN r < 98 THEN NULL
                ELSE 'Нет группы ' || MOD(x / 100, 1000) END;
  END
  DECLARE FUNCTION pointerName(x BIGINT, n INTEGER) RETURNS VARCHAR(60) CHARACTER SET WIN1251 AS
    DECLARE r INTEGER;
  BEGIN
    r = MOD(x / 3, 100);
    RETURN CASE WHEN r < 85 THEN 'Указатель ' || (1 + MOD(x / 300, n)) WHEN r < 90 THEN DECODE(MOD(x, 3), 0, 'Рама', 1, 'Створка', 'Левая сторона')
                WHEN r < 94 THEN 'указатель ' || (1 + MOD(x / 300, n)) WHEN r < 97 THEN NULL ELSE 'Нет указателя' END;
  END
  DECLARE FUNCTION lineBreak(x BIGINT) RETURNS VARCHAR(2) CHARACTER SET WIN1251 AS
  BEGIN
    RETURN DECODE(MOD(x, 3), 0, ASCII_CHAR(13) || ASCII_CHAR(10), 1, ASCII_CHAR(13), ASCII_CHAR(10));
  END
BEGIN
  nGroups = MAXVALUE(1, CAST(2000 * @SCALE@ AS INTEGER));
  nMaterials = MAXVALUE(1, CAST(100000 * @SCALE@ AS INTEGER));
  nPointers = MAXVALUE(1, CAST(300 * @SCALE@ AS INTEGER));
  nWorks = MAXVALUE(1, CAST(200 * @SCALE@ AS INTEGER));
  nParameters = MAXVALUE(1, CAST(50 * @SCALE@ AS INTEGER));
  n = MAXVALUE(1, CAST(5000 * @SCALE@ AS INTEGER));
  WHILE (i <= n) DO
  BEGIN
    x = MOD(x * 1103515245 + 12345, 2147483648);
    INSERT INTO acc (NumberAcc, Structure, NameAcc, KodMaterial, Note) VALUES (6 + :i, groupName(:x, :nGroups), 'Аксессуар ' || :i, 1 + MOD(:x, :nMaterials), NULL);
    INSERT INTO COL_PROFIL (NumberMain, PROFIL, KodColor, NameColor) VALUES (3 + :i, groupName(:x / 7, :nGroups), 1 + MOD(:x, 40), 'Цвет ' || MOD(:x, 40));
    -- Four sides an opening; their lists name one to four pointers, mostly side pointers.
    j = MOD(x / 11, 4);
    karta = pointerName(x / 5, nPointers);
    WHILE (j > 0) DO
    BEGIN
      x = MOD(x * 1103515245 + 12345, 2147483648);
      karta = karta || lineBreak(x) || COALESCE(pointerName(x / 5, nPointers), '');
      j = j - 1;
    END
    IF (MOD(x, 4) = 0) THEN karta = karta || lineBreak(x / 3);
    INSERT INTO t_Pro (NUMBERPROEM, NUMBERSTORONA, NumberTemplate, NameStorona, KARTA, LengthAdd)
    VALUES (4 + (:i - 1) / 4, 1 + MOD(:i - 1, 4), 3 + MOD(:i, 500), DECODE(MOD(:i - 1, 4), 0, 'Левая', 1, 'Правая', 2, 'Верх', 'Низ'),
            CAST(IIF(MOD(:i, 50) = 0, IIF(MOD(:i, 100) = 0, NULL, ''), :karta) AS VARCHAR(1000) CHARACTER SET WIN1251), 0);
    i = i + 1;
  END
  i = 1;
  n = MAXVALUE(1, CAST(500 * @SCALE@ AS INTEGER));
  WHILE (i <= n) DO
  BEGIN
    x = MOD(x * 1103515245 + 12345, 2147483648);
    INSERT INTO Template (NumberTemplate, Structure, NameTemplate, WidthTemplate, HeightTemplate) VALUES (3 + :i, groupName(:x, :nGroups), 'Шаблон ' || :i, 600 + MOD(:x, 1500), 600 + MOD(:x / 7, 1500));
    i = i + 1;
  END
  i = 1;
  n = MAXVALUE(1, CAST(20000 * @SCALE@ AS INTEGER));
  WHILE (i <= n) DO
  BEGIN
    x = MOD(x * 1103515245 + 12345, 2147483648);
    INSERT INTO ACC_MATERIAL (NumberMain, NumberAcc, KodMaterial, Kolvo, Karta, UGOL1, UGOL2, ACONNECT, AROUND, LengthAdd, Side, bUse)
    VALUES (3 + :i, 1 + MOD(:x, 5000), 1 + MOD(:x / 3, :nMaterials), 1, pointerName(:x, :nPointers), 45 * MOD(:x, 3), 45 * MOD(:x / 3, 3), MOD(:x, 2), MOD(:x / 5, 2), 0, MOD(:x, 4), 'T');
    INSERT INTO DE_MATERIAL (NumberMain, KodElement, KodMaterial, Karta, Kolvo, LengthAdd, Side)
    VALUES (3 + :i, 1 + MOD(:x / 7, 1000), 1 + MOD(:x / 11, :nMaterials), pointerName(:x / 13, :nPointers), 1, 0, MOD(:x, 4));
    i = i + 1;
  END
  i = 1;
  n = MAXVALUE(1, CAST(10000 * @SCALE@ AS INTEGER));
  WHILE (i <= n) DO
  BEGIN
    x = MOD(x * 1103515245 + 12345, 2147483648);
    INSERT INTO COL_MATERIAL (NumberMain, KodColor, KodMaterial, Karta, Kolvo, Side) VALUES (2 + :i, 1 + MOD(:x, 40), 1 + MOD(:x / 3, :nMaterials), pointerName(:x, :nPointers), 1, 0);
    INSERT INTO T_MATERIAL (NumberMain, NumberTemplate, KodMaterial, Karta, Kolvo, Side) VALUES (3 + :i, 1 + MOD(:x, 500), 1 + MOD(:x / 7, :nMaterials), pointerName(:x / 11, :nPointers), 1, 0);
    INSERT INTO PR_STRUCTURE (NumberMain, KodProfil, KodMaterial, Karta, D, Kolvo, LengthAdd, Side)
    VALUES (3 + :i, 1 + MOD(:x, 300), 1 + MOD(:x / 13, :nMaterials), pointerName(:x / 17, :nPointers), 40 + MOD(:x, 40), 1, 0, 0);
    INSERT INTO RAB_MATERIAL (NumberMain, KODRABOTA, KodMaterial, Karta, KartaStorona, Kolvo, Side, Cost, Norm)
    VALUES (3 + :i, 1 + MOD(:x, :nWorks), 1 + MOD(:x / 19, :nMaterials), pointerName(:x / 23, :nPointers), pointerName(:x / 29, :nPointers), 1, 0, 10, 1);
    i = i + 1;
  END
  i = 1;
  n = MAXVALUE(1, CAST(3000 * @SCALE@ AS INTEGER));
  WHILE (i <= n) DO
  BEGIN
    x = MOD(x * 1103515245 + 12345, 2147483648);
    INSERT INTO set_SubParameter (NumberMain, NumberParameter, PROFIL, S1, SubParameter, PValue)
    VALUES (4 + :i, 1 + MOD(:x, :nParameters + 5), groupName(:x / 3, :nGroups), MOD(:x, 2), 'Вариант ' || MOD(:x / 7, 8), MOD(:x, 2));
    INSERT INTO stanok_Operation (NumberOperation, KodStanok, NameOperation, FURNITURA, NumberHandle, Instrument, Side, X, Y, Depth, Diameter, Angle, Speed, bUse)
    VALUES (2 + :i, 1 + MOD(:x, 20), 'Операция станка ' || :i, groupName(:x / 11, :nGroups), MOD(:x, 3), 'Фреза', MOD(:x, 4), MOD(:x, 1000), 20, 12, 8, 0, 1200, 'T');
    INSERT INTO t_Furnitura (NumberMain, NumberTemplate, NumberKomplect, NumberHandle, Kolvo) VALUES (2 + :i, 1 + MOD(:x, 500), 1 + MOD(:x / 3, 2000), MOD(:x, 3), 1);
    i = i + 1;
  END
  i = 1;
  n = MAXVALUE(1, CAST(2000 * @SCALE@ AS INTEGER));
  WHILE (i <= n) DO
  BEGIN
    x = MOD(x * 1103515245 + 12345, 2147483648);
    INSERT INTO Set_SubParameterDE (NumberMain, NumberParameter, SubParameter, PVALUE)
    VALUES (5 + :i, 4 + MOD(:i, :nParameters + 2), 'Вариант ' || MOD(:i / (:nParameters + 2), 8), MOD(:x, 2));
    i = i + 1;
  END
  i = 1;
  n = MAXVALUE(1, CAST(100 * @SCALE@ AS INTEGER));
  WHILE (i <= n) DO
  BEGIN
    INSERT INTO stanok_mission (NumberMission, name_Stanok, KodStanok, Mission) VALUES (1 + :i, 'Станок ' || :i, :i, NULL);
    INSERT INTO TONIROVKA (NumberMain, NameTonirovka, KodMaterial) VALUES (1 + :i, 'Тонировка ' || :i, 6 + :i);
    i = i + 1;
  END
  i = 1;
  n = MAXVALUE(1, CAST(50 * @SCALE@ AS INTEGER));
  WHILE (i <= n) DO
  BEGIN
    INSERT INTO SET_MANAGER (NumberManager, NameManager, LoginName, AccessLevel, tBegin) VALUES (2 + :i, 'Менеджер ' || :i, 'm' || :i, MOD(:i, 3), TIME '09:00:00');
    INSERT INTO SET_LOGISTIC_TRANSPORT (NumberMain, NameTransport, Capacity) VALUES (1 + :i, 'Машина ' || :i, 1500);
    INSERT INTO SET_WWW (NumberMain, Url, Note) VALUES (1 + :i, 'http://example.ru/' || :i, NULL);
    i = i + 1;
  END
END^

-- Fittings: sets with their code, group and colour lists, fittings materials with kit lists and
-- element codes, and the old fittings groups with their compositions (every 50th name repeated).
EXECUTE BLOCK AS
  DECLARE nGroups INTEGER;
  DECLARE nMaterials INTEGER;
  DECLARE nPointers INTEGER;
  DECLARE nSets INTEGER;
  DECLARE nFurMaterials INTEGER;
  DECLARE nFurGroups INTEGER;
  DECLARE n INTEGER;
  DECLARE i INTEGER = 1;
  DECLARE j INTEGER;
  DECLARE x BIGINT = 3301;
  DECLARE sostav VARCHAR(2000) CHARACTER SET WIN1251;
  DECLARE FUNCTION lineBreak(x BIGINT) RETURNS VARCHAR(2) CHARACTER SET WIN1251 AS
  BEGIN
    RETURN DECODE(MOD(x, 3), 0, ASCII_CHAR(13) || ASCII_CHAR(10), 1, ASCII_CHAR(13), ASCII_CHAR(10));
  END
  -- One to five code lines: mostly codes, now and then "abc", 0, an empty line or the code before.
  DECLARE FUNCTION codeList(x BIGINT, m INTEGER) RETURNS VARCHAR(200) CHARACTER SET WIN1251 AS
    DECLARE t VARCHAR(200) CHARACTER SET WIN1251 = '';
    DECLARE j INTEGER;
    DECLARE c INTEGER;
    DECLARE last INTEGER = 1;
  BEGIN
    j = 1 + MOD(x, 5);
    WHILE (j > 0) DO
    BEGIN
      x = MOD(x * 1103515245 + 12345, 2147483648);
      c = MOD(x / 16, 20);
      IF (t <> '' OR c = 2) THEN t = t || DECODE(MOD(x / 8, 3), 0, ASCII_CHAR(13) || ASCII_CHAR(10), 1, ASCII_CHAR(13), ASCII_CHAR(10));
      IF (c > 3) THEN last = 1 + MOD(x / 512, m);
      t = t || DECODE(c, 0, 'abc', 1, '0', 2, '', last);
      j = j - 1;
    END
    RETURN t || IIF(MOD(x, 4) = 0, DECODE(MOD(x / 4, 3), 0, ASCII_CHAR(13) || ASCII_CHAR(10), 1, ASCII_CHAR(13), ASCII_CHAR(10)), '');
  END
  DECLARE FUNCTION groupList(x BIGINT, m INTEGER) RETURNS VARCHAR(500) CHARACTER SET WIN1251 AS
    DECLARE t VARCHAR(500) CHARACTER SET WIN1251 = '';
    DECLARE j INTEGER;
    DECLARE k INTEGER;
  BEGIN
    j = 1 + MOD(x, 3);
    WHILE (j > 0) DO
    BEGIN
      x = MOD(x * 1103515245 + 12345, 2147483648);
      k = 1 + MOD(x / 64, m);
      t = t || IIF(t = '', '', DECODE(MOD(x / 8, 3), 0, ASCII_CHAR(13) || ASCII_CHAR(10), 1, ASCII_CHAR(13), ASCII_CHAR(10))) ||
          DECODE(MOD(x / 16, 10), 0, 'фурнитурная группа ' || k, 1, 'Нет такой группы', 'Фурнитурная группа ' || k);
      j = j - 1;
    END
    RETURN t;
  END
  -- Two colours, sometimes with an empty line between them or a break at the end.
  DECLARE FUNCTION colourList(x BIGINT) RETURNS VARCHAR(200) CHARACTER SET WIN1251 AS
    DECLARE crlf VARCHAR(2) CHARACTER SET WIN1251;
  BEGIN
    crlf = ASCII_CHAR(13) || ASCII_CHAR(10);
    RETURN 'Цвет ' || MOD(x, 12) || DECODE(MOD(x / 3, 3), 0, crlf, 1, ASCII_CHAR(13), ASCII_CHAR(10)) ||
           IIF(MOD(x / 5, 4) = 0, crlf, '') || 'Цвет ' || MOD(x / 11, 12) || IIF(MOD(x / 13, 3) = 0, ASCII_CHAR(10), '');
  END
BEGIN
  nGroups = MAXVALUE(1, CAST(2000 * @SCALE@ AS INTEGER));
  nMaterials = MAXVALUE(1, CAST(100000 * @SCALE@ AS INTEGER));
  nPointers = MAXVALUE(1, CAST(300 * @SCALE@ AS INTEGER));
  nSets = MAXVALUE(1, CAST(2000 * @SCALE@ AS INTEGER));
  nFurMaterials = MAXVALUE(1, CAST(20000 * @SCALE@ AS INTEGER));
  nFurGroups = MAXVALUE(1, CAST(200 * @SCALE@ AS INTEGER));
  WHILE (i <= nSets) DO
  BEGIN
    x = MOD(x * 1103515245 + 12345, 2147483648);
    INSERT INTO FURNITURA (NumberKomplect, Komplect, FURNITURA, NumberElement, KindOpen, NumberHandle, NumberHinge, NumberLock, FHandle, FLock, FHinge, Profil, FColor, Capital, kodLimit)
    VALUES (3 + :i, 'Комплект ' || :i, IIF(MOD(:x, 10) = 0, 'фурнитура', 'Группа ' || (1 + MOD(:x / 10, :nGroups))), MOD(:x, 4),
            codeList(:x / 3, 6), MOD(:x, 3), MOD(:x / 3, 3), MOD(:x / 9, 3), codeList(:x / 5, 50), codeList(:x / 7, 50), codeList(:x / 11, 50),
            groupList(:x / 13, :nFurGroups), colourList(:x / 17), MOD(:x, 2), MOD(:x, 10));
    i = i + 1;
  END
  i = 1;
  WHILE (i <= nFurMaterials) DO
  BEGIN
    x = MOD(x * 1103515245 + 12345, 2147483648);
    INSERT INTO fur_Material (NumberMaterial, Structure, KodMaterial, NameMaterial, Komplect, Karta, Geometry, MassMin, MassMax, Paz, Quantity, KindOpen, Profil, Zvet, Element, SizeMin, SizeMax)
    VALUES (6 + :i, IIF(MOD(:x, 10) = 0, NULL, 'Группа ' || (1 + MOD(:x / 10, :nGroups))), 1 + MOD(:x / 3, :nMaterials), 'Фурнитура ' || :i,
            CAST(IIF(MOD(:x, 7) = 0, IIF(MOD(:x, 2) = 0, '', NULL), codeList(:x / 5, :nFurMaterials)) AS VARCHAR(200) CHARACTER SET WIN1251),
            IIF(MOD(:x / 7, 10) = 0, 'указатель 1', 'Указатель ' || (1 + MOD(:x / 70, :nPointers))), NULL,
            0, 10 + MOD(:x, 150), MOD(:x / 3, 13), 1 + MOD(:x / 5, 4), codeList(:x / 11, 6), groupList(:x / 13, :nFurGroups), colourList(:x / 17),
            DECODE(MOD(:i, 6), 0, 'r', 1, 's', 2, 'rs', 3, '', 4, 'R', NULL), 300, 2400);
    INSERT INTO fur_Material2 (NumberMain, NumberMaterial, KodMaterial, Karta, Paz, Quantity, Profil, Zvet, Element)
    VALUES (5 + 2 * :i, 6 + :i, 1 + MOD(:x / 19, :nMaterials), 'Указатель ' || (1 + MOD(:x / 23, :nPointers)), MOD(:x, 13), 1,
            groupList(:x / 29, :nFurGroups), colourList(:x / 31), DECODE(MOD(:i, 5), 0, 'r', 1, 's', 2, 'rs', 3, '', NULL));
    INSERT INTO fur_Material2 (NumberMain, NumberMaterial, KodMaterial, Karta, Paz, Quantity, Profil, Zvet, Element)
    VALUES (6 + 2 * :i, 6 + :i, 1 + MOD(:x / 37, :nMaterials), NULL, 0, 2, NULL, NULL, DECODE(MOD(:i, 3), 0, 'r', 1, 's', 'rs'));
    INSERT INTO FUR_STRUCTURE (NumberMain, NumberKomplect, NumberMaterial, S1, S2, S3, S4, S5)
    VALUES (2 + :i, 1 + MOD(:x, :nSets), 6 + :i, MOD(:x, 2), MOD(:x / 2, 2), MOD(:x / 4, 2), MOD(:x / 8, 2), MOD(:x / 16, 2));
    IF (MOD(i, 20) = 0) THEN
    BEGIN
      INSERT INTO FUR_GEOMETRY (NumberMain, NumberMaterial, X, Y) VALUES (1 + :i / 20, 6 + :i, MOD(:x, 100), MOD(:x / 3, 100));
      INSERT INTO SET_FURNITURAPAZ (NumberMain, NumberKomplect, Paz) VALUES (1 + :i / 20, 1 + MOD(:x, :nSets), MOD(:x, 13));
    END
    i = i + 1;
  END
  i = 1;
  WHILE (i <= nFurGroups) DO
  BEGIN
    x = MOD(x * 1103515245 + 12345, 2147483648);
    -- Compositions name stock groups of every SubGroup, some in another case or with a trailing blank.
    j = 1 + MOD(x, 4);
    sostav = '';
    WHILE (j > 0) DO
    BEGIN
      x = MOD(x * 1103515245 + 12345, 2147483648);
      n = 1 + MOD(x / 64, nGroups);
      sostav = sostav || IIF(sostav = '', '', lineBreak(x / 8)) ||
               DECODE(MOD(x / 16, 10), 0, 'группа ' || n, 1, 'Группа ' || n || ' ', 'Группа ' || n);
      j = j - 1;
    END
    INSERT INTO fur_Group (FURGROUP, SOSTAV, Note)
    VALUES ('Фурнитурная группа ' || IIF(MOD(:i, 50) = 0, :i - 1, :i), CAST(IIF(MOD(:i, 25) = 0, '', :sostav) AS VARCHAR(2000) CHARACTER SET WIN1251), NULL);
    i = i + 1;
  END
END^
SET TERM ; ^
