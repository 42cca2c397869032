#pragma once

#include "Model/RadioModel.h"

#include <QStringList>
#include <QTest>
#include <array>

// Data rows written as one text each, their fields separated by "|", for tests whose cases are
// texts: one column "row" holding the fields, each row named after its text. A test takes them
// with QFETCH(QStringList, row) and, for instance, const auto [typed, normalised] = fields<2>(row).
inline void addRows(std::initializer_list<const char *> rows) {
    QTest::addColumn<QStringList>("row");
    for (const char *row : rows)
        QTest::addRow("%s", row) << QString::fromUtf8(row).split(u'|');
}

template <std::size_t N> std::array<QString, N> fields(const QStringList &row) {
    // A field too few or too many is a slip in the table, and an empty field can be a real case.
    if (row.size() != qsizetype(N))
        qFatal("data row \"%s\" has %lld fields, not %zu", qPrintable(row.join(u'|')),
               static_cast<long long>(row.size()), N);
    std::array<QString, N> result;
    for (std::size_t i = 0; i < N; ++i)
        result[i] = row.value(qsizetype(i));
    return result;
}

// One data row per radio model, named after it, in a column "model".
inline void addRowPerRadioModel() {
    QTest::addColumn<RadioModel>("model");
    for (RadioModel model : allRadioModels())
        QTest::addRow("%s", qPrintable(rawValue(model))) << model;
}
