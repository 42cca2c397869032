#include "Localization/L.h"
#include "Localization/UserDefaults.h"
#include "Model/JSONDecodingError.h"
#include "Model/RadioMemory.h"
#include "TestSettings.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QTest>

Q_DECLARE_METATYPE(RadioModel)

namespace {

RadioMemory ft991a(const QString &flags) {
    RadioMemory memory = RadioMemory::empty("001", RadioModel::ft991a);
    memory.flagsRaw = flags;
    return memory;
}

RadioMemory occupied(RadioModel model) {
    return RadioMemory{.slot = "007",
                       .radioModel = model,
                       .frequency = "145500000",
                       .shiftRaw = "-000600",
                       .modeCode = "4",
                       .flagsRaw = "01001",
                       .toneNumberKindRaw = "0",
                       .toneNumberCode = "008",
                       .tag = "Repeater",
                       .isEmpty = false};
}

QJsonObject channelJson() {
    return occupied(RadioModel::ft991a).toJson();
}

} // namespace

class RadioMemoryTest : public QObject {
    Q_OBJECT

private slots:
    void init() { m_settings = std::make_unique<TestSettings>(); }

    void emptyChannel_data() {
        QTest::addColumn<RadioModel>("model");
        QTest::addRow("FT-710") << RadioModel::ft710;
        QTest::addRow("FT-991A") << RadioModel::ft991a;
    }
    void emptyChannel() {
        QFETCH(RadioModel, model);
        const RadioMemory memory = RadioMemory::empty("42", model);
        QCOMPARE(memory.slot, QStringLiteral("42"));
        QCOMPARE(memory.id(), QStringLiteral("42"));
        QCOMPARE(memory.radioModel, model);
        QCOMPARE(memory.frequency, QString());
        QCOMPARE(memory.shiftRaw, QStringLiteral("+000000"));
        QCOMPARE(memory.modeCode, QStringLiteral("4"));
        QCOMPARE(memory.flagsRaw, QStringLiteral("10000"));
        QCOMPARE(memory.toneNumberKindRaw, QString());
        QCOMPARE(memory.toneNumberCode, QStringLiteral("000"));
        QCOMPARE(memory.tag, QString());
        QVERIFY(memory.isEmpty);
        QCOMPARE(memory.tailRaw(), QStringLiteral("410000"));
        QCOMPARE(memory.ft991aToneSqlModeCode(), QStringLiteral("0"));
        QCOMPARE(memory.ft991aRepeaterShiftCode(), QStringLiteral("0"));
        QCOMPARE(memory.ft991aToneSqlMode(), FT991AToneSqlOption::off);
    }

    void slotText() {
        QCOMPARE(RadioMemory::slotText(1), QStringLiteral("001"));
        QCOMPARE(RadioMemory::slotText(117), QStringLiteral("117"));
    }

    void ft991aFlagCodes_data() {
        QTest::addColumn<QString>("flags");
        QTest::addColumn<QString>("toneSqlCode");
        QTest::addColumn<QString>("shiftCode");
        QTest::addColumn<int>("mode");
        QTest::addRow("two characters right-aligned") << "32"
                                                      << "0"
                                                      << "2" << int(FT991AToneSqlOption::off);
        QTest::addRow("seven characters read from the first five")
            << "0300109"
            << "3"
            << "1" << int(FT991AToneSqlOption::dcsEncDec);
        QTest::addRow("letter in second place") << "1x002"
                                                << "x"
                                                << "2" << int(FT991AToneSqlOption::off);
        QTest::addRow("empty") << ""
                               << "0"
                               << "0" << int(FT991AToneSqlOption::off);
        QTest::addRow("letters stay where they are") << "1a100"
                                                     << "a"
                                                     << "0" << int(FT991AToneSqlOption::off);
        QTest::addRow("combining mark joins the fill") << "\u0301"
                                                       << "0"
                                                       << "0" << int(FT991AToneSqlOption::off);
        QTest::addRow("ctcss enc") << "02001"
                                   << "2"
                                   << "1" << int(FT991AToneSqlOption::ctcssEnc);
    }
    void ft991aFlagCodes() {
        QFETCH(QString, flags);
        QFETCH(QString, toneSqlCode);
        QFETCH(QString, shiftCode);
        QFETCH(int, mode);
        const RadioMemory memory = ft991a(flags);
        QCOMPARE(memory.ft991aToneSqlModeCode(), toneSqlCode);
        QCOMPARE(memory.ft991aRepeaterShiftCode(), shiftCode);
        QCOMPARE(int(memory.ft991aToneSqlMode()), mode);
    }

