-- The catalogue of release 7.12, laid out alike in Base and Config: stock groups and materials,
-- fittings, pointers, works, the element dictionary and their material lists. Groups, pointers
-- and attributes are still referred to by name; release 8 replaces the names by codes.
-- Lists are kept as texts with one entry a line.
ALTER TABLE kv_Setting ADD numberBase INTEGER;

CREATE TABLE stock_Group (
    GroupMain VARCHAR(24),
    SubGroup VARCHAR(1),
    Vid VARCHAR(2),
    NoteP VARCHAR(1),
    NoteF VARCHAR(1),
    Group_Note VARCHAR(255)
);

CREATE TABLE Stock (
    KodMaterial INTEGER NOT NULL,
    KodBuch INTEGER,
    Material VARCHAR(255),
    Artikul VARCHAR(60),
    UnitMat VARCHAR(12),
    Package INTEGER,
    MinQuantity INTEGER,
    Norm INTEGER,
    Ration NUMERIC(12,3),
    CostBase NUMERIC(15,2),
    Quantity NUMERIC(15,3),
    Info BLOB SUB_TYPE 1
);

CREATE TABLE STOCK_SIZE (
    NumberMain INTEGER NOT NULL PRIMARY KEY,
    KodMaterial INTEGER,
    LengthMat INTEGER,
    WidthMat INTEGER,
    HeightMat INTEGER,
    Weight NUMERIC(12,3),
    MinLength INTEGER,
    MaxLength INTEGER
);

CREATE TABLE stock_SizeFilling (
    NumberMain INTEGER NOT NULL PRIMARY KEY,
    KodMaterial INTEGER,
    WidthFilling INTEGER,
    HeightFilling INTEGER
);

CREATE TABLE STOCK_RISUNOK (
    KodMaterial INTEGER NOT NULL PRIMARY KEY,
    NameRisunok VARCHAR(60),
    Risunok BLOB SUB_TYPE 0
);

CREATE TABLE con_1 (
    NumberMain INTEGER NOT NULL PRIMARY KEY,
    KodMaterial INTEGER,
    KodMaterial1 INTEGER,
    Kolvo NUMERIC(12,3)
);

CREATE TABLE set_Config (
    Attribute VARCHAR(60),
    AttributeColor INTEGER,
    Note VARCHAR(255)
);

CREATE TABLE SET_UKAZATEL (
    NUMBERMAIN INTEGER NOT NULL PRIMARY KEY,
    VID VARCHAR(1),
    UKAZATEL VARCHAR(60),
    Note VARCHAR(255)
);

CREATE TABLE Rab (
    KODRABOTA INTEGER NOT NULL PRIMARY KEY,
    NAMERABOTA VARCHAR(100),
    UnitRab VARCHAR(12),
    Cost NUMERIC(15,2),
    RABNOTE VARCHAR(255),
    KODCAPITAL INTEGER,
    Norm NUMERIC(12,3)
);

CREATE TABLE W_OPERATION (
    NumberMain INTEGER NOT NULL PRIMARY KEY,
    KODRABOTA INTEGER,
    NameOperation VARCHAR(100),
    Norm NUMERIC(12,3),
    Cost NUMERIC(15,2)
);

CREATE TABLE RAB_MATERIAL (
    NumberMain INTEGER NOT NULL PRIMARY KEY,
    KODRABOTA INTEGER,
    KodMaterial INTEGER,
    Karta VARCHAR(60),
    KartaStorona VARCHAR(60),
    Kolvo NUMERIC(12,3),
    Formula VARCHAR(255),
    Side SMALLINT,
    Cost NUMERIC(15,2),
    Norm NUMERIC(12,3)
);

CREATE TABLE acc (
    NumberAcc INTEGER NOT NULL PRIMARY KEY,
    Structure VARCHAR(24),
    NameAcc VARCHAR(100),
    KodMaterial INTEGER,
    Note VARCHAR(255)
);

CREATE TABLE ACC_MATERIAL (
    NumberMain INTEGER NOT NULL PRIMARY KEY,
    NumberAcc INTEGER,
    KodMaterial INTEGER,
    Kolvo NUMERIC(12,3),
    Karta VARCHAR(60),
    UGOL1 SMALLINT,
    UGOL2 SMALLINT,
    ACONNECT SMALLINT,
    AROUND SMALLINT,
    LengthAdd INTEGER,
    Formula VARCHAR(255),
    Side SMALLINT,
    Note VARCHAR(255),
    bUse VARCHAR(1)
);

CREATE TABLE COL_PROFIL (
    NumberMain INTEGER NOT NULL PRIMARY KEY,
    PROFIL VARCHAR(24),
    KodColor INTEGER,
    NameColor VARCHAR(60)
);

