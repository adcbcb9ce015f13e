-- Every database of release 7.12 keeps its version stamp; it has no upgrade journal yet.
CREATE TABLE kv_Setting (
    Version INTEGER,
    ServicePack INTEGER,
    Build INTEGER
);
