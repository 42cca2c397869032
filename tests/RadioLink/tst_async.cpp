#include "TaskResult.h"

#include "RadioLink/CancellationError.h"
#include "RadioLink/OneShot.h"

#include <QTest>

namespace {

QCoro::Task<QString> awaitOneShot(OneShot<QString> result, std::shared_ptr<bool> resumed) {
    QString value = co_await result;
    *resumed = true;
    co_return value;
}

} // namespace

class AsyncTest : public QObject {
    Q_OBJECT

private slots:
    // The settling side may still hold its lock: the waiter must not run inside it.
    void oneShotResumesOnALaterTurnWithTheFirstResult() {
        OneShot<QString> result;
        auto resumed = std::make_shared<bool>(false);
        auto waiting = startTask(awaitOneShot(result, resumed));
        QVERIFY(result.succeed(QStringLiteral("first")));
        QVERIFY(!*resumed);
        QVERIFY(!result.succeed(QStringLiteral("second")));
        QVERIFY(!result.fail(CancellationError()));
        QTRY_VERIFY(waiting->finished);
        QCOMPARE(waiting->value(), QStringLiteral("first"));
    }

    void oneShotSettledBeforeAwaitingGoesOnAtOnce() {
        OneShot<QString> result;
        result.fail(CancellationError());
        const auto ended = runTask(awaitOneShot(result, std::make_shared<bool>(false)));
        QVERIFY(ended.errorOf<CancellationError>());
    }
};

QTEST_GUILESS_MAIN(AsyncTest)
#include "tst_async.moc"
