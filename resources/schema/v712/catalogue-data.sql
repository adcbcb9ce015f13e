-- Catalogue rows that Base and Config share. Names are meant to match the lists of the stock
-- groups (Sorvin), pointers, works and attributes, and some on purpose do not: another case, a
-- trailing blank, NULL, a name nobody has. ASCII_CHAR(13) and ASCII_CHAR(10) make the line breaks
-- of the list texts: CR LF, a lone CR, a lone LF, a break at the end.
INSERT INTO stock_Group (GroupMain, SubGroup, Vid, NoteP, NoteF, Group_Note) VALUES ('Профиль 60', 'A', 'П', 'T', 'F', 'Профильная система 60 мм');
INSERT INTO stock_Group (GroupMain, SubGroup, Vid, NoteP, NoteF, Group_Note) VALUES ('Профиль 70', 'A', 'П', 'F', 'T', 'Профильная система 70 мм');
INSERT INTO stock_Group (GroupMain, SubGroup, Vid, NoteP, NoteF, Group_Note) VALUES ('Армирование', 'B', 'А', '', 'F', NULL);
INSERT INTO stock_Group (GroupMain, SubGroup, Vid, NoteP, NoteF, Group_Note) VALUES ('Фурнитура', 'C', 'Ф', 't', 'T', 'Фурнитура поворотно-откидная');
INSERT INTO stock_Group (GroupMain, SubGroup, Vid, NoteP, NoteF, Group_Note) VALUES ('Стекло', 'D', 'С', 'X', NULL, NULL);
INSERT INTO stock_Group (GroupMain, SubGroup, Vid, NoteP, NoteF, Group_Note) VALUES ('Подоконник', 'A', 'П', 'T', 'T', NULL);
INSERT INTO stock_Group (GroupMain, SubGroup, Vid, NoteP, NoteF, Group_Note) VALUES ('Уплотнитель', 'B', 'У', 'F', 'F', NULL);
INSERT INTO stock_Group (GroupMain, SubGroup, Vid, NoteP, NoteF, Group_Note) VALUES ('Отлив', 'B', 'О', 'F', 'F', 'Нет на складе Sorvin');

INSERT INTO Stock (KodMaterial, KodBuch, Material, Artikul, UnitMat, Package, MinQuantity, Norm, Ration, CostBase, Quantity, Info) VALUES (1, 101, 'Профиль рамы 60', 'П60-01', 'м', 6, 12, 1, 2.5, 310.50, 120, 'Белый' || ASCII_CHAR(13) || ASCII_CHAR(10) || 'Шесть метров');
INSERT INTO Stock (KodMaterial, KodBuch, Material, Artikul, UnitMat, Package, MinQuantity, Norm, Ration, CostBase, Quantity, Info) VALUES (2, 102, 'Профиль створки 60', 'П60-02', 'м', 6, 12, 1, 3.5, 342.00, 80, NULL);
INSERT INTO Stock (KodMaterial, KodBuch, Material, Artikul, UnitMat, Package, MinQuantity, Norm, Ration, CostBase, Quantity, Info) VALUES (3, 103, 'Армирование 1,5 мм', 'А15', 'м', 10, 20, 1, 1, 95.00, 300, NULL);
INSERT INTO Stock (KodMaterial, KodBuch, Material, Artikul, UnitMat, Package, MinQuantity, Norm, Ration, CostBase, Quantity, Info) VALUES (4, 104, 'Ручка оконная', 'Р-1', 'шт', 50, 100, 1, 1, 120.00, 1500, NULL);
INSERT INTO Stock (KodMaterial, KodBuch, Material, Artikul, UnitMat, Package, MinQuantity, Norm, Ration, CostBase, Quantity, Info) VALUES (5, 105, 'Петля нижняя', 'ПН-1', 'шт', 20, 40, 2, 1, 210.00, 400, NULL);
INSERT INTO Stock (KodMaterial, KodBuch, Material, Artikul, UnitMat, Package, MinQuantity, Norm, Ration, CostBase, Quantity, Info) VALUES (6, 106, 'Стеклопакет 24 мм', 'СП24', 'м2', 1, 1, 1, 1, 1800.00, 35, NULL);

