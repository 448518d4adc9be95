#include "bench/BenchInputs.h"

#include "tests/support/JpegFixtures.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <unistd.h>

BenchInputs MakeBenchInputs()
{
    char folder[] = "/tmp/picsift-bench-XXXXXX";
    if (!mkdtemp(folder))
        throw std::runtime_error("Cannot make a scratch folder in /tmp");
    BenchInputs inputs;
    inputs.root = std::string(folder) + "/";
    std::fprintf(stderr, "making 24-megapixel photos in %s ...\n", folder);
    const JpegSpec photo{.width = 6000, .height = 4000, .quality = 92};
    inputs.baseline = MakeJpeg(photo);
    inputs.thumbnail = MakeJpeg({.width = 160, .height = 107, .quality = 92});
    inputs.baselineWithThumbnail = WithExifThumbnail(inputs.baseline, inputs.thumbnail);
    JpegSpec progressive = photo;
    progressive.progressive = true;
    inputs.progressive = MakeJpeg(progressive);
    WriteBytes(inputs.Path("plain.jpg"), inputs.baseline);
    WriteBytes(inputs.Path("thumbnail.jpg"), inputs.baselineWithThumbnail);
    WriteBytes(inputs.Path("progressive.jpg"), inputs.progressive);
    return inputs;
}

void RemoveBenchInputs(const BenchInputs& inputs)
{
    std::error_code ignored;
    std::filesystem::remove_all(inputs.root, ignored);
}

void LinkAs(const std::string& existing, const std::string& newPath)
{
    if (link(existing.c_str(), newPath.c_str()) != 0)
        throw std::runtime_error("Cannot link " + newPath);
}
