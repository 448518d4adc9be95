#include "platform/FileNames.h"

std::string ExtractFileDir(const std::string& FileName)
{
    auto slash = FileName.rfind('/');
    if (slash == std::string::npos)
        return "";
    return slash == 0 ? "/" : FileName.substr(0, slash);
}