CREATE TABLE COL_MATERIAL (
    NumberMain INTEGER NOT NULL PRIMARY KEY,
    KodColor INTEGER,
    KodMaterial INTEGER,
    Karta VARCHAR(60),
    Kolvo NUMERIC(12,3),
    Side SMALLINT
);

CREATE TABLE Template (
    NumberTemplate INTEGER NOT NULL PRIMARY KEY,
    Structure VARCHAR(24),
    NameTemplate VARCHAR(100),
    WidthTemplate INTEGER,
    HeightTemplate INTEGER
);

CREATE TABLE T_MATERIAL (
    NumberMain INTEGER NOT NULL PRIMARY KEY,
    NumberTemplate INTEGER,
    KodMaterial INTEGER,
    Karta VARCHAR(60),
    Kolvo NUMERIC(12,3),
    Formula VARCHAR(255),
    Side SMALLINT,
    Note VARCHAR(255)
);

-- One row a side of an opening; KARTA names the side pointers, one a line.
CREATE TABLE t_Pro (
    NUMBERPROEM INTEGER NOT NULL,
    NUMBERSTORONA SMALLINT NOT NULL,
    NumberTemplate INTEGER,
    NameStorona VARCHAR(40),
    KARTA BLOB SUB_TYPE 1,
    LengthAdd INTEGER,
    PRIMARY KEY (NUMBERPROEM, NUMBERSTORONA)
);

CREATE TABLE t_Furnitura (
    NumberMain INTEGER NOT NULL PRIMARY KEY,
    NumberTemplate INTEGER,
    NumberKomplect INTEGER,
    NumberHandle SMALLINT,
    Kolvo SMALLINT
);

CREATE TABLE PR_STRUCTURE (
    NumberMain INTEGER NOT NULL PRIMARY KEY,
    KodProfil INTEGER,
    KodMaterial INTEGER,
    Karta VARCHAR(60),
    D SMALLINT,
    Kolvo NUMERIC(12,3),
    Formula VARCHAR(255),
    LengthAdd INTEGER,
    Side SMALLINT,
    Ugol1 SMALLINT,
    Ugol2 SMALLINT
);

-- The element dictionary.
CREATE TABLE de (
    KodElement INTEGER NOT NULL PRIMARY KEY,
    Structure VARCHAR(24),
    NameElement VARCHAR(60),
    ConnectW SMALLINT,
    ConnectH SMALLINT,
    Capital SMALLINT,
    kodLimit INTEGER,
    WidthMin INTEGER,
    WidthMax INTEGER
);

CREATE TABLE DE_MATERIAL (
    NumberMain INTEGER NOT NULL PRIMARY KEY,
    KodElement INTEGER,
    KodMaterial INTEGER,
    Karta VARCHAR(60),
    Kolvo NUMERIC(12,3),
    Formula VARCHAR(255),
    LengthAdd INTEGER,
    Side SMALLINT,
    Ugol1 SMALLINT,
    Ugol2 SMALLINT,
    WidthMin INTEGER,
    WidthMax INTEGER,
    HeightMin INTEGER,
    HeightMax INTEGER,
    Note VARCHAR(255)
);

CREATE TABLE SET_ELEMENT (
    NumberMain INTEGER NOT NULL PRIMARY KEY,
    NameElement VARCHAR(60),
    KodMaterial INTEGER,
    Note VARCHAR(255)
);

CREATE TABLE Set_ParameterDE (
    NUMBERMAIN INTEGER NOT NULL PRIMARY KEY,
    NAMEPARAMETER VARCHAR(60)
);

CREATE TABLE Set_SubParameterDE (
    NumberMain INTEGER NOT NULL PRIMARY KEY,
    NumberParameter INTEGER,
    SubParameter VARCHAR(60),
    PVALUE VARCHAR(1)
);

CREATE TABLE set_SubParameter (
    NumberMain INTEGER NOT NULL PRIMARY KEY,
    NumberParameter INTEGER,
    PROFIL VARCHAR(24),
    S1 SMALLINT,
    SubParameter VARCHAR(60),
    PValue VARCHAR(1)
);

-- Fittings sets; KindOpen, FHandle, FLock, FHinge list codes, Profil names fittings groups and
-- FColor colours, one a line.
CREATE TABLE FURNITURA (
    NumberKomplect INTEGER NOT NULL PRIMARY KEY,
    Komplect VARCHAR(100),
    FURNITURA VARCHAR(24),
    NumberElement SMALLINT,
    KindOpen BLOB SUB_TYPE 1,
    NumberHandle SMALLINT,
    NumberHinge SMALLINT,
    NumberLock SMALLINT,
    FHandle BLOB SUB_TYPE 1,
    FLock BLOB SUB_TYPE 1,
    FHinge BLOB SUB_TYPE 1,
    Profil BLOB SUB_TYPE 1,
    FColor BLOB SUB_TYPE 1,
    Capital SMALLINT,
    kodLimit INTEGER
);