INSERT INTO STOCK_SIZE (NumberMain, KodMaterial, LengthMat, WidthMat, HeightMat, Weight, MinLength, MaxLength) VALUES (1, 1, 6000, 60, 70, 1.25, 300, 6000);
INSERT INTO STOCK_SIZE (NumberMain, KodMaterial, LengthMat, WidthMat, HeightMat, Weight, MinLength, MaxLength) VALUES (2, 2, 6000, 60, 78, 1.31, 300, 6000);
INSERT INTO stock_SizeFilling (NumberMain, KodMaterial, WidthFilling, HeightFilling) VALUES (1, 6, 2000, 3000);
INSERT INTO STOCK_RISUNOK (KodMaterial, NameRisunok) VALUES (1, 'Сечение рамы');
INSERT INTO con_1 (NumberMain, KodMaterial, KodMaterial1, Kolvo) VALUES (1, 1, 3, 1);
INSERT INTO con_1 (NumberMain, KodMaterial, KodMaterial1, Kolvo) VALUES (2, 2, 3, 1);

INSERT INTO set_Config (Attribute, AttributeColor, Note) VALUES ('Новый', 1, NULL);
INSERT INTO set_Config (Attribute, AttributeColor, Note) VALUES ('В работе', 2, NULL);
INSERT INTO set_Config (Attribute, AttributeColor, Note) VALUES ('Готов', 3, NULL);
INSERT INTO set_Config (Attribute, AttributeColor, Note) VALUES ('Отгружен', 4, NULL);
INSERT INTO set_Config (Attribute, AttributeColor, Note) VALUES ('Новый', 5, 'Повтор имени');

-- Pointers: kind A names a material's place, kind B a side; names repeat within a kind.
INSERT INTO SET_UKAZATEL (NUMBERMAIN, VID, UKAZATEL, Note) VALUES (1, 'A', 'Рама', NULL);
INSERT INTO SET_UKAZATEL (NUMBERMAIN, VID, UKAZATEL, Note) VALUES (2, 'A', 'Створка', NULL);
INSERT INTO SET_UKAZATEL (NUMBERMAIN, VID, UKAZATEL, Note) VALUES (3, 'B', 'Левая сторона', NULL);
INSERT INTO SET_UKAZATEL (NUMBERMAIN, VID, UKAZATEL, Note) VALUES (4, 'B', 'Правая сторона', NULL);
INSERT INTO SET_UKAZATEL (NUMBERMAIN, VID, UKAZATEL, Note) VALUES (5, 'A', 'Импост', NULL);
INSERT INTO SET_UKAZATEL (NUMBERMAIN, VID, UKAZATEL, Note) VALUES (6, 'B', 'Верх', NULL);
INSERT INTO SET_UKAZATEL (NUMBERMAIN, VID, UKAZATEL, Note) VALUES (7, 'A', 'Рама', 'Повтор имени');
INSERT INTO SET_UKAZATEL (NUMBERMAIN, VID, UKAZATEL, Note) VALUES (8, 'B', 'Левая сторона', 'Повтор имени');
INSERT INTO SET_UKAZATEL (NUMBERMAIN, VID, UKAZATEL, Note) VALUES (9, 'B', 'Низ', NULL);
INSERT INTO SET_UKAZATEL (NUMBERMAIN, VID, UKAZATEL, Note) VALUES (10, 'a', 'Штульп', 'Вид строчной буквой');
INSERT INTO SET_UKAZATEL (NUMBERMAIN, VID, UKAZATEL, Note) VALUES (11, 'B', 'Подставочный', 'Только вид B');

