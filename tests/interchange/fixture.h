#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

#include <gtest/gtest.h>

// The bytes of a file under tests/data; an unreadable fixture fails the test that asked.
inline QByteArray fixture(const QString& relativePath)
{
    QFile file(QStringLiteral(MAKO_TEST_DATA_DIR "/") + relativePath);
    if (!file.open(QIODevice::ReadOnly)) {
        ADD_FAILURE() << "missing fixture " << relativePath.toStdString();
        return {};
    }
    return file.readAll();
}
