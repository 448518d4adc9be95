#include "bench/Figures.h"

#include <QWidget>
#include <algorithm>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <fnmatch.h>
#include <stdexcept>
#include <string>
#include <unistd.h>
#include <vector>

#include "app/Picsifter.h"
#include "bench/Measure.h"
#include "filelist/DDListBox.h"

namespace {

// Empty files are enough: listing reads names, never contents.
void MakeNames(const std::string& folder, int count)
{
    std::filesystem::create_directory(folder);
    for (int i = 0; i < count; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, i % 2 ? "IMG_%05d.JPG" : "DSC_%05d.jpg", i / 2);
        const int fd = ::open((folder + name).c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        if (fd < 0)
            throw std::runtime_error("Cannot make " + folder + name);
        ::close(fd);
    }
}

std::vector<std::string> ReaddirMatchSort(const std::string& folder)
{
    std::vector<std::string> names;
    DIR* dir = opendir(folder.c_str());
    while (dirent* entry = readdir(dir))
        if (fnmatch("*.jpg", entry->d_name, FNM_CASEFOLD) == 0)
            names.emplace_back(entry->d_name);
    closedir(dir);
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace

void ListingFigure(const BenchInputs& inputs, TForm1& window)
{
    const std::string folder = inputs.Path("names/");
    const std::string empty = inputs.Path("empty/");
    std::fprintf(stderr, "making 100,000 names ...\n");
    MakeNames(folder, 100'000);
    std::filesystem::create_directory(empty);
    TDDListBox& list = *window.DDListBox3;
    std::size_t floorCount = 0;
    const Comparison listing = Compare(
        7,
        [&] {
            list.LoadDirectory(folder);
            list.Widget()->repaint();
        },
        [&] { floorCount = ReaddirMatchSort(folder).size(); }, [&] { list.LoadDirectory(empty); });
    list.LoadDirectory(folder);
    if (static_cast<std::size_t>(list.Items().Count()) != floorCount)
        throw std::runtime_error("the list and the floor found different names");
    PrintFigure("listing 100,000 names, sorted, painted", listing, "<= 1.50x");
    list.LoadDirectory(empty);
}
