-- Every database of release 8 keeps its version stamp and its upgrade journal.
CREATE TABLE kv_Setting (
    Version INTEGER,
    ServicePack INTEGER,
    Build INTEGER
);

CREATE TABLE log_Upgrade (
    kodLog INTEGER,
    uTime TIMESTAMP,
    uVersion VARCHAR(255)
);

CREATE GENERATOR GEN_LOG_UPGRADE;

SET TERM ^ ;
CREATE TRIGGER BI_LOG_UPGRADE FOR LOG_UPGRADE
ACTIVE BEFORE INSERT POSITION 0
AS
BEGIN
IF (NEW.KODLOG IS NULL) THEN NEW.KODLOG = GEN_ID(GEN_LOG_UPGRADE,1);
END^
SET TERM ; ^
