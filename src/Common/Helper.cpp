#include "Common/Helper.h"

#include <exception>
#include <stdexcept>
#include <string>
#include <string_view>

namespace Quarnel::Common
{

std::string Helper::ToStringz(std::string_view text)
{
    Info(std::string("toStringz: ").append(text));
    std::string result(text);
    if (result.empty() || result.back() != '\0')
        result.push_back('\0');
    return result;
}

std::string Helper::FromStringz(const char* chars)
{
    if (chars == nullptr)
        return {};
    return chars;
}

void Helper::CheckNull(std::string_view name)
{
    Throw<std::invalid_argument>(std::string(name) + " is null");
}

void Helper::Throw(const std::string& message)
{
    Throw<std::runtime_error>(message);
}

std::string Helper::MessageOf(const std::exception_ptr& error)
{
    try
    {
        std::rethrow_exception(error);
    }
    catch (const std::exception& caught)
    {
        return caught.what();
    }
    catch (...)
    {
        return "unknown exception";
    }
}

} // namespace Quarnel::Common
