#pragma once

#include "link/ResponseFrame.h"

#include <QString>

// The unit's answer to function code 81 as one line of text: firmware date, software version,
// firmware identifier and the firmware file name made from it. Bytes the answer did not carry
// read as 0, which ends the identifier and the file name early.
QString FormatFirmwareInfo(const ResponseFrame& frame);
