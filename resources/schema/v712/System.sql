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

-- Read marks of order messages, the archive settings and managers' rights, which release 8 drops.
CREATE TABLE O_MESSAGEREAD (
    KodMessage INTEGER NOT NULL,
    KodUser INTEGER NOT NULL,
    DateRead TIMESTAMP,
    PRIMARY KEY (KodMessage, KodUser)
);

CREATE TABLE SET_ARCHIVE (
    KodArchive INTEGER NOT NULL PRIMARY KEY,
    FolderArchive VARCHAR(255),
    DaysKeep INTEGER
);

CREATE TABLE SET_DOPUSKMANAGER (
    KodUser INTEGER NOT NULL,
    NameForm VARCHAR(60) NOT NULL,
    Dopusk SMALLINT,
    PRIMARY KEY (KodUser, NameForm)
);

-- Workshops and their calendar, read by the two procedures below; release 8 drops all five.
CREATE TABLE LIST_CEH (
    KodCeh INTEGER NOT NULL PRIMARY KEY,
    NameCeh VARCHAR(60)
);

CREATE TABLE SET_CEH (
    KodCeh INTEGER NOT NULL,
    NumberShift SMALLINT NOT NULL,
    Capacity INTEGER,
    PRIMARY KEY (KodCeh, NumberShift)
);

CREATE TABLE SET_CALENDAR_CEH (
    KodCeh INTEGER NOT NULL,
    DayWork DATE NOT NULL,
    Hours SMALLINT,
    PRIMARY KEY (KodCeh, DayWork)
);

SET TERM ^ ;
CREATE PROCEDURE CALENDAR_CEH (DateFrom DATE, DateTo DATE)
RETURNS (KodCeh INTEGER, NameCeh VARCHAR(60), DayWork DATE, Hours SMALLINT)
AS
BEGIN
  FOR SELECT C.KodCeh, L.NameCeh, C.DayWork, C.Hours
      FROM SET_CALENDAR_CEH C JOIN LIST_CEH L ON L.KodCeh = C.KodCeh
      WHERE C.DayWork BETWEEN :DateFrom AND :DateTo
      INTO :KodCeh, :NameCeh, :DayWork, :Hours
  DO SUSPEND;
END^

CREATE PROCEDURE PROC_ZEH_1 (KodCehIn INTEGER)
RETURNS (Capacity INTEGER)
AS
BEGIN
  SELECT SUM(S.Capacity) FROM SET_CEH S WHERE S.KodCeh = :KodCehIn INTO :Capacity;
  SUSPEND;
END^
SET TERM ; ^

INSERT INTO O_MESSAGEREAD (KodMessage, KodUser, DateRead) VALUES (1, 1, '2019-05-14 11:00:00');
INSERT INTO SET_ARCHIVE (KodArchive, FolderArchive, DaysKeep) VALUES (1, 'C:\Калвер\Архив\', 30);
INSERT INTO SET_DOPUSKMANAGER (KodUser, NameForm, Dopusk) VALUES (1, 'Заказы', 1);
INSERT INTO LIST_CEH (KodCeh, NameCeh) VALUES (1, 'Цех ПВХ');
INSERT INTO LIST_CEH (KodCeh, NameCeh) VALUES (2, 'Цех стеклопакетов');
INSERT INTO SET_CEH (KodCeh, NumberShift, Capacity) VALUES (1, 1, 40);
INSERT INTO SET_CEH (KodCeh, NumberShift, Capacity) VALUES (1, 2, 30);
INSERT INTO SET_CALENDAR_CEH (KodCeh, DayWork, Hours) VALUES (1, '2019-05-14', 8);
INSERT INTO SET_CALENDAR_CEH (KodCeh, DayWork, Hours) VALUES (2, '2019-05-14', 12);
