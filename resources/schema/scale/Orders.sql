-- Generated orders of a large installation (at scale 1: 50,000 orders of two products each,
-- ten elements a product, so 1,000,000 order elements, and the order tables in proportion).
-- Names follow the catalogue's patterns, and about one in ten matches nothing: another case, a
-- trailing blank, NULL or a name nobody has. Elements match the element dictionary by structure
-- and name, by name only, or not at all. The same scale gives the same rows.
SET TERM ^ ;
EXECUTE BLOCK AS
  DECLARE nOrders INTEGER;
  DECLARE nGroups INTEGER;
  DECLARE nPointers INTEGER;
  DECLARE nWorks INTEGER;
  DECLARE nAttributes INTEGER;
  DECLARE o INTEGER = 1;
  DECLARE nom INTEGER;
  DECLARE p INTEGER;
  DECLARE k INTEGER;
  DECLARE x BIGINT = 5001;
  DECLARE parameters VARCHAR(200) CHARACTER SET WIN1251;
  DECLARE karta VARCHAR(1000) CHARACTER SET WIN1251;
  DECLARE FUNCTION groupName(x BIGINT, n INTEGER) RETURNS VARCHAR(24) CHARACTER SET WIN1251 AS
    DECLARE r INTEGER;
  BEGIN
    r = MOD(x, 100);
    RETURN CASE WHEN r < 90 THEN 'Группа ' || (1 + MOD(x / 100, n)) WHEN r < 93 THEN 'группа ' || (1 + MOD(x / 100, n))
                WHEN r < 96 THEN 'Группа ' || (1 + MOD(x / 100, n)) || ' ' WHEN r < 98 THEN NULL
                ELSE 'Нет группы ' || MOD(x / 100, 1000) END;
  END
  DECLARE FUNCTION attributeName(x BIGINT, n INTEGER) RETURNS VARCHAR(60) CHARACTER SET WIN1251 AS
    DECLARE r INTEGER;
  BEGIN
    r = MOD(x, 100);
    RETURN CASE WHEN r < 85 THEN 'Атрибут ' || (1 + MOD(x / 100, n)) WHEN r < 90 THEN DECODE(MOD(x, 3), 0, 'Новый', 1, 'Готов', 'В работе')
                WHEN r < 94 THEN 'атрибут ' || (1 + MOD(x / 100, n)) WHEN r < 97 THEN NULL ELSE 'Архив' END;
  END
  DECLARE FUNCTION serviceName(x BIGINT, n INTEGER) RETURNS VARCHAR(100) CHARACTER SET WIN1251 AS
    DECLARE r INTEGER;
  BEGIN
    r = MOD(x, 100);
    RETURN CASE WHEN r < 85 THEN 'Работа ' || (1 + MOD(x / 100, n)) WHEN r < 89 THEN DECODE(MOD(x, 3), 0, 'Монтаж', 1, 'Сборка окна', 'Доставка')
                WHEN r < 93 THEN 'работа ' || (1 + MOD(x / 100, n)) WHEN r < 96 THEN NULL ELSE 'Мойка окон' END;
  END
  DECLARE FUNCTION pointerName(x BIGINT, n INTEGER) RETURNS VARCHAR(60) CHARACTER SET WIN1251 AS
    DECLARE r INTEGER;
  BEGIN
    r = MOD(x / 3, 100);
    RETURN CASE WHEN r < 85 THEN 'Указатель ' || (1 + MOD(x / 300, n)) WHEN r < 90 THEN DECODE(MOD(x, 3), 0, 'Левая сторона', 1, 'Верх', 'Низ')
                WHEN r < 94 THEN 'указатель ' || (1 + MOD(x / 300, n)) WHEN r < 97 THEN '' ELSE 'Нет указателя' END;
  END