INSERT INTO Rab (KODRABOTA, NAMERABOTA, UnitRab, Cost, RABNOTE, KODCAPITAL, Norm) VALUES (1, 'Сборка окна', 'шт', 500, NULL, 1, 1.5);
INSERT INTO Rab (KODRABOTA, NAMERABOTA, UnitRab, Cost, RABNOTE, KODCAPITAL, Norm) VALUES (2, 'Монтаж', 'шт', 1500, 'Без откосов', 2, 3);
INSERT INTO Rab (KODRABOTA, NAMERABOTA, UnitRab, Cost, RABNOTE, KODCAPITAL, Norm) VALUES (3, 'Демонтаж', 'шт', 700, NULL, 2, 1);
INSERT INTO Rab (KODRABOTA, NAMERABOTA, UnitRab, Cost, RABNOTE, KODCAPITAL, Norm) VALUES (5, 'Откосы', 'м', 350, NULL, 3, 0.5);
INSERT INTO Rab (KODRABOTA, NAMERABOTA, UnitRab, Cost, RABNOTE, KODCAPITAL, Norm) VALUES (6, 'Монтаж', 'шт', 1700, 'Повтор имени', 2, 3);

INSERT INTO W_OPERATION (NumberMain, KODRABOTA, NameOperation, Norm, Cost) VALUES (1, 1, 'Резка профиля', 0.1, 20);
INSERT INTO W_OPERATION (NumberMain, KODRABOTA, NameOperation, Norm, Cost) VALUES (2, 1, 'Сварка', 0.2, 40);

INSERT INTO RAB_MATERIAL (NumberMain, KODRABOTA, KodMaterial, Karta, KartaStorona, Kolvo, Side, Cost, Norm) VALUES (1, 1, 1, 'Рама', 'Створка', 1, 0, 10, 1);
INSERT INTO RAB_MATERIAL (NumberMain, KODRABOTA, KodMaterial, Karta, KartaStorona, Kolvo, Side, Cost, Norm) VALUES (2, 1, 2, 'Левая сторона', 'Левая сторона', 1, 1, 10, 1);
INSERT INTO RAB_MATERIAL (NumberMain, KODRABOTA, KodMaterial, Karta, KartaStorona, Kolvo, Side, Cost, Norm) VALUES (3, 2, 3, NULL, 'рама', 2, 0, 5, 1);

INSERT INTO acc (NumberAcc, Structure, NameAcc, KodMaterial, Note) VALUES (1, 'Профиль 60', 'Соединитель рамы', 3, NULL);
INSERT INTO acc (NumberAcc, Structure, NameAcc, KodMaterial, Note) VALUES (2, 'Профиль 70', 'Заглушка', 4, NULL);
INSERT INTO acc (NumberAcc, Structure, NameAcc, KodMaterial, Note) VALUES (3, 'профиль 70', 'Заглушка', 4, 'Другой регистр');
INSERT INTO acc (NumberAcc, Structure, NameAcc, KodMaterial, Note) VALUES (4, 'Подоконник ', 'Торцевая крышка', 4, 'Пробел в конце');
INSERT INTO acc (NumberAcc, Structure, NameAcc, KodMaterial, Note) VALUES (5, NULL, 'Без группы', 4, NULL);
INSERT INTO acc (NumberAcc, Structure, NameAcc, KodMaterial, Note) VALUES (6, 'Неизвестная', 'Чужая группа', 4, NULL);

INSERT INTO ACC_MATERIAL (NumberMain, NumberAcc, KodMaterial, Kolvo, Karta, UGOL1, UGOL2, ACONNECT, AROUND, LengthAdd, Side, bUse) VALUES (1, 1, 3, 1, 'Рама', 45, 45, 1, 0, 10, 0, 'T');
INSERT INTO ACC_MATERIAL (NumberMain, NumberAcc, KodMaterial, Kolvo, Karta, UGOL1, UGOL2, ACONNECT, AROUND, LengthAdd, Side, bUse) VALUES (2, 1, 4, 2, 'Подставочный', 90, 90, 0, 1, 0, 1, 'T');
INSERT INTO ACC_MATERIAL (NumberMain, NumberAcc, KodMaterial, Kolvo, Karta, UGOL1, UGOL2, ACONNECT, AROUND, LengthAdd, Side, bUse) VALUES (3, 2, 4, 1, 'Створка', 0, 0, 0, 0, 0, 0, 'F');

