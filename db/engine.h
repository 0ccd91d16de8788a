#pragma once
// The table engine: named aliases over folders of table files or a PostgreSQL database,
// and the table definitions they are used with (session.h), tables with a current row and
// an edit buffer (table.h) and their fields (field.h), the edit guard (editguard.h) and SQL
// statements (statement.h). Where the tables are kept is a Storage (storage.h): a folder
// (folderstorage.h) or a server (serverstorage.h). What a table is made of is in
// tabledef.h, the game's own tables in schema.h. Every failure is thrown as EngineError
// (engineerror.h) carrying a message meant for the user.

#include "db/editguard.h"
#include "db/engineerror.h"
#include "db/field.h"
#include "db/folderstorage.h"
#include "db/schema.h"
#include "db/session.h"
#include "db/statement.h"
#include "db/storage.h"
#include "db/table.h"
