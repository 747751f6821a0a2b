#pragma once

#include <QString>

// Addresses below this are never taken over from received frames.
constexpr int kAutoDetectMinimumAddress = 100;

// Whether an intact frame from `frameAddress` should become the current unit address.
inline bool shouldAdoptAddress(bool autoDetect, int frameAddress, const QString& currentAddressText)
{
    return autoDetect && frameAddress >= kAutoDetectMinimumAddress &&
           QString::number(frameAddress) != currentAddressText;
}
