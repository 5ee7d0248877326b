#pragma once

#include "tables/DatabaseLocation.h"

#include <QString>

#include <gtest/gtest.h>

// Where a test's tables live. A test program runs once on SQLite and, when
// registered for both engines, once more with ZTD_TEST_ENGINE=postgresql on
// the server ./test starts (ZTD_TEST_POSTGRES): each data folder then gets a
// schema of its own there, dropped when the program ends.
namespace test_database {
bool onServer();
DatabaseLocation location(const QString& folder);
// Registered by the test main: skips every test of a server run without a
// server, drops the schemas at the end.
::testing::Environment* environment();
} // namespace test_database

// For what only a file on this PC has (permissions, a damaged file, the log).
#define SKIP_ON_SERVER(why)                                                                        \
    if (test_database::onServer())                                                                 \
    GTEST_SKIP() << why
