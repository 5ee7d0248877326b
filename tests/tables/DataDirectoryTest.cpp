#include "tables/DataDirectory.h"

#include <QStandardPaths>

#include <gtest/gtest.h>

TEST(DataDirectory, CommandLineThenEnvironmentThenApplicationData) {
    const QByteArray saved = qgetenv("ZTD_DATA");
    qputenv("ZTD_DATA", "/aus/der/umgebung");
    EXPECT_EQ(dataDirectory("/vom/aufruf"), "/vom/aufruf");
    EXPECT_EQ(dataDirectory(""), "/aus/der/umgebung");
    qunsetenv("ZTD_DATA");
    EXPECT_EQ(dataDirectory(""), QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
    EXPECT_FALSE(dataDirectory("").isEmpty());
    if (!saved.isNull())
        qputenv("ZTD_DATA", saved);
}