BEGIN
  nOrders = MAXVALUE(1, CAST(50000 * @SCALE@ AS INTEGER));
  nGroups = MAXVALUE(1, CAST(2000 * @SCALE@ AS INTEGER));
  nPointers = MAXVALUE(1, CAST(300 * @SCALE@ AS INTEGER));
  nWorks = MAXVALUE(1, CAST(200 * @SCALE@ AS INTEGER));
  nAttributes = MAXVALUE(1, CAST(20 * @SCALE@ AS INTEGER));
  WHILE (o <= nOrders) DO
  BEGIN
    x = MOD(x * 1103515245 + 12345, 2147483648);
    nom = 5 + o;
    INSERT INTO Orders (NOM, NumberOrder, DateOrder, Customer, Attribute, Summa, NameManager, Note)
    VALUES (:nom, '2020-' || :o, DATEADD(MOD(:x, 700) DAY TO DATE '2019-06-01'), 'Заказчик ' || MOD(:x / 7, 20000),
            attributeName(:x / 3, :nAttributes), MOD(:x, 30000000) / 100.0, 'Менеджер ' || MOD(:x / 11, 50), NULL);
    INSERT INTO o_Attribute (KodOAttribute, NOM, Attribute, AttributeTransit, DateChange, NameManager)
    VALUES (2 + 2 * :o, :nom, attributeName(:x / 5, :nAttributes), attributeName(:x / 7, :nAttributes), TIMESTAMP '2019-06-01 09:00:00', NULL);
    INSERT INTO o_Attribute (KodOAttribute, NOM, Attribute, AttributeTransit, DateChange, NameManager)
    VALUES (3 + 2 * :o, :nom, attributeName(:x / 11, :nAttributes), NULL, TIMESTAMP '2019-06-02 09:00:00', NULL);
    k = 1;
    WHILE (k <= 3) DO
    BEGIN
      x = MOD(x * 1103515245 + 12345, 2147483648);
      INSERT INTO o_Service (NOM, NumberService, NumberProduct, KodService, Service, Structure, KODCAPITAL, COSTCAPITAL, OTKOSMIN, OTKOSMAX, Kolvo, Cost)
      VALUES (:nom, :k, 1 + MOD(:k, 2), NULL, serviceName(:x, :nWorks), groupName(:x / 3, :nGroups), MOD(:x, 4), MOD(:x, 500), 100, 400, 1, 100 + MOD(:x, 3000));
      k = k + 1;
    END
    IF (MOD(o, 5) = 0) THEN
    BEGIN
      INSERT INTO O_LOGISTIC (NOM, DateLogistic, Transport, Address) VALUES (:nom, DATE '2019-07-01', 'Газель', 'Улица ' || MOD(:x, 300));
      INSERT INTO O_MESSAGE (NOM, DateMessage, MessageText) VALUES (:nom, TIMESTAMP '2019-07-01 10:00:00', 'Сообщение по заказу ' || :o);
    END
    p = 1;
    WHILE (p <= 2) DO
    BEGIN
      x = MOD(x * 1103515245 + 12345, 2147483648);
      parameters = IIF(MOD(x, 4) = 0, NULL, 'Цвет=' || MOD(x, 12) || ASCII_CHAR(13) || ASCII_CHAR(10) || 'Ручка=' || MOD(x / 5, 4));
      INSERT INTO Product (NOM, NumberProduct, Structure, Attribute, NameProduct, WidthProduct, HeightProduct, Kolvo, p_Parameter)
      VALUES (:nom, :p, groupName(:x / 3, :nGroups), attributeName(:x / 7, :nAttributes), 'Изделие ' || :p,
              500 + MOD(:x, 2000), 500 + MOD(:x / 11, 2000), 1 + MOD(:x / 13, 3), :parameters);
      -- Two sides a product, each with a list of one to three pointers, mostly side pointers.
      k = 1;
      WHILE (k <= 2) DO
      BEGIN
        x = MOD(x * 1103515245 + 12345, 2147483648);
        karta = pointerName(x, nPointers);
        IF (MOD(x / 7, 3) > 0) THEN karta = karta || DECODE(MOD(x / 11, 3), 0, ASCII_CHAR(13) || ASCII_CHAR(10), 1, ASCII_CHAR(13), ASCII_CHAR(10)) || pointerName(x / 13, nPointers);
        IF (MOD(x / 17, 3) = 0) THEN karta = karta || ASCII_CHAR(13) || ASCII_CHAR(10) || pointerName(x / 19, nPointers);
        IF (MOD(x / 23, 5) = 0) THEN karta = karta || ASCII_CHAR(10);
        INSERT INTO k_Pro (NOM, NUMBERPRODUCT, NUMBERSTORONA, NumberProem, NameStorona, KARTA, LengthAdd)
        VALUES (:nom, :p, :k, :p, IIF(:k = 1, 'Левая', 'Правая'), IIF(MOD(:x / 29, 40) = 0, NULL, :karta), 0);
        k = k + 1;
      END
      p = p + 1;
    END
    o = o + 1;
  END
