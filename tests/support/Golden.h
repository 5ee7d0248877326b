#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QList>
#include <QString>

#include <gtest/gtest.h>

#include <algorithm>

// Golden files live in tests/data and are compared byte for byte. Running a
// test with ZTD_UPDATE_GOLDEN=1 rewrites them from what the code produces now.
inline QString goldenPath(const QString& name) {
    return QDir(qEnvironmentVariable("ZTD_SOURCE_DIR")).filePath("tests/data/" + name);
}

inline QByteArray goldenFile(const QString& name) {
    QFile file(goldenPath(name));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << goldenPath(name).toStdString();
    return file.readAll();
}

inline void expectGolden(const QString& name, const QByteArray& actual) {
    if (qEnvironmentVariableIntValue("ZTD_UPDATE_GOLDEN") == 1) {
        QFile file(goldenPath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << goldenPath(name).toStdString();
        file.write(actual);
        return;
    }
    const QByteArray expected = goldenFile(name);
    if (actual == expected)
        return;
    qsizetype at = 0;
    while (at < expected.size() && at < actual.size() && expected[at] == actual[at])
        ++at;
    const qsizetype lineStart = at == 0 ? 0 : expected.lastIndexOf('\n', at - 1) + 1;
    // Long binary lines are shown from a little before the difference on.
    const qsizetype from = std::max(lineStart, at - 40);
    const auto shown = [&](const QByteArray& bytes) {
        const qsizetype end = bytes.indexOf('\n', from);
        return bytes.mid(from, std::min<qsizetype>(end < 0 ? bytes.size() - from : end - from, 120))
            .toPercentEncoding(" ")
            .toStdString();
    };
    ADD_FAILURE() << name.toStdString() << " differs first in line "
                  << expected.left(at).count('\n') + 1 << " at byte " << at
                  << "\n  expected: " << shown(expected) << "\n  actual:   " << shown(actual)
                  << "\n(ZTD_UPDATE_GOLDEN=1 rewrites the file on purpose)";
}
