#include "Localization/L.h"
#include "Localization/UserDefaults.h"
#include "Model/MemoryDraft.h"
#include "Model/RadioError.h"
#include "TestSettings.h"

#include <QTest>

namespace {

MemoryDraft draft(RadioModel model, const QString &frequency, bool isEmpty = false) {
    MemoryDraft result("005", model);
    result.frequency = frequency;
    result.isEmpty = isEmpty;
    return result;
}

RadioMemory stored() {
    return RadioMemory{.slot = "012",
                       .radioModel = RadioModel::ft991a,
                       .frequency = "145500000",
                       .shiftRaw = "-000600",
                       .modeCode = "4",
                       .flagsRaw = "01002",
                       .toneNumberKindRaw = "0",
                       .toneNumberCode = "008",
                       .tag = "DB0XYZ",
                       .isEmpty = false};
}

void setLanguage(const char *language) {
    UserDefaults::setValue(L::userDefaultsLanguageKey(), language);
}

} // namespace

class MemoryDraftTest : public QObject {
    Q_OBJECT

private slots:
    void init() { m_settings = std::make_unique<TestSettings>(); }

    // --- validation failures, each with its exact message

    void validationFailures_data() {
        QTest::addColumn<QString>("frequency");
        QTest::addColumn<bool>("isEmpty");
        QTest::addColumn<QString>("german");
        QTest::addColumn<QString>("english");
        const QString tooLongDe = "Ungültiger Speicherinhalt: Frequenz darf höchstens 9 Ziffern haben.";
        const QString tooLongEn = "Invalid memory content: Frequency may contain at most 9 digits.";
        const QString zeroDe = "Ungültiger Speicherinhalt: Frequenz 0 ist ungültig.";
        const QString zeroEn = "Invalid memory content: Frequency 0 is invalid.";
        QTest::addRow("ten digits") << "1455000000" << false << tooLongDe << tooLongEn;
        QTest::addRow("ten digits, marked empty") << "1234567890" << true << tooLongDe << tooLongEn;
        QTest::addRow("leading zeros count") << "0145500000" << false << tooLongDe << tooLongEn;
        QTest::addRow("one zero") << "0" << false << zeroDe << zeroEn;
        QTest::addRow("nine zeros") << "000000000" << false << zeroDe << zeroEn;
        QTest::addRow("zeros, marked empty") << "00" << true << zeroDe << zeroEn;
    }
    void validationFailures() {
        QFETCH(QString, frequency);
        QFETCH(bool, isEmpty);
        QFETCH(QString, german);
        QFETCH(QString, english);
        const MemoryDraft subject = draft(RadioModel::ft710, frequency, isEmpty);
        for (const auto &[language, expected] : {std::pair{"de", german}, std::pair{"en", english}}) {
            setLanguage(language);
            try {
                subject.validated();
                QFAIL("validation did not fail");
            } catch (const RadioError &error) {
                QCOMPARE(error.kind(), RadioError::Kind::invalidMemory);
                QCOMPARE(error.errorDescription(), expected);
            }
        }
    }

    void messageKeepsTheLanguageOfValidation() {
        setLanguage("de");
        try {
            draft(RadioModel::ft710, "0").validated();
            QFAIL("validation did not fail");
        } catch (const RadioError &error) {
            setLanguage("en");
            QCOMPARE(error.errorDescription(),
                     QStringLiteral("Invalid memory content: Frequenz 0 ist ungültig."));
        }
    }

    // --- validation results

    void emptyDraftGivesTheEmptyChannel() {
        MemoryDraft subject = draft(RadioModel::ft991a, "abc", true);
        subject.shiftRaw = "-123";
        subject.modeCode = "B";
        subject.flagsRaw = "13002";
        subject.toneNumberCode = "7";
        subject.tag = "x";
        QVERIFY(subject.validated() == RadioMemory::empty("005", RadioModel::ft991a));
    }

    void occupiedDraftWithoutDigitsIsEmptyWithFrequencyZero() {
        MemoryDraft subject = draft(RadioModel::ft710, "MHz");
        subject.tag = "Home";
        const RadioMemory memory = subject.validated();
        QCOMPARE(memory.frequency, QStringLiteral("0"));
        QVERIFY(memory.isEmpty);
        QCOMPARE(memory.tag, QStringLiteral("Home"));
    }