INSERT INTO COL_PROFIL (NumberMain, PROFIL, KodColor, NameColor) VALUES (1, 'Профиль 60', 1, 'Белый');
INSERT INTO COL_PROFIL (NumberMain, PROFIL, KodColor, NameColor) VALUES (2, 'Профиль 70', 2, 'Золотой дуб');
INSERT INTO COL_PROFIL (NumberMain, PROFIL, KodColor, NameColor) VALUES (3, 'ПРОФИЛЬ 70', 3, 'Махагон');
INSERT INTO COL_MATERIAL (NumberMain, KodColor, KodMaterial, Karta, Kolvo, Side) VALUES (1, 1, 1, 'Рама', 1, 0);
INSERT INTO COL_MATERIAL (NumberMain, KodColor, KodMaterial, Karta, Kolvo, Side) VALUES (2, 2, 2, 'Импост', 1, 0);

INSERT INTO Template (NumberTemplate, Structure, NameTemplate, WidthTemplate, HeightTemplate) VALUES (1, 'Профиль 60', 'Одностворчатое', 700, 1400);
INSERT INTO Template (NumberTemplate, Structure, NameTemplate, WidthTemplate, HeightTemplate) VALUES (2, 'Профиль 70', 'Двустворчатое', 1300, 1400);
INSERT INTO Template (NumberTemplate, Structure, NameTemplate, WidthTemplate, HeightTemplate) VALUES (3, NULL, 'Балконная дверь', 700, 2100);
INSERT INTO T_MATERIAL (NumberMain, NumberTemplate, KodMaterial, Karta, Kolvo, Side) VALUES (1, 1, 1, 'Рама', 4, 0);
INSERT INTO T_MATERIAL (NumberMain, NumberTemplate, KodMaterial, Karta, Kolvo, Side) VALUES (2, 1, 2, 'Створка', 4, 0);
INSERT INTO T_MATERIAL (NumberMain, NumberTemplate, KodMaterial, Karta, Kolvo, Side) VALUES (3, 2, 2, 'Штульп', 1, 0);

-- Side pointer lists: two that code (3|6 and 4|9), others that code nothing or partly.
INSERT INTO t_Pro (NUMBERPROEM, NUMBERSTORONA, NumberTemplate, NameStorona, KARTA) VALUES (1, 1, 1, 'Левая', 'Левая сторона' || ASCII_CHAR(13) || ASCII_CHAR(10) || 'Верх');
INSERT INTO t_Pro (NUMBERPROEM, NUMBERSTORONA, NumberTemplate, NameStorona, KARTA) VALUES (1, 2, 1, 'Правая', 'Правая сторона' || ASCII_CHAR(13) || 'Низ' || ASCII_CHAR(10));
INSERT INTO t_Pro (NUMBERPROEM, NUMBERSTORONA, NumberTemplate, NameStorona, KARTA) VALUES (2, 1, 2, 'Левая', 'Рама' || ASCII_CHAR(10) || 'левая сторона' || ASCII_CHAR(10) || 'Левая сторона ');
INSERT INTO t_Pro (NUMBERPROEM, NUMBERSTORONA, NumberTemplate, NameStorona, KARTA) VALUES (2, 2, 2, 'Правая', '');
INSERT INTO t_Pro (NUMBERPROEM, NUMBERSTORONA, NumberTemplate, NameStorona, KARTA) VALUES (3, 1, 3, 'Верх', NULL);
INSERT INTO t_Pro (NUMBERPROEM, NUMBERSTORONA, NumberTemplate, NameStorona, KARTA) VALUES (3, 2, 3, 'Низ', 'Низ' || ASCII_CHAR(13) || ASCII_CHAR(10) || ASCII_CHAR(13) || ASCII_CHAR(10) || 'Неизвестный' || ASCII_CHAR(13) || 'Левая сторона' || ASCII_CHAR(13) || ASCII_CHAR(10));

INSERT INTO t_Furnitura (NumberMain, NumberTemplate, NumberKomplect, NumberHandle, Kolvo) VALUES (1, 1, 1, 1, 1);
INSERT INTO t_Furnitura (NumberMain, NumberTemplate, NumberKomplect, NumberHandle, Kolvo) VALUES (2, 2, 2, 0, 2);

