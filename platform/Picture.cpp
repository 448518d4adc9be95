#include "platform/Graphics.h"

#include "platform/Exceptions.h"
#include "platform/JPEGImage.h"

#include <algorithm>
#include <cctype>

namespace {

// The text after the last dot of the file's name, or nothing when the name has no dot.
std::string Extension(const std::string& fileName)
{
    const std::size_t slash = fileName.rfind('/');
    const std::size_t dot = fileName.rfind('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return {};
    return fileName.substr(dot + 1);
}

bool IsJpegExtension(std::string extension)
{
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension == "jpg" || extension == "jpeg";
}

}  // namespace

void TPicture::LoadFromFile(const std::string& fileName)
{
    const std::string extension = Extension(fileName);
    if (!IsJpegExtension(extension))
        throw EInvalidGraphic("Unknown picture file extension (." + extension + ")");
    auto image = std::make_shared<TJPEGImage>();
    image->LoadFromFile(fileName);
    Assign(std::move(image));
}

int TPicture::Width() const
{
    return FGraphic ? FGraphic->Width() : 0;
}

int TPicture::Height() const
{
    return FGraphic ? FGraphic->Height() : 0;
}

void TPicture::Assign(std::shared_ptr<TGraphic> graphic)
{
    FGraphic = std::move(graphic);
    if (OnChange)
        OnChange();
}
