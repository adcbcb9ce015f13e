-- Prices of the stock materials and their history.
CREATE TABLE Price (
    KodPrice INTEGER NOT NULL PRIMARY KEY,
    KodMaterial INTEGER,
    CostBase NUMERIC(15,2),
    NDS NUMERIC(5,2),
    COSTBASENDS NUMERIC(15,2),
    CostSale NUMERIC(15,2),
    Discount NUMERIC(5,2),
    Currency VARCHAR(3),
    DateChange DATE,
    NameManager VARCHAR(60)
);

CREATE TABLE PRICEHISTORY (
    KodHistory INTEGER NOT NULL PRIMARY KEY,
    KodMaterial INTEGER,
    DateChange DATE,
    CostBase NUMERIC(15,2),
    NDS NUMERIC(5,2),
    COSTBASENDS NUMERIC(15,2),
    CostSale NUMERIC(15,2)
);

INSERT INTO Price (KodPrice, KodMaterial, CostBase, NDS, COSTBASENDS, CostSale, Discount, Currency, DateChange, NameManager) VALUES (1, 1, 310.50, 20, 372.60, 450, 0, 'RUB', '2019-03-01', 'Иванов Иван');
INSERT INTO Price (KodPrice, KodMaterial, CostBase, NDS, COSTBASENDS, CostSale, Discount, Currency, DateChange, NameManager) VALUES (2, 2, 342.00, 20, 410.40, 495, 5, 'RUB', '2019-03-01', 'Иванов Иван');
INSERT INTO Price (KodPrice, KodMaterial, CostBase, NDS, COSTBASENDS, CostSale, Discount, Currency, DateChange, NameManager) VALUES (3, 4, 120.00, 20, 144.00, 180, 0, 'RUB', '2019-04-15', NULL);
INSERT INTO PRICEHISTORY (KodHistory, KodMaterial, DateChange, CostBase, NDS, COSTBASENDS, CostSale) VALUES (1, 1, '2018-01-10', 290, 18, 342.20, 420);
INSERT INTO PRICEHISTORY (KodHistory, KodMaterial, DateChange, CostBase, NDS, COSTBASENDS, CostSale) VALUES (2, 1, '2019-03-01', 310.50, 20, 372.60, 450);
INSERT INTO PRICEHISTORY (KodHistory, KodMaterial, DateChange, CostBase, NDS, COSTBASENDS, CostSale) VALUES (3, 2, '2019-03-01', 342, 20, 410.40, 495);
