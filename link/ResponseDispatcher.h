#pragma once

#include "link/ResponseFrame.h"

#include <array>
#include <functional>

// One table from function code to the handler of the window that owns the code. Codes
// without a handler are ignored.
class ResponseDispatcher
{
public:
    using Handler = std::function<void(const ResponseFrame&)>;

    void registerHandler(quint8 code, Handler handler) { m_handlers[code] = std::move(handler); }
    bool hasHandler(quint8 code) const { return bool(m_handlers[code]); }

    // Returns false when no handler owns the frame's code.
    bool dispatch(const ResponseFrame& frame) const
    {
        const Handler& handler = m_handlers[frame.code()];
        if (!handler)
            return false;
        handler(frame);
        return true;
    }

private:
    std::array<Handler, 256> m_handlers;
};
