-- The address databases carry no version stamp; they are copied, never upgraded.
CREATE TABLE Street (
    KodStreet INTEGER NOT NULL PRIMARY KEY,
    NameStreet VARCHAR(120)
);

INSERT INTO Street (KodStreet, NameStreet) VALUES (1, 'Ленинский проспект');