    void ft710NeverReadsToneFlags() {
        RadioMemory memory = occupied(RadioModel::ft710);
        memory.flagsRaw = "13002";
        QCOMPARE(memory.ft991aToneSqlModeCode(), QStringLiteral("0"));
        QCOMPARE(memory.ft991aRepeaterShiftCode(), QStringLiteral("0"));
        QCOMPARE(memory.ft991aToneSqlMode(), FT991AToneSqlOption::off);
    }

    void tailRaw_data() {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QString>("flags");
        QTest::addColumn<QString>("tail");
        QTest::addRow("empty mode and flags") << ""
                                              << ""
                                              << "400000";
        QTest::addRow("two-character mode") << "AB"
                                            << "12345"
                                            << "A12345";
        QTest::addRow("lower-case mode stays") << "c"
                                               << "1"
                                               << "c00001";
    }
    void tailRaw() {
        QFETCH(QString, mode);
        QFETCH(QString, flags);
        QFETCH(QString, tail);
        RadioMemory memory = occupied(RadioModel::ft710);
        memory.modeCode = mode;
        memory.flagsRaw = flags;
        QCOMPARE(memory.tailRaw(), tail);
    }

    void equality() {
        const RadioMemory memory = occupied(RadioModel::ft710);
        RadioMemory other = memory;
        QVERIFY(memory == other);
        other.tag = "Repeater ";
        QVERIFY(!(memory == other));
        other = memory;
        other.isEmpty = true;
        QVERIFY(!(memory == other));
        RadioMemory composed = memory;
        RadioMemory decomposed = memory;
        composed.tag = QStringLiteral("Caf\u00E9");
        decomposed.tag = QStringLiteral("Cafe\u0301");
        QVERIFY(composed == decomposed);
    }

    void jsonRoundTrip() {
        RadioMemory memory = occupied(RadioModel::ft991a);
        memory.frequency = "007100000";
        memory.tag = "";
        const QJsonObject json = memory.toJson();
        QCOMPARE(json.size(), 10);
        QCOMPARE(json.value("radioModel").toString(), QStringLiteral("FT-991A"));
        QCOMPARE(json.value("tag"), QJsonValue(QString()));
        QCOMPARE(json.value("isEmpty"), QJsonValue(false));
        const RadioMemory decoded =
            RadioMemory::fromJson(QJsonDocument::fromJson(QJsonDocument(json).toJson()).object());
        QVERIFY(decoded == memory);
        QCOMPARE(decoded.frequency, QStringLiteral("007100000"));
    }

    void optionalToneKeys_data() {
        QTest::addColumn<QJsonValue>("kind");
        QTest::addColumn<QJsonValue>("code");
        QTest::addColumn<QString>("expectedKind");
        QTest::addColumn<QString>("expectedCode");
        const QJsonValue absent(QJsonValue::Undefined);
        QTest::addRow("both absent") << absent << absent << ""
                                     << "000";
        QTest::addRow("both null") << QJsonValue() << QJsonValue() << ""
                                   << "000";
        QTest::addRow("code null") << QJsonValue("1") << QJsonValue() << "1"
                                   << "000";
        QTest::addRow("both present") << QJsonValue("0") << QJsonValue("012") << "0"
                                      << "012";
    }
    void optionalToneKeys() {
        QFETCH(QJsonValue, kind);
        QFETCH(QJsonValue, code);
        QFETCH(QString, expectedKind);
        QFETCH(QString, expectedCode);
        QJsonObject json = channelJson();
        json.remove("toneNumberKindRaw");
        json.remove("toneNumberCode");
        if (!kind.isUndefined())
            json.insert("toneNumberKindRaw", kind);
        if (!code.isUndefined())
            json.insert("toneNumberCode", code);
        const RadioMemory decoded = RadioMemory::fromJson(json);
        QCOMPARE(decoded.toneNumberKindRaw, expectedKind);
        QCOMPARE(decoded.toneNumberCode, expectedCode);
    }

