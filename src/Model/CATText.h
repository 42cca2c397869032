#pragma once

#include "Model/RadioMemory.h"

#include <QString>

// What a CAT command may carry. The serial port sends nothing else, and the memory services check
// each field of a channel against the same rule before they send its first command, so no write
// is cut off halfway.
namespace CATText {

// Printable ASCII without ";", which ends every command.
bool isSendable(const QString &text);
// The text unchanged; throws RadioError::invalidMemory naming the field when the port could not
// send it.
QString requireSendable(const QString &text, MemoryField field);

} // namespace CATText
