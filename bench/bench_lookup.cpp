// Cost of one text lookup, loc() and L::text(), under a German, an English, a French and the
// system choice, on a scratch settings store.
//
//   build/bench/bench_lookup [runs]      (default 9)
//
// Prints the median over the runs of the mean time per lookup (20,000 lookups of a few real keys
// per run). Goal: under 2 µs.

#include "BenchFigures.h"
#include "TestSettings.h"

#include "Localization/L.h"
#include "Localization/UserDefaults.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTextStream>

namespace {

constexpr int lookupsPerRun = 20000;

const QStringList &keys() {
    static const QStringList keys{QStringLiteral("Hinweis"), QStringLiteral("Kanalliste – direkt editierbar"),
                                  QStringLiteral("Nicht aktiv"), QStringLiteral("Ablage-Betrag"),
                                  QStringLiteral("Dieser Text steht nirgends")};
    return keys;
}

template <typename Lookup> double microsecondsPerLookup(int runs, Lookup lookup) {
    qsizetype shown = 0;
    const double micros = medianOf(runs, [&] {
        QElapsedTimer timer;
        timer.start();
        for (int each = 0; each < lookupsPerRun; ++each)
            shown += lookup(keys().at(each % keys().size())).size();
        return double(timer.nsecsElapsed()) / lookupsPerRun / 1000.0;
    });
    return shown > 0 ? micros : -1;
}

} // namespace

int main(int argc, char **argv) {
    QCoreApplication application(argc, argv);
    const int runs = argc > 1 ? std::max(QString::fromLocal8Bit(argv[1]).toInt(), 1) : 9;
    const TestSettings settings;

    QString locLine, textLine;
    for (const char *choice : {"de", "en", "fr", "system"}) {
        UserDefaults::setValue(L::userDefaultsLanguageKey(), QString::fromLatin1(choice));
        const QString label = QStringLiteral(" under %1 (%2)").arg(choice, rawValue(L::current()));
        locLine += fixed(microsecondsPerLookup(runs, [](const QString &key) { return loc(key); }), 3) + label;
        textLine +=
            fixed(microsecondsPerLookup(runs, [](const QString &key) { return L::text(key, key); }), 3) +
            label;
        locLine += QLatin1String(", ");
        textLine += QLatin1String(", ");
    }
    locLine.chop(2);
    textLine.chop(2);
    QTextStream(stdout) << "one text lookup loc(), µs:       " << locLine << "  (goal < 2)\n"
                        << "one text lookup L::text(), µs:   " << textLine << "  (goal < 2)\n";
    return 0;
}
