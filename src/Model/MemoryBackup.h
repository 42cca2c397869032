#pragma once

#include "Model/RadioMemory.h"
#include "Model/RadioModel.h"

#include <QByteArray>
#include <QDateTime>
#include <QJsonObject>
#include <QJsonValue>
#include <QList>
#include <QString>

// The memory table of one radio model as a backup file holds it. The record checks nothing: the
// channels may carry another model, repeat a slot or lie outside the model's range.
struct MemoryBackup {
    RadioModel radioModel = RadioModel::ft710;
    // In the order of the memory table at export, empty channels included.
    QList<RadioMemory> memories;
    // The moment of export; a backup file keeps it to the whole second.
    QDateTime exportedAt;

    // "Korvel_FT-991A_backup.json": what the save dialog offers.
    static QString defaultFileName(RadioModel model);

    // "radioModel" as the model's raw value, "memories" as channel objects, "exportedAt" as an
    // RFC 3339 date-time in UTC with whole seconds ("2025-03-01T14:05:09Z"). Throws
    // std::invalid_argument when exportedAt is no valid point in time, since no reader could
    // take the file back.
    QJsonObject toJson() const;
    // All three keys are required; other members are ignored. Throws JSONDecodingError on the
    // first fault, so a broken backup yields no record at all.
    static MemoryBackup fromJson(const QJsonValue &value);

    // The whole contents of a backup file: UTF-8 JSON, indented, every object's keys sorted.
    QByteArray toFileContents() const;
    // Reads the whole contents of a backup file; throws JSONDecodingError when they are not JSON
    // or not a backup.
    static MemoryBackup fromFileContents(const QByteArray &contents);
};