    void rejectedJson_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QJsonValue>("value");
        QTest::addColumn<int>("kind");
        const QJsonValue absent(QJsonValue::Undefined);
        const int keyNotFound = int(JSONDecodingError::Kind::keyNotFound);
        const int valueNotFound = int(JSONDecodingError::Kind::valueNotFound);
        const int typeMismatch = int(JSONDecodingError::Kind::typeMismatch);
        const int dataCorrupted = int(JSONDecodingError::Kind::dataCorrupted);
        for (const char *key :
             {"slot", "radioModel", "frequency", "shiftRaw", "modeCode", "flagsRaw", "tag", "isEmpty"}) {
            QTest::addRow("%s missing", key) << key << absent << keyNotFound;
            QTest::addRow("%s null", key) << key << QJsonValue() << valueNotFound;
        }
        QTest::addRow("frequency as number") << "frequency" << QJsonValue(145500000) << typeMismatch;
        QTest::addRow("slot as number") << "slot" << QJsonValue(1) << typeMismatch;
        QTest::addRow("tag as boolean") << "tag" << QJsonValue(true) << typeMismatch;
        QTest::addRow("isEmpty as string") << "isEmpty" << QJsonValue("false") << typeMismatch;
        QTest::addRow("isEmpty as number") << "isEmpty" << QJsonValue(0) << typeMismatch;
        QTest::addRow("toneNumberCode as number") << "toneNumberCode" << QJsonValue(8) << typeMismatch;
        QTest::addRow("toneNumberKindRaw as number") << "toneNumberKindRaw" << QJsonValue(0) << typeMismatch;
        QTest::addRow("unknown model") << "radioModel" << QJsonValue("FT-891") << dataCorrupted;
        QTest::addRow("model in lower case") << "radioModel" << QJsonValue("ft-710") << dataCorrupted;
        QTest::addRow("model as array") << "radioModel" << QJsonValue(QJsonArray{"FT-710"}) << typeMismatch;
    }
    void rejectedJson() {
        QFETCH(QString, key);
        QFETCH(QJsonValue, value);
        QFETCH(int, kind);
        QJsonObject json = channelJson();
        json.remove(key);
        if (!value.isUndefined())
            json.insert(key, value);
        try {
            RadioMemory::fromJson(json);
            QFAIL("decoding did not fail");
        } catch (const JSONDecodingError &error) {
            QCOMPARE(int(error.kind()), kind);
            QCOMPARE(error.path(), key);
        }
    }

    void nonObjectRejected() {
        QVERIFY_THROWS_EXCEPTION(JSONDecodingError, RadioMemory::fromJson(QJsonValue("channel")));
    }

    void extraKeyIgnored() {
        QJsonObject json = channelJson();
        json.insert("comment", 3);
        QVERIFY(RadioMemory::fromJson(json) == occupied(RadioModel::ft991a));
    }

    void decodingErrorText() {
        const JSONDecodingError error =
            JSONDecodingError(JSONDecodingError::Kind::keyNotFound, "tag").nestedIn("memories[3]");
        UserDefaults::setValue(L::userDefaultsLanguageKey(), "de");
        QCOMPARE(error.description(), QStringLiteral("Schlüssel fehlt: memories[3].tag"));
        UserDefaults::setValue(L::userDefaultsLanguageKey(), "en");
        QCOMPARE(error.description(), QStringLiteral("Missing key: memories[3].tag"));
    }

private:
    std::unique_ptr<TestSettings> m_settings;
};

QTEST_GUILESS_MAIN(RadioMemoryTest)
#include "tst_radiomemory.moc"
