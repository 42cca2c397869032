#pragma once

#include "Model/MemoryBackup.h"
#include "Model/RadioMemory.h"

#include <QCoro/QCoroTask>
#include <QPointer>
#include <QString>
#include <memory>

class AppModel;
class CancellationToken;
class RadioServiceProtocol;

// The memory operations of the application model: read every channel, read the selected one,
// write one with read-back verification, take a backup's channels. Each radio operation runs in
// the model's operation frame as one task that holds its service, so a request in flight outlives
// a disconnect.
class MemoryOperations {
public:
    explicit MemoryOperations(AppModel &model);

    void readAll();
    void readSelected();
    void writeSelected(const RadioMemory &memory);
    bool alertIfUnsendable(const RadioMemory &memory);
    void applyImportedBackup(const MemoryBackup &backup);

private:
    using Token = std::shared_ptr<CancellationToken>;

    static QCoro::Task<> readAllRun(QPointer<AppModel> self, std::shared_ptr<RadioServiceProtocol> service,
                                    RadioModel model, Token token);
    static QCoro::Task<> readSelectedRun(QPointer<AppModel> self,
                                         std::shared_ptr<RadioServiceProtocol> service, QString slot,
                                         int channel, Token token);
    static QCoro::Task<> writeSelectedRun(QPointer<AppModel> self,
                                          std::shared_ptr<RadioServiceProtocol> service, RadioMemory memory,
                                          Token token);

    AppModel &m_model;
};
