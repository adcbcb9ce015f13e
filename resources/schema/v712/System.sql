-- Saved layouts of the user interface, which the conversion to release 8 forgets.
CREATE TABLE Set_Grid (
    KodGrid INTEGER NOT NULL PRIMARY KEY,
    NameForm VARCHAR(60),
    NameGrid VARCHAR(60),
    Setting BLOB SUB_TYPE 1
);

CREATE TABLE Set_Button (
    KodButton INTEGER NOT NULL PRIMARY KEY,
    NameForm VARCHAR(60),
    Visible SMALLINT
);

CREATE TABLE SET_DOCPROFIL (
    KodProfil INTEGER NOT NULL PRIMARY KEY,
    NameProfil VARCHAR(60),
    KodUser INTEGER
);

INSERT INTO Set_Grid (KodGrid, NameForm, NameGrid, Setting) VALUES (1, 'Заказы', 'Grid1', 'Width=120;Колонка=Номер');
INSERT INTO Set_Grid (KodGrid, NameForm, NameGrid, Setting) VALUES (2, 'Склад', 'Grid2', 'Width=80');
INSERT INTO Set_Button (KodButton, NameForm, Visible) VALUES (1, 'Заказы', 1);
INSERT INTO Set_Button (KodButton, NameForm, Visible) VALUES (2, 'Склад', 0);
INSERT INTO Set_Button (KodButton, NameForm, Visible) VALUES (3, 'Прайс', 1);
INSERT INTO SET_DOCPROFIL (KodProfil, NameProfil, KodUser) VALUES (1, 'Счёт', 1);
