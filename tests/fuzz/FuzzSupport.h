#pragma once

#include "Common/MyLog.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace Quarnel::Fuzz
{

// A broken expectation: says what and for which input, then aborts, which libFuzzer reports as a crash (and
// keeps the input) and the corpus replay as a failed test.
inline void Check(bool holds, std::string_view what, std::string_view input)
{
    if (holds)
        return;
    std::string shown;
    for (const char character : input.substr(0, 200))
    {
        const auto byte = static_cast<unsigned char>(character);
        if (byte >= 32 && byte < 127)
            shown += character;
        else
        {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02x", byte);
            shown += escaped;
        }
    }
    std::fprintf(stderr, "fuzz check failed: %.*s\n  input: \"%s\"%s\n", static_cast<int>(what.size()), what.data(),
                 shown.c_str(), input.size() > 200 ? "..." : "");
    std::abort();
}

// The log is switched on, so that every line is formatted as in a real run, but goes nowhere: a fuzzer
// writing millions of lines to the console would measure the console.
inline void SilenceLog()
{
    static const bool silenced = [] {
        Common::MyLog::SetShowLog(true);
        (void)Common::MyLog::SetSink([](Common::MyLog::Level, const std::string&) {});
        return true;
    }();
    (void)silenced;
}

inline std::string_view AsText(const std::uint8_t* data, std::size_t size)
{
    return {reinterpret_cast<const char*>(data), size};
}

} // namespace Quarnel::Fuzz