END^

EXECUTE BLOCK AS
  DECLARE nOrders INTEGER;
  DECLARE nGroups INTEGER;
  DECLARE nElements INTEGER;
  DECLARE nNames INTEGER;
  DECLARE nParameters INTEGER;
  DECLARE o INTEGER = 1;
  DECLARE p INTEGER;
  DECLARE e INTEGER;
  DECLARE j INTEGER;
  DECLARE r INTEGER;
  DECLARE x BIGINT = 6007;
  DECLARE structure VARCHAR(24) CHARACTER SET WIN1251;
  DECLARE element VARCHAR(60) CHARACTER SET WIN1251;
  DECLARE subParameter VARCHAR(60) CHARACTER SET WIN1251;
BEGIN
  nOrders = MAXVALUE(1, CAST(50000 * @SCALE@ AS INTEGER));
  nGroups = MAXVALUE(1, CAST(2000 * @SCALE@ AS INTEGER));
  nElements = MAXVALUE(1, CAST(1000 * @SCALE@ AS INTEGER));
  nNames = MAXVALUE(1, nElements / 4);
  nParameters = MAXVALUE(1, CAST(50 * @SCALE@ AS INTEGER));
  WHILE (o <= nOrders) DO
  BEGIN
    p = 1;
    WHILE (p <= 2) DO
    BEGIN
      e = 1;
      WHILE (e <= 10) DO
      BEGIN
        x = MOD(x * 1103515245 + 12345, 2147483648);
        -- Dictionary entry j has the structure "Группа 1 + 7j mod groups" and the name "Элемент 1 + j mod names".
        j = 1 + MOD(x, nElements);
        r = MOD(x / 1024, 100);
        structure = 'Группа ' || (1 + MOD(j * 7, nGroups));
        element = 'Элемент ' || (1 + MOD(j, nNames));
        IF (r >= 95) THEN
        BEGIN
          structure = NULL;
          element = 'элемент ' || (1 + MOD(j, nNames));
        END
        ELSE IF (r >= 85) THEN element = element || ' б/н';
        ELSE IF (r >= 70) THEN structure = 'Группа ' || (1 + MOD(x / 7, nGroups));
        r = MOD(x / 8192, 20);
        subParameter = IIF(r = 0, 'вариант 1', IIF(r = 1, NULL, 'Вариант ' || MOD(x / 11, 8)));
        INSERT INTO DE (NOM, NumberProduct, NumberElement, Structure, Element, NumberElement0, ColorIn, ColorOut, Kolvo, KolvoProduct, Capital, KodParameter, SubParameter, WidthElement, HeightElement)
        VALUES (5 + :o, :p, :e, :structure, :element, IIF(:e > 1, :e - 1, 0), MOD(:x, 12), MOD(:x / 3, 12), 1 + MOD(:x / 5, 2), 1, MOD(:x / 7, 2),
                1 + MOD(:x / 3, :nParameters + 5), :subParameter, 300 + MOD(:x, 1500), 300 + MOD(:x / 13, 1500));
        e = e + 1;
      END
      p = p + 1;
    END
    o = o + 1;
  END
END^

EXECUTE BLOCK AS
  DECLARE nOrders INTEGER;
  DECLARE nMaterials INTEGER;
  DECLARE nWorks INTEGER;
  DECLARE o INTEGER = 1;
  DECLARE nom INTEGER;
  DECLARE p INTEGER;
  DECLARE k INTEGER;
  DECLARE x BIGINT = 7013;
