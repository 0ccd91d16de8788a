PRAGMA foreign_keys=OFF;
BEGIN TRANSACTION;
CREATE TABLE IF NOT EXISTS "jarulek" ("Ebizt" REAL, "Mvjarulek" REAL, "Nybjarulek" REAL, "MUNKALTATO_JARULEK" REAL, "Ajhatar" REAL, "Ajosszeg" REAL, "Ajkulcs" REAL, "Ajfelsoh" REAL, "Ajcsokulcs" REAL);
INSERT INTO jarulek VALUES(6.0,1.5,9.5,27.0,3188000.0,181200.0,17.0,4698000.0,12.0);
COMMIT;
