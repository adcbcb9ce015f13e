-- Orders of release 7.12 (also the server's copy): orders and their products, elements,
-- fittings, services and the material lists of each order. Attributes, groups, pointers and
-- works are referred to by name; KARTA of k_Pro lists side pointers, one a line.
CREATE TABLE Orders (
    NOM INTEGER NOT NULL,
    NumberOrder VARCHAR(20),
    DateOrder DATE,
    Customer VARCHAR(100),
    Attribute VARCHAR(60),
    Summa NUMERIC(15,2),
    NameManager VARCHAR(60),
    Note VARCHAR(255)
);

CREATE TABLE Product (
    NOM INTEGER NOT NULL,
    NumberProduct SMALLINT NOT NULL,
    Structure VARCHAR(24),
    Attribute VARCHAR(60),
    NameProduct VARCHAR(100),
    WidthProduct INTEGER,
    HeightProduct INTEGER,
    Kolvo SMALLINT,
    p_Parameter BLOB SUB_TYPE 1,
    PRIMARY KEY (NOM, NumberProduct)
);

CREATE TABLE o_Attribute (
    KodOAttribute INTEGER NOT NULL PRIMARY KEY,
    NOM INTEGER,
    Attribute VARCHAR(60),
    AttributeTransit VARCHAR(60),
    DateChange TIMESTAMP,
    NameManager VARCHAR(60)
);

CREATE TABLE O_LOGISTIC (
    NOM INTEGER,
    DateLogistic DATE,
    Transport VARCHAR(60),
    Address VARCHAR(255)
);

CREATE TABLE O_MESSAGE (
    KodMessage INTEGER NOT NULL PRIMARY KEY,
    NOM INTEGER,
    DateMessage TIMESTAMP,
    MessageText VARCHAR(255)
);

CREATE GENERATOR GEN_O_MESSAGE;

SET TERM ^ ;
CREATE TRIGGER BI_O_MESSAGE FOR O_MESSAGE
ACTIVE BEFORE INSERT POSITION 0
AS
BEGIN
IF (NEW.KODMESSAGE IS NULL) THEN NEW.KODMESSAGE = GEN_ID(GEN_O_MESSAGE,1);
END^
SET TERM ; ^

CREATE TABLE K_ACCESS (
    NOM INTEGER,
    NumberProduct SMALLINT,
    KodMaterial INTEGER,
    Kolvo NUMERIC(12,3)
);

CREATE TABLE k_Pro (
    NOM INTEGER NOT NULL,
    NUMBERPRODUCT SMALLINT NOT NULL,
    NUMBERSTORONA SMALLINT NOT NULL,
    NumberProem INTEGER,
    NameStorona VARCHAR(40),
    KARTA BLOB SUB_TYPE 1,
    LengthAdd INTEGER,
    PRIMARY KEY (NOM, NUMBERPRODUCT, NUMBERSTORONA)
);

CREATE TABLE o_Service (
    NOM INTEGER NOT NULL,
    NumberService SMALLINT NOT NULL,
    NumberProduct SMALLINT,
    KodService INTEGER,
    Service VARCHAR(100),
    Structure VARCHAR(24),
    KODCAPITAL INTEGER,
    COSTCAPITAL NUMERIC(15,2),
    OTKOSMIN INTEGER,
    OTKOSMAX INTEGER,
    Kolvo NUMERIC(12,3),
    Cost NUMERIC(15,2),
    PRIMARY KEY (NOM, NumberService)
);

CREATE TABLE P_OPERATION (
    NOM INTEGER,
    NumberProduct SMALLINT,
    NumberOperation SMALLINT,
    KODRABOTA INTEGER,
    NameOperation VARCHAR(100),
    Kolvo NUMERIC(12,3),
    Norm NUMERIC(12,3),
    Cost NUMERIC(15,2),
    Executor VARCHAR(60)
);

-- Order elements; the key columns are SMALLINT in this release and become INTEGER later.
CREATE TABLE DE (
    NOM INTEGER NOT NULL,
    NumberProduct SMALLINT NOT NULL,
    NumberElement SMALLINT NOT NULL,
    Structure VARCHAR(24),
    Element VARCHAR(60),
    NumberElement0 SMALLINT,
    ColorIn SMALLINT,
    ColorOut SMALLINT,
    Kolvo SMALLINT,
    KolvoProduct SMALLINT,
    Capital SMALLINT,
    KodParameter INTEGER,
    SubParameter VARCHAR(60),
    WidthElement INTEGER,
    HeightElement INTEGER
);

CREATE INDEX DE_ORDER_ELEMENT ON DE (NOM, NumberProduct, NumberElement);

CREATE TABLE k_Furnitura (
    NOM INTEGER,
    NUMBERPRODUCT SMALLINT,
    NUMBERELEMENT SMALLINT,
    NUMBERKOMPLECT SMALLINT,
    KINDOPEN SMALLINT,
    NUMBERHANDLE SMALLINT,
    NUMBERHINGE SMALLINT,
    NUMBERLOCK SMALLINT,
    FCOLOR VARCHAR(60),
    Element VARCHAR(60),
    Kolvo SMALLINT
);

CREATE TABLE k_Element (
    NOM INTEGER,
    NUMBERPRODUCT SMALLINT,
    NUMBERELEMENT SMALLINT,
    ELEMENT SMALLINT,
    PROEM SMALLINT,
    CORRECTIONW SMALLINT,
    CORRECTIONH SMALLINT,
    CAPITAL SMALLINT,
    MADE SMALLINT,
    WidthElement INTEGER,
    HeightElement INTEGER
);

CREATE TABLE k_Filling (
    NOM INTEGER,
    NUMBERPRODUCT SMALLINT,
    NUMBERELEMENT SMALLINT,
    ELEMENT SMALLINT,
    PROEM SMALLINT,
    KOLVOST SMALLINT,
    CAPITAL SMALLINT,
    MADE SMALLINT,
    KodMaterial INTEGER,
    WidthFilling INTEGER,
    HeightFilling INTEGER
);

CREATE TABLE k_Razdel (
    NOM INTEGER,
    NUMBERPRODUCT SMALLINT,
    NUMBERELEMENT SMALLINT,
    NEWPROEM SMALLINT,
    STORONA1 SMALLINT,
    NUMBERELEMENT10 SMALLINT,
    NUMBERSTORONA10 SMALLINT,
    STORONA2 SMALLINT,
    NUMBERELEMENT20 SMALLINT,
    NUMBERSTORONA20 SMALLINT,
    Distance INTEGER
);

-- The material lists of an order; Karta names the pointer of each material.
CREATE TABLE C_MATERIAL (NOM INTEGER, NumberProduct SMALLINT, NumberElement SMALLINT, KodMaterial INTEGER, Karta VARCHAR(60), Kolvo NUMERIC(12,3), LengthMat INTEGER, Cost NUMERIC(15,2));
CREATE TABLE DE_KARTA (NOM INTEGER, NumberProduct SMALLINT, NumberElement SMALLINT, KodMaterial INTEGER, Karta VARCHAR(60), Kolvo NUMERIC(12,3), LengthMat INTEGER, Ugol1 SMALLINT, Ugol2 SMALLINT, Side SMALLINT);
CREATE TABLE DE_MATERIAL (NOM INTEGER, NumberProduct SMALLINT, NumberElement SMALLINT, KodMaterial INTEGER, Karta VARCHAR(60), Kolvo NUMERIC(12,3), LengthMat INTEGER, Cost NUMERIC(15,2));
CREATE TABLE DM_MATERIAL (NOM INTEGER, NumberProduct SMALLINT, KodMaterial INTEGER, Karta VARCHAR(60), Kolvo NUMERIC(12,3), Cost NUMERIC(15,2));
CREATE TABLE K_CAPITAL (NOM INTEGER, NumberProduct SMALLINT, NumberElement SMALLINT, KodMaterial INTEGER, Karta VARCHAR(60), D SMALLINT, Kolvo NUMERIC(12,3), LengthMat INTEGER, Ugol1 SMALLINT, Ugol2 SMALLINT);
CREATE TABLE K_MATERIALF (NOM INTEGER, NUMBERPRODUCT SMALLINT, NUMBERELEMENT SMALLINT, NUMBERLIST SMALLINT, KodMaterial INTEGER, Karta VARCHAR(60), Kolvo NUMERIC(12,3), Cost NUMERIC(15,2), Note VARCHAR(255));
CREATE TABLE K_MATERIALI (NOM INTEGER, NumberProduct SMALLINT, NumberElement SMALLINT, KodMaterial INTEGER, Karta VARCHAR(60), Kolvo NUMERIC(12,3), Cost NUMERIC(15,2));
CREATE TABLE K_MATERIALR (NOM INTEGER, NumberProduct SMALLINT, NumberElement SMALLINT, KodMaterial INTEGER, Karta VARCHAR(60), Kolvo NUMERIC(12,3), LengthMat INTEGER, Ugol1 SMALLINT, Ugol2 SMALLINT);
CREATE TABLE K_MATERIALS (NOM INTEGER, NumberProduct SMALLINT, NumberElement SMALLINT, KodMaterial INTEGER, Karta VARCHAR(60), Kolvo NUMERIC(12,3), LengthMat INTEGER, WidthMat INTEGER, HeightMat INTEGER, Ugol1 SMALLINT, Ugol2 SMALLINT, Side SMALLINT, Cost NUMERIC(15,2), Weight NUMERIC(12,3), Formula VARCHAR(255), Note VARCHAR(255), bCut VARCHAR(1));
CREATE TABLE K_TONIROVKA (NOM INTEGER, NumberProduct SMALLINT, KodMaterial INTEGER, Karta VARCHAR(60), Square NUMERIC(12,3), Cost NUMERIC(15,2));
CREATE TABLE P_KARTA (NOM INTEGER, NumberProduct SMALLINT, NumberElement SMALLINT, KodMaterial INTEGER, Karta VARCHAR(60), Kolvo NUMERIC(12,3), LengthMat INTEGER, WidthMat INTEGER, HeightMat INTEGER, Ugol1 SMALLINT, Ugol2 SMALLINT, Side SMALLINT, Cost NUMERIC(15,2));
CREATE TABLE P_KARTA2 (NOM INTEGER, NumberProduct SMALLINT, NumberElement SMALLINT, KodMaterial INTEGER, Karta VARCHAR(60), Kolvo NUMERIC(12,3), LengthMat INTEGER, Cost NUMERIC(15,2));
CREATE TABLE P_KARTAA (NOM INTEGER, NumberProduct SMALLINT, NumberElement SMALLINT, KodMaterial INTEGER, Karta VARCHAR(60), Kolvo NUMERIC(12,3), LengthMat INTEGER, WidthMat INTEGER, HeightMat INTEGER, Ugol1 SMALLINT, Ugol2 SMALLINT, Side SMALLINT, Cost NUMERIC(15,2));
CREATE TABLE P_KARTAF (NOM INTEGER, NumberProduct SMALLINT, NumberElement SMALLINT, KodMaterial INTEGER, Karta VARCHAR(60), Kolvo NUMERIC(12,3), LengthMat INTEGER, Ugol1 SMALLINT, Ugol2 SMALLINT, Cost NUMERIC(15,2));
CREATE TABLE P_KARTAS (NOM INTEGER, NumberProduct SMALLINT, NumberElement SMALLINT, KodMaterial INTEGER, Karta VARCHAR(60), Kolvo NUMERIC(12,3), WidthMat INTEGER, HeightMat INTEGER, Cost NUMERIC(15,2));
CREATE TABLE P_MATERIAL (NOM INTEGER, NumberProduct SMALLINT, KodMaterial INTEGER, Karta VARCHAR(60), Kolvo NUMERIC(12,3), LengthMat INTEGER, Cost NUMERIC(15,2));
CREATE TABLE P_MATERIALF (NOM INTEGER, NumberProduct SMALLINT, NumberElement SMALLINT, KodMaterial INTEGER, Karta VARCHAR(60), Kolvo NUMERIC(12,3), LengthMat INTEGER, Cost NUMERIC(15,2));
CREATE TABLE R_MATERIAL (NOM INTEGER, NumberProduct SMALLINT, KodMaterial INTEGER, Karta VARCHAR(60), Kolvo NUMERIC(12,3), LengthMat INTEGER, Cost NUMERIC(15,2));
CREATE TABLE S_MATERIAL (NOM INTEGER, NumberProduct SMALLINT, NumberElement SMALLINT, KodMaterial INTEGER, Karta VARCHAR(60), Kolvo NUMERIC(12,3), WidthMat INTEGER, HeightMat INTEGER, Cost NUMERIC(15,2));

INSERT INTO Orders (NOM, NumberOrder, DateOrder, Customer, Attribute, Summa, NameManager) VALUES (1, '2019-0001', '2019-05-14', 'Смирнов Пётр', 'Новый', 48200, 'Иванов Иван');
INSERT INTO Orders (NOM, NumberOrder, DateOrder, Customer, Attribute, Summa, NameManager) VALUES (2, '2019-0002', '2019-05-15', 'ООО «Окна»', 'Готов', 125000, 'Петрова Анна');
INSERT INTO Orders (NOM, NumberOrder, DateOrder, Customer, Attribute, Summa, NameManager) VALUES (3, '2019-0003', '2019-05-16', 'Кузнецова Ольга', 'готов', 9800, NULL);
INSERT INTO Orders (NOM, NumberOrder, DateOrder, Customer, Attribute, Summa, NameManager) VALUES (4, '2019-0004', '2019-05-16', 'Соколов Андрей', NULL, 0, NULL);
INSERT INTO Orders (NOM, NumberOrder, DateOrder, Customer, Attribute, Summa, NameManager) VALUES (5, '2019-0005', '2019-05-17', 'Попов Илья', 'Архив', 15500, NULL);

INSERT INTO Product (NOM, NumberProduct, Structure, Attribute, NameProduct, WidthProduct, HeightProduct, Kolvo, p_Parameter) VALUES (1, 1, 'Профиль 60', 'Новый', 'Окно одностворчатое', 700, 1400, 1, 'Цвет=Белый' || ASCII_CHAR(13) || ASCII_CHAR(10) || 'Ручка=Белая');
INSERT INTO Product (NOM, NumberProduct, Structure, Attribute, NameProduct, WidthProduct, HeightProduct, Kolvo, p_Parameter) VALUES (1, 2, 'Профиль 70', 'Новый', 'Окно двустворчатое', 1300, 1400, 2, NULL);
INSERT INTO Product (NOM, NumberProduct, Structure, Attribute, NameProduct, WidthProduct, HeightProduct, Kolvo, p_Parameter) VALUES (2, 1, 'профиль 70', 'Готов', 'Балконная дверь', 700, 2100, 1, '');
INSERT INTO Product (NOM, NumberProduct, Structure, Attribute, NameProduct, WidthProduct, HeightProduct, Kolvo, p_Parameter) VALUES (3, 1, NULL, NULL, 'Подоконник', 1500, 300, 1, NULL);
INSERT INTO Product (NOM, NumberProduct, Structure, Attribute, NameProduct, WidthProduct, HeightProduct, Kolvo, p_Parameter) VALUES (4, 1, 'Подоконник ', NULL, 'Подоконник', 1200, 250, 1, NULL);
INSERT INTO Product (NOM, NumberProduct, Structure, Attribute, NameProduct, WidthProduct, HeightProduct, Kolvo, p_Parameter) VALUES (5, 1, 'Неизвестная', NULL, 'Окно', 600, 600, 1, NULL);

INSERT INTO o_Attribute (KodOAttribute, NOM, Attribute, AttributeTransit, DateChange, NameManager) VALUES (1, 1, 'Новый', 'В работе', '2019-05-14 10:00:00', 'Иванов Иван');
INSERT INTO o_Attribute (KodOAttribute, NOM, Attribute, AttributeTransit, DateChange, NameManager) VALUES (2, 2, 'В работе', 'Готов', '2019-05-20 12:30:00', 'Петрова Анна');
INSERT INTO o_Attribute (KodOAttribute, NOM, Attribute, AttributeTransit, DateChange, NameManager) VALUES (3, 3, 'готов', NULL, '2019-05-21 09:15:00', NULL);
INSERT INTO O_LOGISTIC (NOM, DateLogistic, Transport, Address) VALUES (2, '2019-05-22', 'Газель', 'ул. Ленина, 1');
INSERT INTO O_MESSAGE (NOM, DateMessage, MessageText) VALUES (1, '2019-05-14 10:05:00', 'Заказ принят');
INSERT INTO O_MESSAGE (NOM, DateMessage, MessageText) VALUES (2, '2019-05-20 12:35:00', 'Заказ готов');
INSERT INTO K_ACCESS (NOM, NumberProduct, KodMaterial, Kolvo) VALUES (1, 1, 3, 2);

-- Side pointer lists of the order sides: two that code (3|6 and 4|9), others that do not.
INSERT INTO k_Pro (NOM, NUMBERPRODUCT, NUMBERSTORONA, NumberProem, NameStorona, KARTA) VALUES (1, 1, 1, 1, 'Левая', 'Левая сторона' || ASCII_CHAR(13) || ASCII_CHAR(10) || 'Верх');
INSERT INTO k_Pro (NOM, NUMBERPRODUCT, NUMBERSTORONA, NumberProem, NameStorona, KARTA) VALUES (1, 1, 2, 1, 'Правая', 'Правая сторона' || ASCII_CHAR(13) || 'Низ' || ASCII_CHAR(10));
INSERT INTO k_Pro (NOM, NUMBERPRODUCT, NUMBERSTORONA, NumberProem, NameStorona, KARTA) VALUES (1, 2, 1, 1, 'Левая', 'Рама' || ASCII_CHAR(10) || 'левая сторона');
INSERT INTO k_Pro (NOM, NUMBERPRODUCT, NUMBERSTORONA, NumberProem, NameStorona, KARTA) VALUES (2, 1, 1, 2, 'Верх', '');
INSERT INTO k_Pro (NOM, NUMBERPRODUCT, NUMBERSTORONA, NumberProem, NameStorona, KARTA) VALUES (2, 1, 2, 2, 'Низ', NULL);
INSERT INTO k_Pro (NOM, NUMBERPRODUCT, NUMBERSTORONA, NumberProem, NameStorona, KARTA) VALUES (3, 1, 1, 3, 'Левая', 'Низ' || ASCII_CHAR(13) || ASCII_CHAR(10) || ASCII_CHAR(13) || ASCII_CHAR(10) || 'Неизвестный' || ASCII_CHAR(13) || 'Левая сторона' || ASCII_CHAR(13) || ASCII_CHAR(10));

-- Services: known works, a repeated name, one that only Base has, one nobody has, another case.
INSERT INTO o_Service (NOM, NumberService, NumberProduct, KodService, Service, Structure, KODCAPITAL, COSTCAPITAL, OTKOSMIN, OTKOSMAX, Kolvo, Cost) VALUES (1, 1, 1, NULL, 'Сборка окна', 'Профиль 60', 1, 100, 0, 0, 1, 500);
INSERT INTO o_Service (NOM, NumberService, NumberProduct, KodService, Service, Structure, KODCAPITAL, COSTCAPITAL, OTKOSMIN, OTKOSMAX, Kolvo, Cost) VALUES (1, 2, 1, NULL, 'Монтаж', NULL, 2, 300, 150, 350, 1, 1500);
INSERT INTO o_Service (NOM, NumberService, NumberProduct, KodService, Service, Structure, KODCAPITAL, COSTCAPITAL, OTKOSMIN, OTKOSMAX, Kolvo, Cost) VALUES (1, 3, NULL, 7, 'Доставка', NULL, NULL, NULL, NULL, NULL, 12, 480);
INSERT INTO o_Service (NOM, NumberService, NumberProduct, KodService, Service, Structure, KODCAPITAL, COSTCAPITAL, OTKOSMIN, OTKOSMAX, Kolvo, Cost) VALUES (2, 1, 1, NULL, 'Мойка окон', NULL, NULL, NULL, NULL, NULL, 1, 300);
INSERT INTO o_Service (NOM, NumberService, NumberProduct, KodService, Service, Structure, KODCAPITAL, COSTCAPITAL, OTKOSMIN, OTKOSMAX, Kolvo, Cost) VALUES (2, 2, 1, NULL, 'монтаж', NULL, 2, 300, 0, 0, 1, 1500);
INSERT INTO o_Service (NOM, NumberService, NumberProduct, KodService, Service, Structure, KODCAPITAL, COSTCAPITAL, OTKOSMIN, OTKOSMAX, Kolvo, Cost) VALUES (3, 1, 1, NULL, NULL, NULL, NULL, NULL, NULL, NULL, 1, 0);

INSERT INTO P_OPERATION (NOM, NumberProduct, NumberOperation, KODRABOTA, NameOperation, Kolvo, Norm, Cost, Executor) VALUES (1, 1, 1, 1, 'Резка профиля', 4, 0.1, 20, 'Бригада 1');
INSERT INTO P_OPERATION (NOM, NumberProduct, NumberOperation, KODRABOTA, NameOperation, Kolvo, Norm, Cost, Executor) VALUES (1, 1, 2, 1, 'Сварка', 4, 0.2, 40, 'Бригада 1');

-- Elements that match the dictionary by structure and name, by name only, and not at all; with
-- sub-parameters (3, A), (3, B), of a parameter the dictionary lacks (4), and unknown ones.
INSERT INTO DE (NOM, NumberProduct, NumberElement, Structure, Element, NumberElement0, ColorIn, ColorOut, Kolvo, KolvoProduct, Capital, KodParameter, SubParameter, WidthElement, HeightElement) VALUES (1, 1, 1, 'Профиль 70', 'Рама', 0, 1, 1, 1, 1, 0, 3, 'B', 700, 1400);
INSERT INTO DE (NOM, NumberProduct, NumberElement, Structure, Element, NumberElement0, ColorIn, ColorOut, Kolvo, KolvoProduct, Capital, KodParameter, SubParameter, WidthElement, HeightElement) VALUES (1, 1, 2, 'Профиль 60', 'Створка', 1, 1, 1, 1, 1, 1, 3, 'A', 640, 1340);
INSERT INTO DE (NOM, NumberProduct, NumberElement, Structure, Element, NumberElement0, ColorIn, ColorOut, Kolvo, KolvoProduct, Capital, KodParameter, SubParameter, WidthElement, HeightElement) VALUES (1, 1, 3, 'Армирование', 'Рама', 0, 0, 0, 2, 1, 0, 4, 'Фрамуга', 700, 1400);
INSERT INTO DE (NOM, NumberProduct, NumberElement, Structure, Element, NumberElement0, ColorIn, ColorOut, Kolvo, KolvoProduct, Capital, KodParameter, SubParameter, WidthElement, HeightElement) VALUES (1, 1, 4, 'Профиль 60', 'рама', 0, 0, 0, 1, 1, 0, 3, 'C', 700, 1400);
INSERT INTO DE (NOM, NumberProduct, NumberElement, Structure, Element, NumberElement0, ColorIn, ColorOut, Kolvo, KolvoProduct, Capital, KodParameter, SubParameter, WidthElement, HeightElement) VALUES (1, 2, 1, NULL, 'Импост', 0, 2, 2, 1, 2, 0, 1, 'белый', 1300, 1400);
INSERT INTO DE (NOM, NumberProduct, NumberElement, Structure, Element, NumberElement0, ColorIn, ColorOut, Kolvo, KolvoProduct, Capital, KodParameter, SubParameter, WidthElement, HeightElement) VALUES (1, 2, 2, 'Профиль 60', 'Неизвестный', 0, 0, 0, 1, 2, 0, NULL, NULL, 0, 0);
INSERT INTO DE (NOM, NumberProduct, NumberElement, Structure, Element, NumberElement0, ColorIn, ColorOut, Kolvo, KolvoProduct, Capital, KodParameter, SubParameter, WidthElement, HeightElement) VALUES (2, 1, 1, 'Подоконник', 'Подоконник', 0, 0, 0, 1, 1, 0, 1, 'Белый', 700, 300);
INSERT INTO DE (NOM, NumberProduct, NumberElement, Structure, Element, NumberElement0, ColorIn, ColorOut, Kolvo, KolvoProduct, Capital, KodParameter, SubParameter, WidthElement, HeightElement) VALUES (2, 1, 2, 'Профиль 70', 'Импост ', 0, 0, 0, 1, 1, 0, 3, 'B', 700, 2100);

INSERT INTO k_Furnitura (NOM, NUMBERPRODUCT, NUMBERELEMENT, NUMBERKOMPLECT, KINDOPEN, NUMBERHANDLE, NUMBERHINGE, NUMBERLOCK, FCOLOR, Element, Kolvo) VALUES (1, 1, 2, 1, 1, 1, 2, 3, 'Белый', 'Створка', 1);
INSERT INTO k_Furnitura (NOM, NUMBERPRODUCT, NUMBERELEMENT, NUMBERKOMPLECT, KINDOPEN, NUMBERHANDLE, NUMBERHINGE, NUMBERLOCK, FCOLOR, Element, Kolvo) VALUES (1, 2, 1, 2, 2, 0, 1, 1, NULL, NULL, 1);
INSERT INTO k_Element (NOM, NUMBERPRODUCT, NUMBERELEMENT, ELEMENT, PROEM, CORRECTIONW, CORRECTIONH, CAPITAL, MADE, WidthElement, HeightElement) VALUES (1, 1, 1, 1, 1, 0, 0, 0, 1, 700, 1400);
INSERT INTO k_Element (NOM, NUMBERPRODUCT, NUMBERELEMENT, ELEMENT, PROEM, CORRECTIONW, CORRECTIONH, CAPITAL, MADE, WidthElement, HeightElement) VALUES (1, 1, 2, 3, 1, -4, -4, 1, 0, 640, 1340);
INSERT INTO k_Filling (NOM, NUMBERPRODUCT, NUMBERELEMENT, ELEMENT, PROEM, KOLVOST, CAPITAL, MADE, KodMaterial, WidthFilling, HeightFilling) VALUES (1, 1, 2, 3, 1, 2, 0, 0, 6, 560, 1260);
INSERT INTO k_Razdel (NOM, NUMBERPRODUCT, NUMBERELEMENT, NEWPROEM, STORONA1, NUMBERELEMENT10, NUMBERSTORONA10, STORONA2, NUMBERELEMENT20, NUMBERSTORONA20, Distance) VALUES (1, 2, 1, 2, 1, 1, 2, 3, 1, 4, 650);

INSERT INTO C_MATERIAL (NOM, NumberProduct, NumberElement, KodMaterial, Karta, Kolvo, LengthMat, Cost) VALUES (1, 1, 1, 1, 'Рама', 4, 1400, 434.70);
INSERT INTO C_MATERIAL (NOM, NumberProduct, NumberElement, KodMaterial, Karta, Kolvo, LengthMat, Cost) VALUES (1, 1, 2, 2, 'Подставочный', 4, 1340, 458.28);
INSERT INTO DE_KARTA (NOM, NumberProduct, NumberElement, KodMaterial, Karta, Kolvo, LengthMat, Ugol1, Ugol2, Side) VALUES (1, 1, 1, 1, 'Рама', 2, 1400, 45, 45, 1);
INSERT INTO DE_KARTA (NOM, NumberProduct, NumberElement, KodMaterial, Karta, Kolvo, LengthMat, Ugol1, Ugol2, Side) VALUES (1, 1, 2, 2, 'рама', 2, 1340, 45, 45, 2);
INSERT INTO DE_MATERIAL (NOM, NumberProduct, NumberElement, KodMaterial, Karta, Kolvo, LengthMat, Cost) VALUES (1, 1, 2, 2, 'Створка', 4, 1340, 458.28);
INSERT INTO DE_MATERIAL (NOM, NumberProduct, NumberElement, KodMaterial, Karta, Kolvo, LengthMat, Cost) VALUES (1, 2, 1, 3, NULL, 1, 1400, 133.00);
INSERT INTO DM_MATERIAL (NOM, NumberProduct, KodMaterial, Karta, Kolvo, Cost) VALUES (1, 1, 4, 'Створка', 1, 120);
INSERT INTO K_CAPITAL (NOM, NumberProduct, NumberElement, KodMaterial, Karta, D, Kolvo, LengthMat, Ugol1, Ugol2) VALUES (1, 1, 1, 1, 'Рама', 60, 4, 1400, 45, 45);
INSERT INTO K_CAPITAL (NOM, NumberProduct, NumberElement, KodMaterial, Karta, D, Kolvo, LengthMat, Ugol1, Ugol2) VALUES (1, 2, 1, 3, 'Импост', 40, 1, 1360, 90, 90);
INSERT INTO K_MATERIALF (NOM, NUMBERPRODUCT, NUMBERELEMENT, NUMBERLIST, KodMaterial, Karta, Kolvo, Cost, Note) VALUES (1, 1, 2, 1, 4, 'Створка', 1, 120, NULL);
INSERT INTO K_MATERIALF (NOM, NUMBERPRODUCT, NUMBERELEMENT, NUMBERLIST, KodMaterial, Karta, Kolvo, Cost, Note) VALUES (1, 1, 2, 2, 5, 'Рама', 2, 420, NULL);
INSERT INTO K_MATERIALI (NOM, NumberProduct, NumberElement, KodMaterial, Karta, Kolvo, Cost) VALUES (1, 2, 1, 3, 'Импост', 1, 133);
INSERT INTO K_MATERIALR (NOM, NumberProduct, NumberElement, KodMaterial, Karta, Kolvo, LengthMat, Ugol1, Ugol2) VALUES (1, 1, 1, 3, 'Рама', 4, 1300, 90, 90);
INSERT INTO K_MATERIALS (NOM, NumberProduct, NumberElement, KodMaterial, Karta, Kolvo, LengthMat, WidthMat, HeightMat, Ugol1, Ugol2, Side, Cost, Weight, Formula, Note, bCut) VALUES (1, 1, 2, 6, 'Створка', 1, 0, 560, 1260, 0, 0, 0, 1270, 14.1, NULL, NULL, 'F');
INSERT INTO K_TONIROVKA (NOM, NumberProduct, KodMaterial, Karta, Square, Cost) VALUES (1, 1, 6, 'Створка', 0.71, 350);
INSERT INTO P_KARTA (NOM, NumberProduct, NumberElement, KodMaterial, Karta, Kolvo, LengthMat, WidthMat, HeightMat, Ugol1, Ugol2, Side, Cost) VALUES (1, 1, 1, 1, 'Рама', 4, 1400, 60, 70, 45, 45, 0, 434.70);
INSERT INTO P_KARTA2 (NOM, NumberProduct, NumberElement, KodMaterial, Karta, Kolvo, LengthMat, Cost) VALUES (1, 1, 1, 1, 'Рама ', 4, 1400, 434.70);
INSERT INTO P_KARTAA (NOM, NumberProduct, NumberElement, KodMaterial, Karta, Kolvo, LengthMat, WidthMat, HeightMat, Ugol1, Ugol2, Side, Cost) VALUES (1, 1, 1, 3, 'Рама', 4, 1300, 0, 0, 90, 90, 0, 133);
INSERT INTO P_KARTAF (NOM, NumberProduct, NumberElement, KodMaterial, Karta, Kolvo, LengthMat, Ugol1, Ugol2, Cost) VALUES (1, 1, 2, 4, 'Створка', 1, 0, 0, 0, 120);
INSERT INTO P_KARTAS (NOM, NumberProduct, NumberElement, KodMaterial, Karta, Kolvo, WidthMat, HeightMat, Cost) VALUES (1, 1, 2, 6, 'Створка', 1, 560, 1260, 1270);
INSERT INTO P_MATERIAL (NOM, NumberProduct, KodMaterial, Karta, Kolvo, LengthMat, Cost) VALUES (1, 1, 1, 'Рама', 4, 1400, 434.70);
INSERT INTO P_MATERIAL (NOM, NumberProduct, KodMaterial, Karta, Kolvo, LengthMat, Cost) VALUES (2, 1, 2, NULL, 1, 700, 100);
INSERT INTO P_MATERIALF (NOM, NumberProduct, NumberElement, KodMaterial, Karta, Kolvo, LengthMat, Cost) VALUES (1, 1, 2, 5, 'Створка', 2, 0, 420);
INSERT INTO R_MATERIAL (NOM, NumberProduct, KodMaterial, Karta, Kolvo, LengthMat, Cost) VALUES (1, 1, 3, 'Импост', 1, 1300, 133);
INSERT INTO S_MATERIAL (NOM, NumberProduct, NumberElement, KodMaterial, Karta, Kolvo, WidthMat, HeightMat, Cost) VALUES (1, 1, 2, 6, 'Подставочный', 1, 560, 1260, 1270);
