#include "platform/FindFiles.h"

#include <cerrno>
#include <dirent.h>
#include <fnmatch.h>

struct DirectorySearch {
    DIR* dir = nullptr;
    std::string pattern;
};

TSearchRec::~TSearchRec()
{
    FindClose(*this);
}

// No stat per entry: a folder of 100,000 photos lists at the cost of reading the directory.
int FindFirst(const std::string& Path, int, TSearchRec& F)
{
    FindClose(F);
    auto slash = Path.rfind('/');
    std::string directory = slash == std::string::npos ? "." : Path.substr(0, slash + 1);
    DIR* dir = opendir(directory.c_str());
    if (!dir)
        return errno ? errno : ENOENT;
    F.FindHandle = new DirectorySearch{dir, slash == std::string::npos ? Path : Path.substr(slash + 1)};
    return FindNext(F);
}

int FindNext(TSearchRec& F)
{
    if (!F.FindHandle)
        return ENOENT;
    while (dirent* entry = readdir(F.FindHandle->dir)) {
        if (fnmatch(F.FindHandle->pattern.c_str(), entry->d_name, FNM_CASEFOLD) == 0) {
            F.Name = entry->d_name;
            return 0;
        }
    }
    return ENOENT;
}

void FindClose(TSearchRec& F)
{
    if (!F.FindHandle)
        return;
    closedir(F.FindHandle->dir);
    delete F.FindHandle;
    F.FindHandle = nullptr;
}
