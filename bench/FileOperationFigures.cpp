#include "bench/Figures.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <spawn.h>
#include <stdexcept>
#include <string>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "bench/Measure.h"
#include "platform/ShellFileOperation.h"
#include "tests/support/JpegFixtures.h"

extern char** environ;

namespace {

std::vector<std::string> LinkPhotos(const std::string& photo, const std::string& folder, int count)
{
    std::filesystem::create_directory(folder);
    std::vector<std::string> paths;
    for (int i = 0; i < count; ++i) {
        paths.push_back(folder + "IMG_" + std::to_string(2000 + i) + ".JPG");
        LinkAs(photo, paths.back());
    }
    return paths;
}

// As a drop hands them over: a double-NUL list of names and a destination folder.
void RunShellOperation(UINT operation, const std::vector<std::string>& paths, const std::string& destination)
{
    std::string names;
    for (const std::string& path : paths)
        names += path + '\0';
    names += '\0';
    const std::string to = destination + '\0';
    SHFILEOPSTRUCT op;
    op.wFunc = operation;
    op.pFrom = names.c_str();
    op.pTo = to.c_str();
    op.fFlags = FOF_SILENT | FOF_NOCONFIRMATION | FOF_ALLOWUNDO | FOF_NOERRORUI;  // a failure throws below instead
    if (const int code = SHFileOperationA(&op))
        throw std::runtime_error("the shell file operation failed: " + std::string(std::strerror(code)));
}

void RunProgram(std::vector<std::string> arguments)
{
    std::vector<char*> argv;
    for (std::string& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    pid_t child = 0;
    if (posix_spawnp(&child, argv[0], nullptr, nullptr, argv.data(), environ) != 0)
        throw std::runtime_error("Cannot run " + arguments[0]);
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        throw std::runtime_error(arguments[0] + " failed");
}

std::vector<std::string> WithPrefix(std::vector<std::string> arguments, const std::vector<std::string>& paths)
{
    arguments.insert(arguments.end(), paths.begin(), paths.end());
    return arguments;
}

void MoveAllBack(const std::vector<std::string>& paths, const std::string& from)
{
    for (const std::string& path : paths) {
        const std::string moved = from + std::filesystem::path(path).filename().string();
        if (std::rename(moved.c_str(), path.c_str()) != 0 && errno != ENOENT)
            throw std::runtime_error("Cannot put back " + moved);
    }
}

void EmptyFolder(const std::string& folder)
{
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        std::filesystem::remove_all(entry.path());
}

void MoveFigure(const BenchInputs& inputs)
{
    const std::string from = inputs.Path("move-from/"), to = inputs.Path("move-to/");
    const std::vector<std::string> photos = LinkPhotos(inputs.Path("plain.jpg"), from, 1000);
    std::filesystem::create_directory(to);
    const Comparison move = Compare(
        7, [&] { RunShellOperation(FO_MOVE, photos, to); }, [&] { RunProgram(WithPrefix({"mv", "-t", to}, photos)); },
        [&] { MoveAllBack(photos, to); });
    PrintFigure("move 1,000 photos within one filesystem (vs mv)", move, "<= 1.50x");
}

void CopyFigure(const BenchInputs& inputs)
{
    const char* name = "copy 200 x 9 MB to tmpfs (vs cp + sync)";
    if (geteuid() != 0)
        return PrintSkipped(name, "a second filesystem needs root to mount a tmpfs");
    const std::string target = inputs.Path("tmpfs/");
    std::filesystem::create_directory(target);
    if (mount("tmpfs", target.c_str(), "tmpfs", 0, "size=3g") != 0)
        return PrintSkipped(name, std::string("cannot mount a tmpfs: ") + std::strerror(errno));
    struct Unmount {
        std::string at;
        ~Unmount() { umount2(at.c_str(), MNT_DETACH); }
    } unmount{target};
    const std::vector<std::string> photos = LinkPhotos(inputs.Path("plain.jpg"), inputs.Path("copy-from/"), 200);
    const Comparison copy = Compare(
        3, [&] { RunShellOperation(FO_COPY, photos, target); },
        [&] {
            RunProgram(WithPrefix({"cp", "--preserve=mode,timestamps", "-t", target}, photos));
            RunProgram({"sync"});
        },
        [&] { EmptyFolder(target); });
    PrintFigure(name, copy, "<= 1.50x");
}

}  // namespace

void FileOperationFigures(const BenchInputs& inputs)
{
    MoveFigure(inputs);
    CopyFigure(inputs);
}