INSERT INTO PR_STRUCTURE (NumberMain, KodProfil, KodMaterial, Karta, D, Kolvo, LengthAdd, Side) VALUES (1, 1, 1, 'Рама', 60, 1, 0, 0);
INSERT INTO PR_STRUCTURE (NumberMain, KodProfil, KodMaterial, Karta, D, Kolvo, LengthAdd, Side) VALUES (2, 1, 3, 'Импост', 40, 1, -20, 0);
INSERT INTO PR_STRUCTURE (NumberMain, KodProfil, KodMaterial, Karta, D, Kolvo, LengthAdd, Side) VALUES (3, 2, 2, 'Рама ', 70, 1, 0, 0);

-- The element dictionary: names repeat under other structures, and one pair repeats whole.
INSERT INTO de (KodElement, Structure, NameElement, ConnectW, ConnectH, Capital, kodLimit) VALUES (1, 'Профиль 60', 'Рама', 1, 1, 0, 1);
INSERT INTO de (KodElement, Structure, NameElement, ConnectW, ConnectH, Capital, kodLimit) VALUES (2, 'Профиль 70', 'Рама', 1, 1, 0, 1);
INSERT INTO de (KodElement, Structure, NameElement, ConnectW, ConnectH, Capital, kodLimit) VALUES (3, 'Профиль 60', 'Створка', 0, 0, 1, 2);
INSERT INTO de (KodElement, Structure, NameElement, ConnectW, ConnectH, Capital, kodLimit) VALUES (4, 'Профиль 70', 'Импост', 0, 1, 0, NULL);
INSERT INTO de (KodElement, Structure, NameElement, ConnectW, ConnectH, Capital, kodLimit) VALUES (5, 'Профиль 60', 'Створка', 0, 0, 1, 2);
INSERT INTO de (KodElement, Structure, NameElement, ConnectW, ConnectH, Capital, kodLimit) VALUES (6, 'Подоконник', 'Подоконник', 0, 0, 0, NULL);

INSERT INTO DE_MATERIAL (NumberMain, KodElement, KodMaterial, Karta, Kolvo, LengthAdd, Side) VALUES (1, 1, 1, 'Рама', 1, 0, 0);
INSERT INTO DE_MATERIAL (NumberMain, KodElement, KodMaterial, Karta, Kolvo, LengthAdd, Side) VALUES (2, 3, 2, 'Створка', 1, 0, 0);
INSERT INTO DE_MATERIAL (NumberMain, KodElement, KodMaterial, Karta, Kolvo, LengthAdd, Side) VALUES (3, 4, 3, NULL, 1, 0, 0);

INSERT INTO SET_ELEMENT (NumberMain, NameElement, KodMaterial, Note) VALUES (1, 'Рама', 1, NULL);
INSERT INTO SET_ELEMENT (NumberMain, NameElement, KodMaterial, Note) VALUES (2, 'Створка', 2, NULL);

-- Sub-parameters: parameter 3 has A and B (B twice); parameter 4 is missing from Set_ParameterDE.
INSERT INTO Set_ParameterDE (NUMBERMAIN, NAMEPARAMETER) VALUES (1, 'Цвет');
INSERT INTO Set_ParameterDE (NUMBERMAIN, NAMEPARAMETER) VALUES (2, 'Ламинация');
INSERT INTO Set_ParameterDE (NUMBERMAIN, NAMEPARAMETER) VALUES (3, 'Открывание');
INSERT INTO Set_SubParameterDE (NumberMain, NumberParameter, SubParameter, PVALUE) VALUES (1, 3, 'A', '1');
INSERT INTO Set_SubParameterDE (NumberMain, NumberParameter, SubParameter, PVALUE) VALUES (2, 3, 'B', '0');
INSERT INTO Set_SubParameterDE (NumberMain, NumberParameter, SubParameter, PVALUE) VALUES (3, 1, 'Белый', '1');
INSERT INTO Set_SubParameterDE (NumberMain, NumberParameter, SubParameter, PVALUE) VALUES (4, 3, 'B', '1');
INSERT INTO Set_SubParameterDE (NumberMain, NumberParameter, SubParameter, PVALUE) VALUES (5, 4, 'Фрамуга', '0');
INSERT INTO set_SubParameter (NumberMain, NumberParameter, PROFIL, S1, SubParameter, PValue) VALUES (1, 3, 'Профиль 60', 1, 'A', '1');
INSERT INTO set_SubParameter (NumberMain, NumberParameter, PROFIL, S1, SubParameter, PValue) VALUES (2, 3, 'Профиль 70', 0, 'B', '0');
INSERT INTO set_SubParameter (NumberMain, NumberParameter, PROFIL, S1, SubParameter, PValue) VALUES (3, 1, 'Профиль 90', 0, 'Белый', '1');
INSERT INTO set_SubParameter (NumberMain, NumberParameter, PROFIL, S1, SubParameter, PValue) VALUES (4, 1, NULL, 0, 'Белый', '0');