BEGIN
  nOrders = MAXVALUE(1, CAST(50000 * @SCALE@ AS INTEGER));
  nMaterials = MAXVALUE(1, CAST(100000 * @SCALE@ AS INTEGER));
  nWorks = MAXVALUE(1, CAST(200 * @SCALE@ AS INTEGER));
  WHILE (o <= nOrders) DO
  BEGIN
    nom = 5 + o;
    p = 1;
    WHILE (p <= 2) DO
    BEGIN
      x = MOD(x * 1103515245 + 12345, 2147483648);
      INSERT INTO k_Furnitura (NOM, NUMBERPRODUCT, NUMBERELEMENT, NUMBERKOMPLECT, KINDOPEN, NUMBERHANDLE, NUMBERHINGE, NUMBERLOCK, FCOLOR, Element, Kolvo)
      VALUES (:nom, :p, 2, 1 + MOD(:x, 2000), MOD(:x, 4), MOD(:x / 3, 3), MOD(:x / 9, 3), MOD(:x / 27, 3),
              IIF(MOD(:x, 10) = 0, NULL, 'Цвет ' || MOD(:x / 7, 12)), IIF(MOD(:x, 7) = 0, NULL, 'Створка'), 1);
      INSERT INTO k_Filling (NOM, NUMBERPRODUCT, NUMBERELEMENT, ELEMENT, PROEM, KOLVOST, CAPITAL, MADE, KodMaterial, WidthFilling, HeightFilling)
      VALUES (:nom, :p, 2, 3, 1, 2, 0, MOD(:x, 2), 1 + MOD(:x / 3, :nMaterials), 300 + MOD(:x, 1500), 300 + MOD(:x / 7, 1500));
      INSERT INTO k_Razdel (NOM, NUMBERPRODUCT, NUMBERELEMENT, NEWPROEM, STORONA1, NUMBERELEMENT10, NUMBERSTORONA10, STORONA2, NUMBERELEMENT20, NUMBERSTORONA20, Distance)
      VALUES (:nom, :p, 3, 2, 1, 1, 2, 3, 1, 4, 300 + MOD(:x, 1000));
      IF (MOD(x / 11, 2) = 0) THEN
        INSERT INTO K_ACCESS (NOM, NumberProduct, KodMaterial, Kolvo) VALUES (:nom, :p, 1 + MOD(:x / 13, :nMaterials), 1);
      k = 1;
      WHILE (k <= 3) DO
      BEGIN
        x = MOD(x * 1103515245 + 12345, 2147483648);
        INSERT INTO k_Element (NOM, NUMBERPRODUCT, NUMBERELEMENT, ELEMENT, PROEM, CORRECTIONW, CORRECTIONH, CAPITAL, MADE, WidthElement, HeightElement)
        VALUES (:nom, :p, :k, 1 + MOD(:x, 5), 1, MOD(:x / 3, 9) - 4, MOD(:x / 5, 9) - 4, MOD(:x / 7, 2), MOD(:x / 11, 2), 300 + MOD(:x, 1500), 300 + MOD(:x / 13, 1500));
        IF (k < 3) THEN
          INSERT INTO P_OPERATION (NOM, NumberProduct, NumberOperation, KODRABOTA, NameOperation, Kolvo, Norm, Cost, Executor)
          VALUES (:nom, :p, :k, 1 + MOD(:x / 17, :nWorks), 'Операция ' || MOD(:x / 17, :nWorks), 1 + MOD(:x, 4), 0.1, 20, 'Бригада ' || MOD(:x, 5));
        k = k + 1;
      END
      p = p + 1;
    END
    o = o + 1;
  END
END^

-- The material lists of every product, each row naming its pointer in Karta.
EXECUTE BLOCK AS
  DECLARE nOrders INTEGER;
  DECLARE nMaterials INTEGER;
  DECLARE nPointers INTEGER;
  DECLARE o INTEGER = 1;
  DECLARE nom INTEGER;
  DECLARE p INTEGER;
  DECLARE m INTEGER;
  DECLARE x BIGINT = 8009;
  DECLARE karta VARCHAR(60) CHARACTER SET WIN1251;
  DECLARE FUNCTION pointerName(x BIGINT, n INTEGER) RETURNS VARCHAR(60) CHARACTER SET WIN1251 AS
    DECLARE r INTEGER;
  BEGIN
    r = MOD(x / 3, 100);
    RETURN CASE WHEN r < 85 THEN 'Указатель ' || (1 + MOD(x / 300, n)) WHEN r < 90 THEN DECODE(MOD(x, 3), 0, 'Рама', 1, 'Створка', 'Импост')
                WHEN r < 94 THEN 'указатель ' || (1 + MOD(x / 300, n)) WHEN r < 97 THEN NULL ELSE 'Нет указателя' END;
  END
