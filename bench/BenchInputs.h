#pragma once
#include <string>
#include <vector>

// What the benchmark works on, made in a scratch folder of its own at start and removed at exit.
struct BenchInputs {
    std::string root;  // ends in "/"
    // 6000 x 4000 photo-like JPEGs at quality 92, the same picture in each variant.
    std::vector<unsigned char> baseline;
    std::vector<unsigned char> baselineWithThumbnail;
    std::vector<unsigned char> progressive;
    std::vector<unsigned char> thumbnail;  // the EXIF thumbnail alone, 160 x 107
    // The three photos are also written as plain.jpg, thumbnail.jpg and progressive.jpg in root.
    std::string Path(const std::string& relative) const { return root + relative; }
};

BenchInputs MakeBenchInputs();
void RemoveBenchInputs(const BenchInputs& inputs);

// Gives the file at existing further names without copying its data.
void LinkAs(const std::string& existing, const std::string& newPath);