-- Fittings sets: code lists with junk, 0, negatives, repeats and empty lines.
INSERT INTO FURNITURA (NumberKomplect, Komplect, FURNITURA, NumberElement, KindOpen, NumberHandle, NumberHinge, NumberLock, FHandle, FLock, FHinge, Profil, FColor, Capital, kodLimit)
VALUES (1, 'Поворотно-откидной комплект', 'Фурнитура', 1,
    '1' || ASCII_CHAR(13) || ASCII_CHAR(10) || '2' || ASCII_CHAR(13) || ASCII_CHAR(10),
    1, 2, 3,
    '4' || ASCII_CHAR(10) || 'abc' || ASCII_CHAR(10) || '4',
    '5' || ASCII_CHAR(13) || '0' || ASCII_CHAR(13) || '6',
    '12' || ASCII_CHAR(13) || ASCII_CHAR(10) || 'abc' || ASCII_CHAR(13) || ASCII_CHAR(10) || '0' || ASCII_CHAR(13) || ASCII_CHAR(10) || '-5' || ASCII_CHAR(13) || ASCII_CHAR(10) || '12',
    'Поворотная' || ASCII_CHAR(13) || ASCII_CHAR(10) || 'Штульповая' || ASCII_CHAR(13) || ASCII_CHAR(10) || 'поворотная',
    'Белый' || ASCII_CHAR(13) || ASCII_CHAR(10) || ASCII_CHAR(13) || ASCII_CHAR(10) || 'Коричневый',
    1, 10);
INSERT INTO FURNITURA (NumberKomplect, Komplect, FURNITURA, NumberElement, KindOpen, NumberHandle, NumberHinge, NumberLock, FHandle, FLock, FHinge, Profil, FColor, Capital, kodLimit)
VALUES (2, 'Штульповый комплект', 'фурнитура', 2,
    '3' || ASCII_CHAR(10) || ASCII_CHAR(10) || '3',
    2, 1, 1, '', NULL,
    '7' || ASCII_CHAR(13) || '8' || ASCII_CHAR(13),
    'Раздвижная' || ASCII_CHAR(10) || 'Нет такой группы',
    'Золотой дуб' || ASCII_CHAR(13) || 'Белый' || ASCII_CHAR(10),
    0, NULL);
INSERT INTO FURNITURA (NumberKomplect, Komplect, FURNITURA, NumberElement, KindOpen, NumberHandle, NumberHinge, NumberLock, FHandle, FLock, FHinge, Profil, FColor, Capital, kodLimit)
VALUES (3, 'Без списков', NULL, 0, NULL, 0, 0, 0, NULL, NULL, NULL, NULL, NULL, 0, NULL);

-- Fittings materials: kit lists in every shape, and the element codes r, s, rs, empty and NULL.
INSERT INTO fur_Material (NumberMaterial, Structure, KodMaterial, NameMaterial, Komplect, Karta, Geometry, MassMin, MassMax, Paz, Quantity, KindOpen, Profil, Zvet, Element, SizeMin, SizeMax)
VALUES (1, 'Фурнитура', 4, 'Ручка', '12' || ASCII_CHAR(13) || ASCII_CHAR(10) || 'abc' || ASCII_CHAR(13) || ASCII_CHAR(10) || '0' || ASCII_CHAR(13) || ASCII_CHAR(10) || '12',
    'Створка', '10x20', 0, 80, 12, 1,
    '1' || ASCII_CHAR(13) || ASCII_CHAR(10) || '2',
    'Поворотная' || ASCII_CHAR(13) || ASCII_CHAR(10) || 'Неизвестная',
    'Белый' || ASCII_CHAR(13) || ASCII_CHAR(10) || ASCII_CHAR(13) || ASCII_CHAR(10) || 'Коричневый' || ASCII_CHAR(13) || ASCII_CHAR(10),
    'r', 300, 2400);
