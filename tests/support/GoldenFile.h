#pragma once

#include <QFile>
#include <QStringList>
#include <QTest>

// Compares a table dumped to text, one row per line, with tests/data/<name>, which is written from
// the table's own definition, never from the code. Lines beginning with "#" are comments.
inline void compareWithGoldenFile(const QString &name, const QStringList &dumped) {
    QFile file(QStringLiteral(KORVEL_TEST_DATA "/") + name);
    QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName()));
    QStringList expected = QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts);
    expected.removeIf([](const QString &line) { return line.startsWith(u'#'); });
    QCOMPARE(dumped, expected);
}
