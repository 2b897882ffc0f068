#include "platform/NumberText.h"
#include "platform/SysErrors.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    try {
        ParseNumberText(text);
    } catch (const EConvertError &) {
    }
    return 0;
}
