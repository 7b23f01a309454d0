#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QtTest>

// A file's bytes, or "<missing>" when it cannot be read, so a missing file never passes for an
// empty one.
inline QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// Writes a fixture file; the calling test fails when it cannot.
inline void writeAll(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(path));
    QCOMPARE(file.write(bytes), bytes.size());
}
