-- The stock of release 7.12: groups by name, materials numbered by GEN_STOCKMAIN, and their
-- second units. The groups have no code yet; "Профиль 60" is there twice.
CREATE TABLE stock_Group (
    GroupMain VARCHAR(24),
    SubGroup VARCHAR(1),
    Vid VARCHAR(2),
    NoteP VARCHAR(1),
    NoteF VARCHAR(1),
    Group_Note VARCHAR(255)
);

CREATE TABLE StockMain (
    KodMaterial INTEGER NOT NULL,
    KodBuch INTEGER,
    KodBuch_2 INTEGER,
    Material VARCHAR(255),
    Artikul VARCHAR(255),
    UnitMat VARCHAR(12),
    Package INTEGER,
    MinQuantity INTEGER,
    Norm INTEGER,
    Ration NUMERIC(12,3),
    Info BLOB SUB_TYPE 1
);

CREATE GENERATOR GEN_STOCKMAIN;

SET TERM ^ ;
CREATE TRIGGER BI_STOCKMAIN FOR STOCKMAIN
ACTIVE BEFORE INSERT POSITION 0
AS
BEGIN
IF (NEW.KODMATERIAL IS NULL) THEN NEW.KODMATERIAL = GEN_ID(GEN_STOCKMAIN,1);
END^
SET TERM ; ^

CREATE TABLE Stock_Unit (
    KodUnit INTEGER NOT NULL PRIMARY KEY,
    KodMaterial INTEGER,
    Unit2 VARCHAR(12),
    K1 INTEGER,
    Znak1 INTEGER
);

INSERT INTO stock_Group (GroupMain, SubGroup, Vid, NoteP, NoteF, Group_Note) VALUES ('Профиль 60', 'A', 'П', 'T', 'F', 'Профильная система 60 мм');
INSERT INTO stock_Group (GroupMain, SubGroup, Vid, NoteP, NoteF, Group_Note) VALUES ('Профиль 70', 'A', 'П', 'F', 'T', 'Профильная система 70 мм');
INSERT INTO stock_Group (GroupMain, SubGroup, Vid, NoteP, NoteF, Group_Note) VALUES ('Армирование', 'B', 'А', '', 'F', NULL);
INSERT INTO stock_Group (GroupMain, SubGroup, Vid, NoteP, NoteF, Group_Note) VALUES ('Фурнитура', 'C', 'Ф', 't', 'T', 'Фурнитура поворотно-откидная');
INSERT INTO stock_Group (GroupMain, SubGroup, Vid, NoteP, NoteF, Group_Note) VALUES ('Стекло', 'D', 'С', 'X', NULL, NULL);
INSERT INTO stock_Group (GroupMain, SubGroup, Vid, NoteP, NoteF, Group_Note) VALUES ('Профиль 60', 'A', 'П', NULL, 'T', 'Повтор имени');
INSERT INTO stock_Group (GroupMain, SubGroup, Vid, NoteP, NoteF, Group_Note) VALUES ('Подоконник', 'A', 'П', 'T', 'T', NULL);
INSERT INTO stock_Group (GroupMain, SubGroup, Vid, NoteP, NoteF, Group_Note) VALUES ('Уплотнитель', 'B', 'У', 'F', 'F', NULL);

INSERT INTO StockMain (KodBuch, KodBuch_2, Material, Artikul, UnitMat, Package, MinQuantity, Norm, Ration, Info) VALUES (101, 1101, 'Профиль рамы 60', 'П60-01', 'м', 6, 12, 1, 2.5, 'Белый' || ASCII_CHAR(13) || ASCII_CHAR(10) || 'Шесть метров');
INSERT INTO StockMain (KodBuch, KodBuch_2, Material, Artikul, UnitMat, Package, MinQuantity, Norm, Ration, Info) VALUES (102, 1102, 'Профиль створки 60', 'П60-02', 'м', 6, 12, 1, 3.5, NULL);
INSERT INTO StockMain (KodBuch, KodBuch_2, Material, Artikul, UnitMat, Package, MinQuantity, Norm, Ration, Info) VALUES (103, NULL, 'Армирование 1,5 мм', 'А15', 'м', 10, 20, 1, 1.25, NULL);
INSERT INTO StockMain (KodBuch, KodBuch_2, Material, Artikul, UnitMat, Package, MinQuantity, Norm, Ration, Info) VALUES (104, 1104, 'Ручка оконная', 'Р-1', 'шт', 10, 5, 1, 0, '');
INSERT INTO StockMain (KodBuch, KodBuch_2, Material, Artikul, UnitMat, Package, MinQuantity, Norm, Ration, Info) VALUES (105, 1105, 'Петля нижняя', 'ПН-1', 'шт', 20, 40, 2, NULL, NULL);
INSERT INTO StockMain (KodBuch, KodBuch_2, Material, Artikul, UnitMat, Package, MinQuantity, Norm, Ration, Info) VALUES (106, NULL, 'Стеклопакет 24 мм', 'СП24', 'м2', 1, 1, 1, 1.5, NULL);

INSERT INTO Stock_Unit (KodUnit, KodMaterial, Unit2, K1, Znak1) VALUES (1, 1, 'хлыст', 6, 1);
INSERT INTO Stock_Unit (KodUnit, KodMaterial, Unit2, K1, Znak1) VALUES (2, 4, 'упак', 10, 1);
INSERT INTO Stock_Unit (KodUnit, KodMaterial, Unit2, K1, Znak1) VALUES (3, 6, 'лист', 1, 0);
