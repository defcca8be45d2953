#pragma once

#include <string>

namespace tkit
{

// A path on its way to the platform's file calls: the path as the caller gave
// it, and the name the calls are handed for it (platformName), decided once,
// so that every call of one operation names the same entry.
class PlatformPath
{
public:
    explicit PlatformPath(std::wstring path);

    // The path as the caller gave it.
    const std::wstring& path() const { return given; }
    // The name for the platform's file calls.
    const wchar_t* name() const { return prefixed.empty() ? given.c_str() : prefixed.c_str(); }

private:
    std::wstring given;
    // The prefixed full path, or empty when the path goes as given.
    std::wstring prefixed;
};

} // namespace tkit
