#pragma once

#include "Model/MemoryBackup.h"
#include "Model/RadioMemory.h"

#include <QCoro/QCoroTask>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <memory>
#include <optional>

class CancellationToken;
class OperationFrame;
class RadioServiceProtocol;

// The memory table, kept sorted by slot, with its selected row, and the operations that fill it:
// read every channel, read the selected one, write one with read-back verification, take a
// backup's channels. Each radio operation runs in the application model's operation frame as one
// task that holds its service, so a request in flight outlives a disconnect.
class MemoryOperations : public QObject {
    Q_OBJECT

public:
    explicit MemoryOperations(OperationFrame &frame);

    const QList<RadioMemory> &memories() const { return m_memories; }
    const std::optional<QString> &selectedMemoryID() const { return m_selectedMemoryID; }
    void setSelectedMemoryID(const std::optional<QString> &id);
    std::optional<RadioMemory> selectedMemory() const;
    void setMemoryAt(int row, const RadioMemory &memory);
    void replaceMemory(const RadioMemory &memory);
    // One empty row per channel of the model, the first one selected.
    void rebuildEmptyMemories(RadioModel model);

    void readAll();
    void readSelected();
    void writeSelected(const RadioMemory &memory);
    bool alertIfUnsendable(const RadioMemory &memory);
    // The alert naming the first channel the backup's model cannot hold; none for a sound backup,
    // as every backup this program exports is.
    static std::optional<QString> backupFault(const MemoryBackup &backup);
    // The backup's channels as the table, sorted, the first one selected; the backup is sound and
    // its model the selected one.
    void takeBackup(const MemoryBackup &backup);

signals:
    void memoriesChanged();
    void memoryChanged(int row);
    void selectedMemoryIDChanged();

private:
    using Token = std::shared_ptr<CancellationToken>;

    void setMemories(const QList<RadioMemory> &memories);

    static QCoro::Task<> readAllRun(QPointer<MemoryOperations> self,
                                    std::shared_ptr<RadioServiceProtocol> service, RadioModel model,
                                    Token token);
    static QCoro::Task<> readSelectedRun(QPointer<MemoryOperations> self,
                                         std::shared_ptr<RadioServiceProtocol> service, QString slot,
                                         int channel, Token token);
    static QCoro::Task<> writeSelectedRun(QPointer<MemoryOperations> self,
                                          std::shared_ptr<RadioServiceProtocol> service, RadioMemory memory,
                                          int channel, Token token);

    OperationFrame &m_frame;
    QList<RadioMemory> m_memories;
    std::optional<QString> m_selectedMemoryID;
};
