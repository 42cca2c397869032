#include "TaskResult.h"

#include "RadioLink/CancellationError.h"
#include "RadioLink/LinkTiming.h"
#include "RadioLink/OneShot.h"
#include "RadioLink/Sleep.h"

#include <QElapsedTimer>
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
    void initTestCase() { LinkTiming::setScale(0.1); }

    void oneShotResumesOnALaterTurnOnly() {
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

    void sleepWaitsItsScaledTime() {
        QElapsedTimer elapsed;
        elapsed.start();
        QVERIFY(runTask(sleepFor(1.0)).succeeded());
        QVERIFY(elapsed.elapsed() >= 100);
    }

    void cancellableSleepThrowsAtOnceWhenAlreadyCancelled() {
        CancellationToken token;
        token.cancel();
        auto sleeping = startTask(sleepFor(1000.0, token));
        QVERIFY(sleeping->finished);
        QVERIFY(sleeping->errorOf<CancellationError>());
    }

    void cancellableSleepEndsEarlyWhenCancelled() {
        CancellationToken token;
        QElapsedTimer elapsed;
        elapsed.start();
        auto sleeping = startTask(sleepFor(1000.0, token));
        QVERIFY(!sleeping->finished);
        token.cancel();
        QTRY_VERIFY(sleeping->finished);
        QVERIFY(sleeping->errorOf<CancellationError>());
        QVERIFY(elapsed.elapsed() < 10000);
    }

    void cancellableSleepEndsNormallyWithoutCancellation() {
        CancellationToken token;
        QVERIFY(runTask(sleepFor(0.5, token)).succeeded());
        token.cancel();
    }
};

QTEST_GUILESS_MAIN(AsyncTest)
#include "tst_async.moc"
