#include "tests/support/testserver.h"

#include "tests/support/pgserver.h"

#include <QtGlobal>

#include <memory>

PgServer &testServer()
{
    static std::unique_ptr<PgServer> instance;
    if (!instance) {
        instance = std::make_unique<PgServer>();
        QString error;
        if (!instance->start(&error))
            qFatal("the PostgreSQL server of the tests does not start: %s", qPrintable(error));
    }
    return *instance;
}