-- Fittings materials; Komplect lists kit material numbers, one a line.
CREATE TABLE fur_Material (
    NumberMaterial INTEGER NOT NULL PRIMARY KEY,
    Structure VARCHAR(24),
    KodMaterial INTEGER,
    NameMaterial VARCHAR(100),
    Komplect BLOB SUB_TYPE 1,
    Karta VARCHAR(60),
    Geometry VARCHAR(60),
    MassMin SMALLINT,
    MassMax SMALLINT,
    Paz SMALLINT,
    Quantity SMALLINT,
    KindOpen BLOB SUB_TYPE 1,
    Profil BLOB SUB_TYPE 1,
    Zvet BLOB SUB_TYPE 1,
    Element VARCHAR(2),
    SizeMin INTEGER,
    SizeMax INTEGER
);

CREATE TABLE fur_Material2 (
    NumberMain INTEGER NOT NULL PRIMARY KEY,
    NumberMaterial INTEGER,
    KodMaterial INTEGER,
    Karta VARCHAR(60),
    Paz SMALLINT,
    Quantity SMALLINT,
    Profil BLOB SUB_TYPE 1,
    Zvet BLOB SUB_TYPE 1,
    Element VARCHAR(2)
);

-- Fittings groups by name; SOSTAV names the stock groups they are made of, one a line.
CREATE TABLE fur_Group (
    FURGROUP VARCHAR(60),
    SOSTAV BLOB SUB_TYPE 1,
    Note VARCHAR(255)
);

CREATE TABLE FUR_GEOMETRY (
    NumberMain INTEGER NOT NULL PRIMARY KEY,
    NumberMaterial INTEGER,
    X INTEGER,
    Y INTEGER
);

CREATE TABLE FUR_STRUCTURE (
    NumberMain INTEGER NOT NULL PRIMARY KEY,
    NumberKomplect INTEGER,
    NumberMaterial INTEGER,
    S1 INTEGER,
    S2 INTEGER,
    S3 INTEGER,
    S4 INTEGER,
    S5 INTEGER
);

CREATE TABLE SET_FURNITURAPAZ (
    NumberMain INTEGER NOT NULL PRIMARY KEY,
    NumberKomplect INTEGER,
    Paz SMALLINT
);

CREATE TABLE stanok_Operation (
    NumberOperation INTEGER NOT NULL PRIMARY KEY,
    KodStanok INTEGER,
    NameOperation VARCHAR(100),
    FURNITURA VARCHAR(24),
    NumberHandle SMALLINT,
    Instrument VARCHAR(40),
    Side SMALLINT,
    X NUMERIC(12,2),
    Y NUMERIC(12,2),
    Depth NUMERIC(12,2),
    Diameter NUMERIC(12,2),
    Angle SMALLINT,
    Speed SMALLINT,
    Note VARCHAR(255),
    bUse VARCHAR(1)
);

CREATE TABLE stanok_mission (
    NumberMission INTEGER NOT NULL PRIMARY KEY,
    name_Stanok VARCHAR(60),
    KodStanok INTEGER,
    Mission BLOB SUB_TYPE 1
);

CREATE TABLE SET_MANAGER (
    NumberManager INTEGER NOT NULL PRIMARY KEY,
    NameManager VARCHAR(60),
    LoginName VARCHAR(30),
    Phone VARCHAR(30),
    Email VARCHAR(60),
    AccessLevel SMALLINT,
    tBegin TIME,
    Setting1 BLOB SUB_TYPE 1,
    Setting2 BLOB SUB_TYPE 1,
    Setting3 BLOB SUB_TYPE 1,
    Setting4 BLOB SUB_TYPE 1
);

CREATE TABLE TONIROVKA (
    NumberMain INTEGER NOT NULL PRIMARY KEY,
    NameTonirovka VARCHAR(60),
    KodMaterial INTEGER
);

CREATE TABLE SET_LOGISTIC_TRANSPORT (
    NumberMain INTEGER NOT NULL PRIMARY KEY,
    NameTransport VARCHAR(60),
    Capacity INTEGER
);

CREATE TABLE SET_WWW (
    NumberMain INTEGER NOT NULL PRIMARY KEY,
    Url VARCHAR(255),
    Note VARCHAR(255)
);
