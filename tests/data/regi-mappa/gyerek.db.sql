PRAGMA foreign_keys=OFF;
BEGIN TRANSACTION;
CREATE TABLE IF NOT EXISTS "gyerek" ("Megnevezes" TEXT, "1gyerek" REAL, "2gyerek" REAL, "3gyerek" REAL);
INSERT INTO gyerek VALUES('Családi pótlék',12200.0,13300.0,16000.0);
INSERT INTO gyerek VALUES('Családi adókedvezmény',0.0,0.0,4000.0);
COMMIT;
