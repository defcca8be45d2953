#include "tkit/fs/PlatformPath.h"

#include "tkit/fs/PathStrings.h"

#include <utility>

namespace tkit
{

PlatformPath::PlatformPath(std::wstring path)
    : given(std::move(path)), prefixed(prefixedName(given))
{
}

} // namespace tkit
