#include "tkit/fs/TimeWriter.h"

#include "tkit/fs/Attributes.h"

namespace tkit
{

bool writeTimes(const PlatformPath& path, DWORD attributes,
                const std::function<bool(const File&)>& write)
{
    const bool readOnly = (attributes & FILE_ATTRIBUTE_READONLY) != 0;
    if (readOnly)
        setFileAttributes(path, attributes & ~DWORD{FILE_ATTRIBUTE_READONLY});
    bool written = false;
    {
        File file;
        if (file.open(path, GENERIC_WRITE | FILE_READ_ATTRIBUTES, FILE_SHARE_READ))
            written = write(file);
    }
    if (readOnly)
        setFileAttributes(path, attributes);
    return written;
}

} // namespace tkit
