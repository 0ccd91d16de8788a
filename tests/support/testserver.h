#pragma once
// The one PostgreSQL server of a test program, started the first time a test asks for it
// and stopped when the program ends. A server that does not start stops the program with
// the reason (a test on the server kind cannot run without it).

class PgServer;

PgServer &testServer();
