-- Config: the shared catalogue under its own number.
UPDATE kv_Setting SET numberBase = 2;