INSERT INTO fur_Material (NumberMaterial, Structure, KodMaterial, NameMaterial, Komplect, Karta, Geometry, MassMin, MassMax, Paz, Quantity, KindOpen, Profil, Zvet, Element, SizeMin, SizeMax)
VALUES (2, 'Фурнитура', 5, 'Петля', '5' || ASCII_CHAR(13) || '6' || ASCII_CHAR(13), 'Рама', NULL, 0, 120, 9, 2,
    '2' || ASCII_CHAR(10) || 'x' || ASCII_CHAR(10), 'Штульповая' || ASCII_CHAR(10) || 'Поворотная', 'Золотой дуб' || ASCII_CHAR(13) || 'Белый', 's', 400, 2400);
INSERT INTO fur_Material (NumberMaterial, Structure, KodMaterial, NameMaterial, Komplect, Karta, Geometry, MassMin, MassMax, Paz, Quantity, KindOpen, Profil, Zvet, Element, SizeMin, SizeMax)
VALUES (3, 'фурнитура', 5, 'Петля верхняя', '7' || ASCII_CHAR(10) || '7' || ASCII_CHAR(10) || '8', 'Импост', NULL, 0, 120, 9, 1, '', '', '', 'rs', 400, 2400);
INSERT INTO fur_Material (NumberMaterial, Structure, KodMaterial, NameMaterial, Komplect, Karta, Geometry, MassMin, MassMax, Paz, Quantity, KindOpen, Profil, Zvet, Element, SizeMin, SizeMax)
VALUES (4, NULL, 4, 'Запорная планка', '', 'Подставочный', NULL, 0, 0, 0, 4, NULL, NULL, NULL, '', 0, 0);
INSERT INTO fur_Material (NumberMaterial, Structure, KodMaterial, NameMaterial, Komplect, Karta, Geometry, MassMin, MassMax, Paz, Quantity, KindOpen, Profil, Zvet, Element, SizeMin, SizeMax)
VALUES (5, 'Фурнитура', 4, 'Накладка', NULL, NULL, NULL, 0, 0, 0, 1, '3', 'Раздвижная', 'Белый', NULL, 0, 0);
INSERT INTO fur_Material (NumberMaterial, Structure, KodMaterial, NameMaterial, Komplect, Karta, Geometry, MassMin, MassMax, Paz, Quantity, KindOpen, Profil, Zvet, Element, SizeMin, SizeMax)
VALUES (6, 'Фурнитура', 5, 'Петля средняя', '-3' || ASCII_CHAR(13) || ASCII_CHAR(10) || '1.5' || ASCII_CHAR(13) || ASCII_CHAR(10) || '9', 'Рама', NULL, 0, 0, 0, 1, NULL, NULL, NULL, 'R', 0, 0);

INSERT INTO fur_Material2 (NumberMain, NumberMaterial, KodMaterial, Karta, Paz, Quantity, Profil, Zvet, Element) VALUES (1, 1, 4, 'Створка', 12, 1, 'Поворотная' || ASCII_CHAR(13) || ASCII_CHAR(10) || 'Раздвижная', 'Белый' || ASCII_CHAR(10) || '' || ASCII_CHAR(10) || 'Серый', 'r');
INSERT INTO fur_Material2 (NumberMain, NumberMaterial, KodMaterial, Karta, Paz, Quantity, Profil, Zvet, Element) VALUES (2, 1, 5, 'Рама', 9, 2, 'Штульповая' || ASCII_CHAR(13), 'Коричневый' || ASCII_CHAR(13) || 'Белый', 's');
INSERT INTO fur_Material2 (NumberMain, NumberMaterial, KodMaterial, Karta, Paz, Quantity, Profil, Zvet, Element) VALUES (3, 2, 5, NULL, 0, 1, NULL, NULL, 'rs');
INSERT INTO fur_Material2 (NumberMain, NumberMaterial, KodMaterial, Karta, Paz, Quantity, Profil, Zvet, Element) VALUES (4, 3, 4, 'Импост', 0, 1, '', '', '');
INSERT INTO fur_Material2 (NumberMain, NumberMaterial, KodMaterial, Karta, Paz, Quantity, Profil, Zvet, Element) VALUES (5, 3, 4, 'Импост', 0, 1, 'поворотная', 'Белый', NULL);

