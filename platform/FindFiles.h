#pragma once
#include <string>

constexpr int faReadOnly = 0x01;
constexpr int faHidden = 0x02;
constexpr int faSysFile = 0x04;
constexpr int faVolumeID = 0x08;
constexpr int faDirectory = 0x10;
constexpr int faArchive = 0x20;
constexpr int faAnyFile = 0x3F;

struct DirectorySearch;

// One match of a directory search: the bare name of the entry.
struct TSearchRec {
    std::string Name;
    DirectorySearch* FindHandle = nullptr;
    TSearchRec() = default;
    TSearchRec(const TSearchRec&) = delete;
    TSearchRec& operator=(const TSearchRec&) = delete;
    ~TSearchRec();
};

// Searches the directory part of Path for entries whose names match its last part ("*.jpg"), letter case
// ignored, entries of every kind, in the order the directory gives them. 0 when a match was found.
int FindFirst(const std::string& Path, int Attr, TSearchRec& F);
int FindNext(TSearchRec& F);
void FindClose(TSearchRec& F);
