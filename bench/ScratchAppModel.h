#pragma once

#include "AppModel/AppModel.h"
#include "Localization/UserDefaults.h"

#include <QElapsedTimer>
#include <QTemporaryDir>

// The one AppModel of a benchmark, on a scratch settings store and an empty device folder, so a
// run never touches the user's settings or devices.
class ScratchAppModel {
public:
    ScratchAppModel()
        : m_model(optionsFor(m_folder)) {}

    AppModel &model() { return m_model; }

    // Nanoseconds spent adding `count` log lines numbered from `firstLine`.
    qint64 appendLogLines(int firstLine, int count) {
        QElapsedTimer timer;
        timer.start();
        for (int line = firstLine; line < firstLine + count; ++line)
            m_model.appendLog(QStringLiteral("TX MR%1;").arg(line % 1000, 3, 10, QLatin1Char('0')));
        return timer.nsecsElapsed();
    }

private:
    static AppModel::Options optionsFor(const QTemporaryDir &folder) {
        UserDefaults::setLocation(folder.path());
        AppModel::Options options;
        options.deviceFolder = folder.path();
        return options;
    }

    QTemporaryDir m_folder;
    AppModel m_model;
};
