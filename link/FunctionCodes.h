#pragma once

#include <QtGlobal>

// Function codes of the line protocol. A request and the unit's answer to it share a code.
namespace FunctionCode {
constexpr quint8 kStartStopMeasurements = 51; // D0 = 0xFF start, 0x00 stop
constexpr quint8 kMeasurementRecord = 52;     // request: D0 = sensor address; answer: a record
constexpr quint8 kChannelConstWrite = 53;     // 20 data bytes
constexpr quint8 kChannelConstRead = 54;      // D0 = sensor address
constexpr quint8 kChannelConstSignature = 55; // D0 = channel index
constexpr quint8 kSensorConstWrite = 56;      // 59 data bytes
constexpr quint8 kSensorConstRead = 57;       // D0 = sensor address
constexpr quint8 kSensorConstSignature = 58;  // D0 = channel index
constexpr quint8 kConnectionTableWrite = 62;  // 16 data bytes
constexpr quint8 kConnectionTableRead = 63;
constexpr quint8 kConnectionTableSignature = 64;
constexpr quint8 kUnitConstWrite = 65; // 20 data bytes
constexpr quint8 kUnitConstRead = 66;
constexpr quint8 kUnitConstSignature = 67;
constexpr quint8 kRelayWrite = 68; // 8 data bytes
constexpr quint8 kRelayRead = 69;
constexpr quint8 kRelaySignature = 70;
constexpr quint8 kSensorNotFound = 75; // sent by the unit only
constexpr quint8 kActiveMode = 76;     // D0 = 0xFF on, 0x00 off
constexpr quint8 kClockWrite = 77;     // 8 data bytes
constexpr quint8 kClockRead = 78;
constexpr quint8 kUnitInfo = 81;
constexpr quint8 kChangeUnitAddress = 82;      // D0 = new address
constexpr quint8 kLiquidValueFromArchive = 99; // sent by the unit only
} // namespace FunctionCode

// Number of data bytes each request carries; -1 for codes the PC never sends.
constexpr int requestDataLength(quint8 code)
{
    switch (code) {
    case FunctionCode::kStartStopMeasurements:
    case FunctionCode::kMeasurementRecord:
    case FunctionCode::kChannelConstRead:
    case FunctionCode::kChannelConstSignature:
    case FunctionCode::kSensorConstRead:
    case FunctionCode::kSensorConstSignature:
    case FunctionCode::kActiveMode:
    case FunctionCode::kChangeUnitAddress:
        return 1;
    case FunctionCode::kChannelConstWrite:
    case FunctionCode::kUnitConstWrite:
        return 20;
    case FunctionCode::kSensorConstWrite:
        return 59;
    case FunctionCode::kConnectionTableWrite:
        return 16;
    case FunctionCode::kRelayWrite:
    case FunctionCode::kClockWrite:
        return 8;
    case FunctionCode::kConnectionTableRead:
    case FunctionCode::kConnectionTableSignature:
    case FunctionCode::kUnitConstRead:
    case FunctionCode::kUnitConstSignature:
    case FunctionCode::kRelayRead:
    case FunctionCode::kRelaySignature:
    case FunctionCode::kClockRead:
    case FunctionCode::kUnitInfo:
        return 0;
    default:
        return -1;
    }
}
