#pragma once

#include <QList>
#include <QString>
#include <QtGlobal>
#include <initializer_list>
#include <optional>

// One case of an enumeration with raw values: the case, its raw value and, where it has one, the
// text it is shown with.
template <typename Enum> struct EnumRow {
    Enum value;
    QString raw;
    QString title = {};
};

// The rows of an enumeration whose cases carry raw values, one per case in declaration order. A
// row type of its own may add columns to those of EnumRow. A raw value finds its case only by exact
// match. Built once as a function-local static.
template <typename Enum, typename Row = EnumRow<Enum>> class EnumTable {
public:
    EnumTable(std::initializer_list<Row> rows)
        : m_rows(rows) {
        for (qsizetype index = 0; index < m_rows.size(); ++index) {
            Q_ASSERT(static_cast<qsizetype>(m_rows[index].value) == index);
            m_values.append(m_rows[index].value);
        }
    }

    const Row &operator[](Enum value) const { return m_rows[static_cast<qsizetype>(value)]; }
    const QString &rawValue(Enum value) const { return (*this)[value].raw; }

    std::optional<Enum> fromRawValue(const QString &raw) const {
        for (const Row &row : m_rows) {
            if (row.raw == raw)
                return row.value;
        }
        return std::nullopt;
    }

    // Every case in declaration order.
    const QList<Enum> &values() const { return m_values; }

private:
    QList<Row> m_rows;
    QList<Enum> m_values;
};