-- Old fittings groups: two of the same name, compositions naming stock groups of SubGroup A,
-- others, and names that differ in case or by a trailing blank.
INSERT INTO fur_Group (FURGROUP, SOSTAV, Note) VALUES ('Поворотная', 'Профиль 60' || ASCII_CHAR(13) || ASCII_CHAR(10) || 'Профиль 70' || ASCII_CHAR(13) || ASCII_CHAR(10) || 'Армирование', NULL);
INSERT INTO fur_Group (FURGROUP, SOSTAV, Note) VALUES ('Штульповая', 'Профиль 70' || ASCII_CHAR(10) || 'профиль 70' || ASCII_CHAR(10) || 'Подоконник ' || ASCII_CHAR(10), NULL);
INSERT INTO fur_Group (FURGROUP, SOSTAV, Note) VALUES ('Раздвижная', 'Подоконник' || ASCII_CHAR(13) || 'Стекло' || ASCII_CHAR(13) || ASCII_CHAR(13) || 'Профиль 60', NULL);
INSERT INTO fur_Group (FURGROUP, SOSTAV, Note) VALUES ('Поворотная', 'Профиль 60', 'Повтор имени');
INSERT INTO fur_Group (FURGROUP, SOSTAV, Note) VALUES ('Пустая', '', NULL);

INSERT INTO FUR_GEOMETRY (NumberMain, NumberMaterial, X, Y) VALUES (1, 1, 10, 20);
INSERT INTO FUR_STRUCTURE (NumberMain, NumberKomplect, NumberMaterial, S1, S2, S3, S4, S5) VALUES (1, 1, 1, 0, 0, 1, 1, 0);
INSERT INTO FUR_STRUCTURE (NumberMain, NumberKomplect, NumberMaterial, S1, S2, S3, S4, S5) VALUES (2, 1, 2, 1, 0, 0, 1, 0);
INSERT INTO SET_FURNITURAPAZ (NumberMain, NumberKomplect, Paz) VALUES (1, 1, 12);

INSERT INTO stanok_Operation (NumberOperation, KodStanok, NameOperation, FURNITURA, NumberHandle, Instrument, Side, X, Y, Depth, Diameter, Angle, Speed, bUse) VALUES (1, 1, 'Фрезеровка под ручку', 'Фурнитура', 1, 'Фреза 8 мм', 1, 100, 20, 12, 8, 0, 1200, 'T');
INSERT INTO stanok_Operation (NumberOperation, KodStanok, NameOperation, FURNITURA, NumberHandle, Instrument, Side, X, Y, Depth, Diameter, Angle, Speed, bUse) VALUES (2, 1, 'Сверление', 'Стекло ', 0, 'Сверло 5 мм', 2, 50, 10, 20, 5, 0, 900, 'F');
INSERT INTO stanok_mission (NumberMission, name_Stanok, KodStanok, Mission) VALUES (1, 'Фрезерный центр', 1, 'Программа 1');

INSERT INTO SET_MANAGER (NumberManager, NameManager, LoginName, Phone, Email, AccessLevel, tBegin) VALUES (1, 'Иванов Иван', 'ivanov', '+7 900 000-00-01', 'ivanov@example.ru', 1, '09:00:00');
INSERT INTO SET_MANAGER (NumberManager, NameManager, LoginName, Phone, Email, AccessLevel, tBegin) VALUES (2, 'Петрова Анна', 'petrova', NULL, NULL, 2, NULL);

INSERT INTO TONIROVKA (NumberMain, NameTonirovka, KodMaterial) VALUES (1, 'Бронза', 6);
INSERT INTO SET_LOGISTIC_TRANSPORT (NumberMain, NameTransport, Capacity) VALUES (1, 'Газель', 1500);
INSERT INTO SET_WWW (NumberMain, Url, Note) VALUES (1, 'http://example.ru/', NULL);
