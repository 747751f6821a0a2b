#pragma once

#include "link/FrameAssembler.h"
#include "sim/SimulatedUnit.h"

#include <optional>
#include <vector>

namespace sim {

// One frame that arrived, and what the unit made of it.
struct LineEvent
{
    QByteArray frameText;
    std::optional<ResponseFrame> request; // empty when the LRC failed
    Outcome outcome;
};

// The unit's receiving side: characters from the line in, one event per complete frame out.
class UnitLine
{
public:
    explicit UnitLine(SimulatedUnit& unit) : m_unit(unit) {}

    std::vector<LineEvent> feed(const QByteArray& bytes);

private:
    SimulatedUnit& m_unit;
    FrameAssembler m_assembler;
};

} // namespace sim
