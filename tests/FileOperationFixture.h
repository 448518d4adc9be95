#pragma once
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>
#include <string>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "platform/ErrorReport.h"

// A scratch folder per test, with the home trash inside it (XDG_DATA_HOME), the current folder and
// the error reporter restored afterwards. Nothing here touches the user's real trash.
class FileOperationFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/picsift-fileop-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        root_ = pattern;
        if (const char* old = std::getenv("XDG_DATA_HOME"))
            oldDataHome_ = old;
        setenv("XDG_DATA_HOME", Path("data").c_str(), 1);
        char cwd[4096];
        ASSERT_NE(getcwd(cwd, sizeof cwd), nullptr);
        oldCwd_ = cwd;
        oldReporter_ = SetErrorReporter([this](const std::string& message) { reports_.push_back(message); });
    }

    void TearDown() override
    {
        SetErrorReporter(oldReporter_);
        EXPECT_EQ(chdir(oldCwd_.c_str()), 0);
        if (oldDataHome_)
            setenv("XDG_DATA_HOME", oldDataHome_->c_str(), 1);
        else
            unsetenv("XDG_DATA_HOME");
        for (auto it = mounts_.rbegin(); it != mounts_.rend(); ++it)
            EXPECT_EQ(umount2(it->c_str(), MNT_DETACH), 0) << *it;
        std::filesystem::remove_all(root_);
    }

    std::string Path(const std::string& relative) const { return root_ + "/" + relative; }

    std::string HomeTrash() const { return Path("data/Trash"); }

    static void Write(const std::string& path, const std::string& content)
    {
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        std::ofstream(path, std::ios::binary) << content;
    }

    static std::string Read(const std::string& path)
    {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }

    static bool Exists(const std::string& path)
    {
        struct stat status {};
        return lstat(path.c_str(), &status) == 0;
    }

    // Names in a folder, hidden ones included; empty when the folder does not exist.
    static std::vector<std::string> Entries(const std::string& folder)
    {
        std::vector<std::string> names;
        std::error_code error;
        for (const auto& entry : std::filesystem::directory_iterator(folder, error))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    // Mounts a fresh tmpfs of the given size at Path(relative): a second filesystem. Only root may;
    // returns false otherwise so that the test can skip.
    bool MountTmpfs(const std::string& relative, const std::string& size)
    {
        const std::string target = Path(relative);
        std::filesystem::create_directories(target);
        if (geteuid() != 0)
            return false;
        const std::string options = "size=" + size + ",mode=0755";
        if (mount("none", target.c_str(), "tmpfs", 0, options.c_str()) != 0)
            return false;
        mounts_.push_back(target);
        return true;
    }

    static constexpr const char* kNeedsTmpfs = "needs root to mount a tmpfs as a second filesystem";

    std::vector<std::string> reports_;

private:
    std::string root_;
    std::optional<std::string> oldDataHome_;
    std::string oldCwd_;
    ErrorReporter oldReporter_;
    std::vector<std::string> mounts_;
};