BEGIN
  nOrders = MAXVALUE(1, CAST(50000 * @SCALE@ AS INTEGER));
  nMaterials = MAXVALUE(1, CAST(100000 * @SCALE@ AS INTEGER));
  nPointers = MAXVALUE(1, CAST(300 * @SCALE@ AS INTEGER));
  WHILE (o <= nOrders) DO
  BEGIN
    nom = 5 + o;
    p = 1;
    WHILE (p <= 2) DO
    BEGIN
      x = MOD(x * 1103515245 + 12345, 2147483648);
      m = 1 + MOD(x / 4096, nMaterials);
      karta = pointerName(x, nPointers);
      INSERT INTO C_MATERIAL (NOM, NumberProduct, NumberElement, KodMaterial, Karta, Kolvo, LengthMat, Cost) VALUES (:nom, :p, 1, :m, :karta, 4, 1400, 434.70);
      INSERT INTO DM_MATERIAL (NOM, NumberProduct, KodMaterial, Karta, Kolvo, Cost) VALUES (:nom, :p, :m, pointerName(:x / 7, :nPointers), 1, 120);
      INSERT INTO K_CAPITAL (NOM, NumberProduct, NumberElement, KodMaterial, Karta, D, Kolvo, LengthMat, Ugol1, Ugol2) VALUES (:nom, :p, 1, :m, pointerName(:x / 11, :nPointers), 40 + MOD(:x, 40), 4, 1400, 45, 45);
      INSERT INTO K_MATERIALI (NOM, NumberProduct, NumberElement, KodMaterial, Karta, Kolvo, Cost) VALUES (:nom, :p, 2, :m, pointerName(:x / 13, :nPointers), 1, 133);
      INSERT INTO K_MATERIALR (NOM, NumberProduct, NumberElement, KodMaterial, Karta, Kolvo, LengthMat, Ugol1, Ugol2) VALUES (:nom, :p, 1, :m, pointerName(:x / 17, :nPointers), 4, 1300, 90, 90);
      INSERT INTO K_MATERIALS (NOM, NumberProduct, NumberElement, KodMaterial, Karta, Kolvo, LengthMat, WidthMat, HeightMat, Ugol1, Ugol2, Side, Cost, Weight, Formula, Note, bCut)
      VALUES (:nom, :p, 2, :m, pointerName(:x / 19, :nPointers), 1, 0, 560, 1260, 0, 0, 0, 1270, 14.1, NULL, NULL, 'F');
      INSERT INTO P_KARTA (NOM, NumberProduct, NumberElement, KodMaterial, Karta, Kolvo, LengthMat, WidthMat, HeightMat, Ugol1, Ugol2, Side, Cost)
      VALUES (:nom, :p, 1, :m, pointerName(:x / 23, :nPointers), 4, 1400, 60, 70, 45, 45, 0, 434.70);
      INSERT INTO P_MATERIALF (NOM, NumberProduct, NumberElement, KodMaterial, Karta, Kolvo, LengthMat, Cost) VALUES (:nom, :p, 2, :m, pointerName(:x / 29, :nPointers), 2, 0, 420);
      INSERT INTO R_MATERIAL (NOM, NumberProduct, KodMaterial, Karta, Kolvo, LengthMat, Cost) VALUES (:nom, :p, :m, pointerName(:x / 31, :nPointers), 1, 1300, 133);
      INSERT INTO S_MATERIAL (NOM, NumberProduct, NumberElement, KodMaterial, Karta, Kolvo, WidthMat, HeightMat, Cost) VALUES (:nom, :p, 2, :m, pointerName(:x / 37, :nPointers), 1, 560, 1260, 1270);
      IF (MOD(x / 41, 2) = 0) THEN
      BEGIN
        INSERT INTO P_KARTA2 (NOM, NumberProduct, NumberElement, KodMaterial, Karta, Kolvo, LengthMat, Cost) VALUES (:nom, :p, 1, :m, :karta, 4, 1400, 434.70);
        INSERT INTO P_KARTAS (NOM, NumberProduct, NumberElement, KodMaterial, Karta, Kolvo, WidthMat, HeightMat, Cost) VALUES (:nom, :p, 2, :m, pointerName(:x / 43, :nPointers), 1, 560, 1260, 1270);
      END
      ELSE
      BEGIN
        INSERT INTO P_KARTAA (NOM, NumberProduct, NumberElement, KodMaterial, Karta, Kolvo, LengthMat, WidthMat, HeightMat, Ugol1, Ugol2, Side, Cost)
        VALUES (:nom, :p, 1, :m, :karta, 4, 1300, 0, 0, 90, 90, 0, 133);
        INSERT INTO P_KARTAF (NOM, NumberProduct, NumberElement, KodMaterial, Karta, Kolvo, LengthMat, Ugol1, Ugol2, Cost) VALUES (:nom, :p, 2, :m, pointerName(:x / 47, :nPointers), 1, 0, 0, 0, 120);
      END
      IF (MOD(x / 53, 5) = 0) THEN
        INSERT INTO K_TONIROVKA (NOM, NumberProduct, KodMaterial, Karta, Square, Cost) VALUES (:nom, :p, :m, :karta, 0.71, 350);
      -- Two rows a product for the busier lists.
      x = MOD(x * 1103515245 + 12345, 2147483648);
      INSERT INTO DE_KARTA (NOM, NumberProduct, NumberElement, KodMaterial, Karta, Kolvo, LengthMat, Ugol1, Ugol2, Side) VALUES (:nom, :p, 1, :m, pointerName(:x, :nPointers), 2, 1400, 45, 45, 1);
      INSERT INTO DE_KARTA (NOM, NumberProduct, NumberElement, KodMaterial, Karta, Kolvo, LengthMat, Ugol1, Ugol2, Side) VALUES (:nom, :p, 2, :m, pointerName(:x / 7, :nPointers), 2, 1340, 45, 45, 2);
      INSERT INTO DE_MATERIAL (NOM, NumberProduct, NumberElement, KodMaterial, Karta, Kolvo, LengthMat, Cost) VALUES (:nom, :p, 1, :m, pointerName(:x / 11, :nPointers), 4, 1340, 458.28);
      INSERT INTO DE_MATERIAL (NOM, NumberProduct, NumberElement, KodMaterial, Karta, Kolvo, LengthMat, Cost) VALUES (:nom, :p, 2, 1 + MOD(:x, :nMaterials), pointerName(:x / 13, :nPointers), 1, 1400, 133);
      INSERT INTO K_MATERIALF (NOM, NUMBERPRODUCT, NUMBERELEMENT, NUMBERLIST, KodMaterial, Karta, Kolvo, Cost, Note) VALUES (:nom, :p, 2, 1, :m, pointerName(:x / 17, :nPointers), 1, 120, NULL);
      INSERT INTO K_MATERIALF (NOM, NUMBERPRODUCT, NUMBERELEMENT, NUMBERLIST, KodMaterial, Karta, Kolvo, Cost, Note) VALUES (:nom, :p, 2, 2, 1 + MOD(:x / 3, :nMaterials), pointerName(:x / 19, :nPointers), 2, 420, NULL);
      INSERT INTO P_MATERIAL (NOM, NumberProduct, KodMaterial, Karta, Kolvo, LengthMat, Cost) VALUES (:nom, :p, :m, pointerName(:x / 23, :nPointers), 4, 1400, 434.70);
      INSERT INTO P_MATERIAL (NOM, NumberProduct, KodMaterial, Karta, Kolvo, LengthMat, Cost) VALUES (:nom, :p, 1 + MOD(:x / 5, :nMaterials), pointerName(:x / 29, :nPointers), 1, 700, 100);
      p = p + 1;
    END
    o = o + 1;
  END
END^
SET TERM ; ^