    void frequencies_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("markedEmpty");
        QTest::addColumn<QString>("frequency");
        QTest::addColumn<bool>("isEmpty");
        QTest::addRow("separators") << "145.500.000" << false << "145500000" << false;
        QTest::addRow("leading zeros") << "007" << false << "7" << false;
        QTest::addRow("marked empty with digits") << "7100000" << true << "7100000" << false;
        QTest::addRow("nine digits pass") << "999999999" << false << "999999999" << false;
        QTest::addRow("non-ASCII zeros are no zero") << "\u0660" << false << "\u0660" << false;
    }
    void frequencies() {
        QFETCH(QString, typed);
        QFETCH(bool, markedEmpty);
        QFETCH(QString, frequency);
        QFETCH(bool, isEmpty);
        const RadioMemory memory = draft(RadioModel::ft710, typed, markedEmpty).validated();
        QCOMPARE(memory.frequency, frequency);
        QCOMPARE(memory.isEmpty, isEmpty);
    }

    void modes_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("mode");
        QTest::addRow("lower-case c") << "c"
                                      << "C";
        QTest::addRow("usb") << "usb"
                             << "B";
        QTest::addRow("F") << "F"
                           << "4";
        QTest::addRow("empty") << ""
                               << "4";
        QTest::addRow("12") << "12"
                            << "1";
        QTest::addRow("letter after blanks") << "  e"
                                             << "E";
    }
    void modes() {
        QFETCH(QString, typed);
        QFETCH(QString, mode);
        MemoryDraft subject = draft(RadioModel::ft710, "7100000");
        subject.modeCode = typed;
        QCOMPARE(subject.validated().modeCode, mode);
    }

    void flagsAndTag_data() {
        QTest::addColumn<QString>("flags");
        QTest::addColumn<QString>("tag");
        QTest::addColumn<QString>("normalizedFlags");
        QTest::addColumn<QString>("normalizedTag");
        QTest::addRow("single digit right-aligned") << "1"
                                                    << ""
                                                    << "00001"
                                                    << "";
        QTest::addRow("seven digits") << "1234567"
                                      << ""
                                      << "12345"
                                      << "";
        QTest::addRow("separators dropped") << "1-2-3"
                                            << ""
                                            << "00123"
                                            << "";
        QTest::addRow("empty flags") << ""
                                     << ""
                                     << "00000"
                                     << "";
        QTest::addRow("fifteen-character tag") << "10000"
                                               << " ABCDEFGHIJKLMN"
                                               << "10000"
                                               << " ABCDEFGHIJK";
        QTest::addRow("blanks stay") << "10000"
                                     << " A "
                                     << "10000"
                                     << " A ";
        QTest::addRow("combining accents count once") << "10000"
                                                      << "e\u0301e\u0301e\u0301e\u0301e\u0301e\u0301e\u0301"
                                                      << "10000"
                                                      << "e\u0301e\u0301e\u0301e\u0301e\u0301e\u0301e\u0301";
    }
    void flagsAndTag() {
        QFETCH(QString, flags);
        QFETCH(QString, tag);
        QFETCH(QString, normalizedFlags);
        QFETCH(QString, normalizedTag);
        MemoryDraft subject = draft(RadioModel::ft710, "7100000");
        subject.flagsRaw = flags;
        subject.tag = tag;
        const RadioMemory memory = subject.validated();
        QCOMPARE(memory.flagsRaw, normalizedFlags);
        QCOMPARE(memory.tag, normalizedTag);
    }

    void toneFields_data() {
        QTest::addColumn<bool>("ft991a");
        QTest::addColumn<QString>("flags");
        QTest::addColumn<QString>("toneCode");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("code");
        QTest::addRow("mode off drops the code") << true << "10000"
                                                 << "012"
                                                 << ""
                                                 << "000";
        QTest::addRow("typed 2 is 00002, mode off") << true << "2"
                                                    << "012"
                                                    << ""
                                                    << "000";
        QTest::addRow("ctcss enc pads the code") << true << "12000"
                                                 << "12"
                                                 << "0"
                                                 << "012";
        QTest::addRow("dcs with letters only") << true << "13000"
                                               << "abc"
                                               << "1"
                                               << "000";
        QTest::addRow("mode digit 7 is off") << true << "17000"
                                             << "012"
                                             << ""
                                             << "000";
        QTest::addRow("code cut to three digits") << true << "01000"
                                                  << "01234"
                                                  << "0"
                                                  << "012";
        QTest::addRow("FT-710 never keeps tones") << false << "13000"
                                                  << "012"
                                                  << ""
                                                  << "000";
    }
    void toneFields() {
        QFETCH(bool, ft991a);
        QFETCH(QString, flags);
        QFETCH(QString, toneCode);
        QFETCH(QString, kind);
        QFETCH(QString, code);
        MemoryDraft subject = draft(ft991a ? RadioModel::ft991a : RadioModel::ft710, "145500000");
        subject.flagsRaw = flags;
        subject.toneNumberCode = toneCode;
        subject.toneNumberKindRaw = "1";
        const RadioMemory memory = subject.validated();
        QCOMPARE(memory.toneNumberKindRaw, kind);
        QCOMPARE(memory.toneNumberCode, code);
    }

    void validationLeavesTheDraftAlone() {
        MemoryDraft subject = draft(RadioModel::ft991a, "0145.5");
        subject.shiftRaw = "600";
        const MemoryDraft before = subject;
        subject.validated();
        QVERIFY(subject == before);
    }

    // --- normalisers

    void normalizeShiftRaw_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::addRow("empty") << ""
                               << "+000000";
        QTest::addRow("all blank") << "   "
                                   << "+000000";
        QTest::addRow("-600") << "-600"
                              << "-000600";
        QTest::addRow("+600") << "+600"
                              << "+000600";
        QTest::addRow("600") << "600"
                             << "+000600";
        QTest::addRow("-0") << "-0"
                            << "+000000";
        QTest::addRow("seven digits") << "-1234567"
                                      << "-123456";
        QTest::addRow("blanks before the sign") << " \t\n-600"
                                                << "-000600";
        QTest::addRow("x-5") << "x-5"
                             << "+000005";
        QTest::addRow("letters only") << "abc"
                                      << "+000000";
    }
    void normalizeShiftRaw() {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(MemoryDraft::normalizeShiftRaw(text), expected);
    }

    void stripLeadingZeros_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::addRow("empty") << ""
                               << "";
        QTest::addRow("no digits") << "abc"
                                   << "";
        QTest::addRow("000") << "000"
                             << "0";
        QTest::addRow("00120") << "00120"
                               << "120";
        QTest::addRow("0 0 7") << "0 0 7"
                               << "7";
        QTest::addRow("zero with combining mark is no zero") << "00\u0301"
                                                             << "0\u0301";
    }
    void stripLeadingZeros() {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(MemoryDraft::stripLeadingZeros(text), expected);
        QCOMPARE(MemoryDraft::displayFrequency(text), expected);
    }

    // --- drafts and channels

    void draftFromChannel() {
        RadioMemory memory = stored();
        memory.frequency = "007100000";
        const MemoryDraft subject(memory);
        QCOMPARE(subject.frequency, QStringLiteral("7100000"));
        QCOMPARE(subject.shiftRaw, memory.shiftRaw);
        QCOMPARE(subject.toneNumberKindRaw, memory.toneNumberKindRaw);
        QVERIFY(MemoryDraft("009", RadioModel::ft710) ==
                MemoryDraft(RadioMemory::empty("009", RadioModel::ft710)));
    }

    void differs_data() {
        QTest::addColumn<bool>("edit");
        QTest::addColumn<QString>("storedFrequency");
        QTest::addColumn<QString>("storedTag");
        QTest::addColumn<bool>("expected");
        QTest::addRow("unedited") << false << "145500000"
                                  << "DB0XYZ" << false;
        QTest::addRow("edited") << true << "145500000"
                                << "DB0XYZ" << true;
        QTest::addRow("stored frequency with leading zeros") << false << "007100000"
                                                             << "DB0XYZ" << true;
        QTest::addRow("stored tag longer than 12") << false << "145500000"
                                                   << "ABCDEFGHIJKLM" << true;
    }
    void differs() {
        QFETCH(bool, edit);
        QFETCH(QString, storedFrequency);
        QFETCH(QString, storedTag);
        QFETCH(bool, expected);
        RadioMemory memory = stored();
        memory.frequency = storedFrequency;
        memory.tag = storedTag;
        MemoryDraft subject(memory);
        if (edit)
            subject.tag = "Other";
        QCOMPARE(subject.differs(memory), expected);
    }

    void differsFromNothingAndWhenInvalid() {
        const MemoryDraft subject(stored());
        QVERIFY(subject.differs(std::nullopt));
        MemoryDraft invalid = subject;
        invalid.frequency = "0";
        QVERIFY(invalid.differs(stored()));
    }

    void toneKindAloneMakesDraftsUnequalButNotChannels() {
        MemoryDraft a(stored());
        MemoryDraft b = a;
        b.toneNumberKindRaw = "1";
        QVERIFY(!(a == b));
        QVERIFY(a.validated() == b.validated());
    }

private:
    std::unique_ptr<TestSettings> m_settings;
};

QTEST_GUILESS_MAIN(MemoryDraftTest)
#include "tst_memorydraft.moc"
